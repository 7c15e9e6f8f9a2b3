#include "explain/CheckBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/MapView.h"
#include "explain/CheckSentences.h"
#include "explain/LoopOverlay.h"
#include "platform/Translate.h"

namespace {

QString T(const std::string& english) {
    return QString::fromStdString(platform::TranslateText(english));
}

}  // namespace

TCheckBar::TCheckBar(TMapView* map, QWidget* parent)
    : QWidget(parent), map_(map), overlay_(new TLoopOverlay(map)) {
    setObjectName("CheckBar");
    overlay_->setObjectName("StudentLoops");
    overlay_->SetStudentStyle(true);
    ExerciseLine = new QLabel(this);
    ExerciseLine->setObjectName("ExerciseLine");
    ExerciseLine->hide();
    Answer = new QLineEdit(this);
    Answer->setObjectName("Answer");
    CheckButton = new QPushButton(this);
    CheckButton->setObjectName("CheckButton");
    Verdict = new QListWidget(this);
    Verdict->setObjectName("Verdict");
    Verdict->setWordWrap(true);
    Verdict->setMaximumHeight(140);

    auto* row = new QHBoxLayout;
    row->addWidget(Answer, 1);
    row->addWidget(CheckButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(ExerciseLine);
    layout->addLayout(row);
    layout->addWidget(Verdict);
    Retranslate();

    connect(CheckButton, &QPushButton::clicked, this, [this] { Check(); });
    connect(Answer, &QLineEdit::returnPressed, this, [this] { Check(); });
}

void TCheckBar::Retranslate() {
    CheckButton->setText(T("Check my answer"));
    Answer->setPlaceholderText(T("Your answer, as A'B + C or |A*B+C"));
}

void TCheckBar::SetExerciseLine(const QString& line) {
    ExerciseLine->setText(line);
    ExerciseLine->setVisible(!line.isEmpty());
}

void TCheckBar::ClearVerdict() {
    result_ = {};
    Verdict->clear();
    overlay_->Clear();
}

void TCheckBar::Refuse(const std::string& text) {
    ClearVerdict();
    auto* item = new QListWidgetItem(QString::fromStdString(text), Verdict);
    item->setForeground(Qt::darkRed);
}

bool TCheckBar::Check() {
    explain::MapFunction f;
    const explain::ReadResult read =
        explain::ReadMap(map_->Grid(), FormSource ? FormSource() : gmDNF, f);
    if (!read.ok) {
        Refuse(platform::TranslateText("Invalid data in cell.") + " (" + std::to_string(read.col) +
               ", " + std::to_string(read.row) + ")");
        return false;
    }
    const explain::Answer answer = explain::ReadAnswer(Answer->text().toStdString(), f);
    if (!answer.ok()) {
        Refuse(explain::AnswerErrorText(answer.error));
        return false;
    }
    const explain::Explanation e = explain::Explain(f);
    result_ = explain::CheckAnswer(f, e, answer);
    Verdict->clear();
    for (const std::string& line : explain::CheckSentences(result_, f, e))
        Verdict->addItem(QString::fromStdString(line));
    std::vector<std::vector<int>> loops;
    for (const explain::AnswerTerm& t : answer.terms)
        if (!t.contradiction) loops.push_back(explain::TermCells(t, f));
    std::vector<int> wrong = result_.missing;
    wrong.insert(wrong.end(), result_.extra.begin(), result_.extra.end());
    overlay_->SetMarkedCells(wrong);
    overlay_->SetLoops(loops);
    emit Checked();
    return true;
}
