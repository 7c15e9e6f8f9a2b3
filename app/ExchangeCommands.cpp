// The main window's pictures of the map (File > Export) and its clipboard commands.

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTreeWidget>

#include "app/Main.h"
#include "engine/MapView.h"
#include "files/FunctionFile.h"
#include "files/MapPicture.h"
#include "files/MapText.h"
#include "files/PlaFile.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/PrintDialog.h"
#include "platform/Translate.h"
#include "ui/FormulaView.h"
#include "ui/ResultsQuestion.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

QAction* NamedAction(QWidget* owner, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {}) {
    auto* a = new QAction(caption, owner);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    return a;
}

}  // namespace

void TForm1::ConnectExchangeCommands() {
    Export1 = new QMenu("Export", this);
    Export1->setObjectName("Export1");
    N10->insertMenu(N19, Export1)->setObjectName("Export1Item");
    ExportSVG1 = NamedAction(this, "ExportSVG1", "Map as SVG Picture...");
    ExportPNG1 = NamedAction(this, "ExportPNG1", "Map as PNG Picture...");
    ExportTeX1 = NamedAction(this, "ExportTeX1", "Map as TeX Picture...");
    ExportPLA1 = NamedAction(this, "ExportPLA1", "Result as PLA Cover...");
    Export1->addActions({ExportSVG1, ExportPNG1, ExportTeX1});
    Export1->addSeparator();
    Export1->addAction(ExportPLA1);
    PrintMap1 = NamedAction(this, "PrintMap1", "Print Map...");
    N10->insertAction(N19, PrintMap1);
    connect(PrintMap1, &QAction::triggered, this, &TForm1::PrintMap1Click);

    // The map menu's entries carry the shortcuts; the map's own menu repeats them.
    N37 = N11->insertSeparator(N26);
    N37->setObjectName("N37");
    CopyasText1 = NamedAction(this, "CopyasText1", "Copy Map as Text", QKeySequence::Copy);
    CopyasPicture1 = NamedAction(this, "CopyasPicture1", "Copy Map as Picture",
                                 Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    PasteCells1 = NamedAction(this, "PasteCells1", "Paste Cells", QKeySequence::Paste);
    N11->insertActions(N37, {CopyasText1, CopyasPicture1, PasteCells1});
    // Ctrl+C and Ctrl+V act on the map where it has the focus; in the result tree Ctrl+C copies
    // the tree's line.
    for (QAction* a : {CopyasText1, CopyasPicture1, PasteCells1}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        CarnoGrid1->addAction(a);
    }
    N38 = PopupMenu1->addSeparator();
    N38->setObjectName("N38");
    CopyasText2 = NamedAction(this, "CopyasText2", "Copy Map as Text");
    CopyasPicture2 = NamedAction(this, "CopyasPicture2", "Copy Map as Picture");
    PasteCells2 = NamedAction(this, "PasteCells2", "Paste Cells");
    PopupMenu1->addActions({CopyasText2, CopyasPicture2, PasteCells2});

    connect(ExportSVG1, &QAction::triggered, this, &TForm1::ExportSVG1Click);
    connect(ExportPNG1, &QAction::triggered, this, &TForm1::ExportPNG1Click);
    connect(ExportTeX1, &QAction::triggered, this, &TForm1::ExportTeX1Click);
    connect(ExportPLA1, &QAction::triggered, this, &TForm1::ExportPLA1Click);
    for (QAction* a : {CopyasText1, CopyasText2})
        connect(a, &QAction::triggered, this, &TForm1::CopyasText1Click);
    for (QAction* a : {CopyasPicture1, CopyasPicture2})
        connect(a, &QAction::triggered, this, &TForm1::CopyasPicture1Click);
    for (QAction* a : {PasteCells1, PasteCells2})
        connect(a, &QAction::triggered, this, &TForm1::PasteCells1Click);
}

namespace {

// What the window shows: the result's loops while the tree holds it, the selected term.
picture::Canvas ShownMap(const TCarnoGrid& grid, const TMapView& view) {
    MapPictureOptions options;
    options.loops = ShownSolution(grid);
    options.highlightedTerm = options.loops.empty() ? -1 : view.HighlightedTerm();
    return MapCanvas(grid, options);
}

}  // namespace

void TForm1::PrintMap1Click() {
    QPrinter printer;
    printer.setDocName("Karnaugh Map");
    if (!platform::PrintDialogs().Run(this, printer)) return;
    const picture::Canvas canvas = ShownMap(Grid, *CarnoGrid1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform::Say("Can't print the map.");
        return;
    }
    // The map as the pictures draw it, a tenth of the page in from the left, at most the width
    // of the rest; the result below it, in the notation shown.
    const QRect page = painter.viewport();
    const double room = page.width() * 0.8;
    const double scale = std::min(room / canvas.width, 4.0 * printer.resolution() / 96.0);
    painter.save();
    painter.translate(page.width() * 0.1, page.height() * 0.05);
    painter.scale(scale, scale);
    canvas.paint(painter);
    painter.restore();
    QStringList lines;
    if (Grid.ResultCount() > 0) {
        const auto shown = [&](const std::string& f) {
            return QString::fromStdString(
                ShownFormula(f, Grid.GlueMethod, formulaview::Notation()));
        };
        lines << shown(Grid.ResultText());
        for (const std::string& term : Grid.ResultTermTexts()) lines << "    " + shown(term);
    }
    QFont font("DejaVu Sans");
    font.setPointSize(11);
    painter.setFont(font);
    const int top = static_cast<int>(page.height() * 0.05 + canvas.height * scale) +
                    painter.fontMetrics().height() * 2;
    painter.drawText(QRect(static_cast<int>(page.width() * 0.1), top, static_cast<int>(room),
                           page.height() - top),
                     Qt::TextWordWrap, lines.join('\n'));
    painter.end();
}

void TForm1::ExportPicture(int kind) {
    static const struct {
        const char* filter;
        const char* suffix;
    } kinds[] = {{"SVG Picture (*.svg)", "svg"},
                 {"PNG Picture (*.png)", "png"},
                 {"TeX Document (*.tex)", "tex"}};
    const auto& k = kinds[kind];
    const platform::FileChoice choice =
        platform::Dialogs().SaveFile(this, {"Export Map", {k.filter}, k.suffix, "Map"});
    if (!choice.accepted) return;
    double scale = 1;
    if (static_cast<picture::Kind>(kind) == picture::Kind::Png) {
        scale = PictureScale;
        const QString title = QString::fromStdString(platform::TranslateText("Picture Scale"));
        const QString label =
            QString::fromStdString(platform::TranslateText("Times the size on screen:"));
        if (!platform::Dialogs().PickNumber(this, title, label, scale, picture::kMinScale,
                                            picture::kMaxScale, 2))
            return;
        PictureScale = scale;
    }
    if (QFileInfo::exists(choice.path) &&
        platform::ShowMessage(platform::TranslateText("This file already exist, replace ?"),
                              MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    std::string error;
    if (!picture::Save(ShownMap(Grid, *CarnoGrid1), choice.path.toStdString(),
                       static_cast<picture::Kind>(kind), scale, &error))
        platform::ShowMessage(platform::TranslateText("Can't save the picture.") + "\n" +
                                  platform::TranslateText(error),
                              MsgIcon::Error, MsgButtons::Ok);
}

void TForm1::ExportSVG1Click() {
    ExportPicture(static_cast<int>(picture::Kind::Svg));
}
void TForm1::ExportPNG1Click() {
    ExportPicture(static_cast<int>(picture::Kind::Png));
}
void TForm1::ExportTeX1Click() {
    ExportPicture(static_cast<int>(picture::Kind::Tex));
}

void TForm1::ExportPLA1Click() {
    const platform::FileChoice choice = platform::Dialogs().SaveFile(
        this, {"Export Result", {"PLA File (*.pla)"}, "pla", "Result"});
    if (!choice.accepted) return;
    if (QFileInfo::exists(choice.path) &&
        platform::ShowMessage(platform::TranslateText("This file already exist, replace ?"),
                              MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    SaveResultToPlaFile(Grid, choice.path.toStdString());
}

bool TForm1::LoadPla(const std::string& path) {
    const auto file = ReadPlaForMap(path);
    if (!file) return false;
    int output = 0;
    if (file->outputs > 1) {
        QStringList names;
        for (int o = 0; o < file->outputs; ++o)
            names << QString::fromStdString(file->OutputName(o));
        const QString title = QString::fromStdString(platform::TranslateText("Choose Output"));
        const QString label =
            QString::fromStdString(platform::TranslateText("The file has several outputs. Open:"));
        if (!platform::Dialogs().PickItem(this, title, label, names, output)) return false;
    }
    return TakeFunctionTable(Grid, TableOfPla(*file, output), AskResultsLost);
}

void TForm1::CopyasText1Click() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(maptext::MapAsText(Grid)));
}

void TForm1::CopyasPicture1Click() {
    const picture::Canvas canvas = ShownMap(Grid, *CarnoGrid1);
    auto* data = new QMimeData;
    data->setData("image/svg+xml", QByteArray::fromStdString(picture::SvgText(canvas)));
    data->setImageData(picture::Raster(canvas, 1));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TForm1::PasteCells1Click() {
    int col = 1, row = 1;
    const QModelIndexList selected = CarnoGrid1->selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) {
        col = row = INT_MAX;
        for (const QModelIndex& i : selected) {
            col = std::min(col, i.column() + 1);
            row = std::min(row, i.row() + 1);
        }
    } else if (CarnoGrid1->currentIndex().isValid()) {
        col = CarnoGrid1->currentIndex().column() + 1;
        row = CarnoGrid1->currentIndex().row() + 1;
    }
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    if (!MayFill()) return;
    std::optional<FileProblem> problem;
    MapCommand([&] { problem = maptext::PasteCells(Grid, text, col, row); });
    if (problem) {
        platform::ShowMessage(ProblemText(*problem), MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    CarnoGrid1->Refresh();
    Createreport1->setEnabled(false);
}
