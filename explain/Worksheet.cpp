#include "explain/Worksheet.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "engine/CarnoGrid.h"
#include "explain/Sentences.h"
#include "files/MapPicture.h"
#include "files/TikzDevice.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

namespace explain {

using platform::TranslateText;

namespace {

// The exercise's map on a grid of its own, with the loops of `solution` when one is given.
picture::Canvas MapOf(const Exercise& exercise, const Solution* solution, const Explanation& e) {
    TCarnoGrid grid;
    grid.SetVariableCount(exercise.settings.vars);
    const MapFunction f = ExerciseFunction(exercise);
    for (int k = 1; k <= f.vars; ++k) grid.SetVarName(k, f.names[k - 1]);
    for (int m = 0; m < static_cast<int>(exercise.table.size()); ++m) {
        const TCellPos p = grid.PositionOfMinterm(m);
        grid.SetCells(p.Col, p.Row, std::string(1, exercise.table[m]));
    }
    MapPictureOptions options;
    if (solution)
        for (int prime : solution->primes) {
            std::vector<TCellPos> cells;
            for (int m : e.primes[prime].minterms) cells.push_back(grid.PositionOfMinterm(m));
            options.loops.push_back(std::move(cells));
        }
    return MapCanvas(grid, options);
}

std::string About(const Exercise& x) {
    return Fill(TranslateText("%1 variables, seed %2, %3"),
                {std::to_string(x.settings.vars), std::to_string(x.settings.seed),
                 DifficultyName(x.settings.difficulty)});
}

std::string HtmlEscape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::vector<Exercise> WorksheetExercises(const WorksheetSettings& settings) {
    std::vector<Exercise> out;
    const int lo = std::clamp(std::min(settings.minVars, settings.maxVars), 2, 8);
    const int hi = std::clamp(std::max(settings.minVars, settings.maxVars), 2, 8);
    static const Difficulty turn[] = {Difficulty::Easy, Difficulty::Cyclic, Difficulty::Many};
    for (int i = 0; i < settings.count; ++i) {
        ExerciseSettings s;
        s.vars = lo + i % (hi - lo + 1);
        s.seed = settings.seed + static_cast<uint64_t>(i);
        s.form = settings.form;
        s.onesPercent = settings.onesPercent;
        s.dontCarePercent = settings.dontCarePercent;
        s.difficulty = settings.difficulty.value_or(turn[i % 3]);
        auto exercise = MakeExercise(s);
        if (!exercise) {
            s.difficulty = Difficulty::Easy;
            exercise = MakeExercise(s);
        }
        if (exercise) out.push_back(std::move(*exercise));
    }
    return out;
}

std::vector<WorksheetPage> WorksheetPages(const std::vector<Exercise>& exercises) {
    std::vector<WorksheetPage> pages;
    const std::string task = exercises.empty() || exercises[0].settings.form != gmKNF
                                 ? TranslateText("Find a minimal sum of products for the map.")
                                 : TranslateText("Find a minimal product of sums for the map.");
    for (std::size_t i = 0; i < exercises.size(); ++i) {
        WorksheetPage page;
        page.heading = Fill(TranslateText("Exercise %1"), {std::to_string(i + 1)});
        page.lines = {About(exercises[i]), task};
        page.map = MapOf(exercises[i], nullptr, {});
        page.answerLines = 6;
        pages.push_back(std::move(page));
    }
    for (std::size_t i = 0; i < exercises.size(); ++i) {
        Limits limits;
        limits.compareGluing = false;
        const Explanation e = Explain(ExerciseFunction(exercises[i]), limits);
        WorksheetPage page;
        page.heading = Fill(TranslateText("Solution %1"), {std::to_string(i + 1)});
        page.lines.push_back(About(exercises[i]));
        if (e.timedOut || e.solutions.empty()) {
            page.lines.push_back(TranslateText("The minimum could not be found in time."));
            page.map = MapOf(exercises[i], nullptr, e);
        } else {
            page.lines.push_back(e.solutions.front().formula);
            page.lines.push_back(CountText(e));
            page.map = MapOf(exercises[i], &e.solutions.front(), e);
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

std::string WorksheetTex(const std::vector<WorksheetPage>& pages) {
    std::string tex =
        "\\documentclass[a4paper]{article}\n"
        "\\usepackage[T1]{fontenc}\n"
        "\\usepackage[utf8]{inputenc}\n"
        "\\usepackage{fix-cm}\n"
        "\\usepackage{tikz}\n"
        "\\usepackage[margin=2cm]{geometry}\n"
        "\\pagestyle{empty}\n"
        "\\setlength{\\parindent}{0pt}\n"
        "\\begin{document}\n";
    for (const WorksheetPage& page : pages) {
        tex += "\\section*{" + TexEscape(page.heading) + "}\n";
        for (const std::string& line : page.lines) tex += TexEscape(line) + "\\par\n";
        tex += "\\medskip\n\\begin{center}\n" + picture::TikzPicture(page.map) + "\\end{center}\n";
        for (int i = 0; i < page.answerLines; ++i) tex += "\\vspace{1.2cm}\\hrule\n";
        tex += "\\newpage\n";
    }
    return tex + "\\end{document}\n";
}

std::string WorksheetHtml(const std::vector<WorksheetPage>& pages) {
    std::string html =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        HtmlEscape(TranslateText("Worksheet")) +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 2em; }\n"
        ".page { break-after: page; page-break-after: always; break-inside: avoid; }\n"
        ".page:last-child { break-after: auto; page-break-after: auto; }\n"
        ".map { margin: 1em 0; }\n"
        ".line { border-bottom: 1px solid #888; height: 2.5em; }\n"
        "@page { size: A4; margin: 2cm; }\n"
        "</style>\n</head>\n<body>\n";
    for (const WorksheetPage& page : pages) {
        html += "<section class=\"page\">\n<h2>" + HtmlEscape(page.heading) + "</h2>\n";
        for (const std::string& line : page.lines) html += "<p>" + HtmlEscape(line) + "</p>\n";
        std::string svg = picture::SvgText(page.map);
        if (const std::size_t at = svg.find("<svg"); at != std::string::npos) svg.erase(0, at);
        html += "<div class=\"map\">" + svg + "</div>\n";
        for (int i = 0; i < page.answerLines; ++i) html += "<div class=\"line\"></div>\n";
        html += "</section>\n";
    }
    return html + "</body>\n</html>\n";
}

bool WriteWorksheetPdf(const std::vector<WorksheetPage>& pages, const std::string& path,
                       std::string* error) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(96);
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        writer.setTitle(QString::fromStdString(TranslateText("Worksheet")));
        QPainter painter(&writer);
        const QRect area = painter.viewport();
        QFont heading(QStringLiteral("DejaVu Sans"));
        heading.setPixelSize(22);
        heading.setBold(true);
        QFont text(QStringLiteral("DejaVu Sans"));
        text.setPixelSize(14);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i) writer.newPage();
            const WorksheetPage& page = pages[i];
            double y = 0;
            painter.setFont(heading);
            painter.drawText(QPointF(0, y + 22), QString::fromStdString(page.heading));
            y += 40;
            painter.setFont(text);
            for (const std::string& line : page.lines) {
                painter.drawText(QRectF(0, y, area.width(), 40), Qt::TextWordWrap,
                                 QString::fromStdString(line));
                y += 24;
            }
            y += 12;
            const double scale =
                std::min(1.0, area.width() / std::max(1.0, double(page.map.width)));
            painter.save();
            painter.translate(0, y);
            painter.scale(scale, scale);
            painter.fillRect(QRectF(0, 0, page.map.width, page.map.height), page.map.paper);
            if (page.map.paint) page.map.paint(painter);
            painter.restore();
            y += page.map.height * scale + 20;
            painter.setPen(QColor(0x88, 0x88, 0x88));
            for (int l = 0; l < page.answerLines; ++l) {
                y += 45;
                painter.drawLine(QPointF(0, y), QPointF(area.width(), y));
            }
            painter.setPen(Qt::black);
        }
    }
    return platform::WriteFileAtomically(path, bytes.toStdString(), error);
}

}  // namespace explain
