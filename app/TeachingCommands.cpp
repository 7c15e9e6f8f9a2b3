// The main window's teaching parts: "Check my answer" (Map menu, and the field under the map
// that it shows) and File > New exercise, a seeded practice map whose answer stays hidden
// until the student asks for it (the "Minimal solutions" panel) or checks an answer.

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/Main.h"
#include "app/Windows.h"
#include "engine/MapView.h"
#include "explain/CheckBar.h"
#include "explain/ExerciseDialog.h"
#include "explain/Sentences.h"
#include "platform/Message.h"
#include "platform/Translate.h"
#include "ui/ResultsQuestion.h"

namespace {

QString T(const std::string& english) {
    return QString::fromStdString(platform::TranslateText(english));
}

}  // namespace

void TForm1::ConnectTeachingCommands() {
    // The map and the field under it share the splitter's first place.
    auto* mapSide = new QWidget;
    mapSide->setObjectName("MapSide");
    auto* column = new QVBoxLayout(mapSide);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const int place = Splitter1->indexOf(CarnoGrid1);
    Splitter1->replaceWidget(place, mapSide);
    // The stretch lives in the widget's size policy: the new one must take what the window gains.
    Splitter1->setStretchFactor(place, 1);
    column->addWidget(CarnoGrid1, 1);
    CarnoGrid1->show();
    CheckBar = new TCheckBar(CarnoGrid1, mapSide);
    CheckBar->FormSource = [] { return Windows().Settings.GlueMethod; };
    column->addWidget(CheckBar);
    CheckBar->hide();

    CheckAnswer1 = new QAction("Check my answer", this);
    CheckAnswer1->setObjectName("CheckAnswer1");
    N11->insertAction(Invert1, CheckAnswer1);
    connect(CheckAnswer1, &QAction::triggered, this, &TForm1::CheckAnswer1Click);
    NewExercise1 = new QAction("New exercise...", this);
    NewExercise1->setObjectName("NewExercise1");
    N10->insertAction(N18, NewExercise1);
    connect(NewExercise1, &QAction::triggered, this, &TForm1::NewExercise1Click);
    RetranslateTeaching();

    // A verdict and its marks describe the map they were given.
    const auto stale = [this] { CheckBar->ClearVerdict(); };
    connect(&CarnoGrid1->Model(), &QAbstractItemModel::dataChanged, CheckBar, stale);
    connect(&CarnoGrid1->Model(), &QAbstractItemModel::modelReset, CheckBar, stale);
}

void TForm1::RetranslateTeaching() {
    CheckAnswer1->setText(T("Check my answer"));
    NewExercise1->setText(T("New exercise..."));
    CheckBar->Retranslate();
}

void TForm1::CheckAnswer1Click() {
    CheckBar->Retranslate();
    const bool shown = CheckBar->isVisible();
    CheckBar->show();
    CheckBar->Answer->setFocus();
    if (shown || !CheckBar->Answer->text().trimmed().isEmpty()) CheckBar->Check();
}

void TForm1::NewExercise1Click() {
    // A new dialog each time, so that it speaks the language of the moment; the settings
    // carry over.
    std::optional<explain::ExerciseSettings> last;
    if (ExerciseDialog) last = ExerciseDialog->Settings();
    delete ExerciseDialog;
    ExerciseDialog = new TExerciseDialog(this);
    if (last) ExerciseDialog->SetSettings(*last);
    ExerciseDialog->form = Windows().Settings.GlueMethod;
    if (ExerciseDialog->exec() != QDialog::Accepted) return;
    const explain::ExerciseSettings settings = ExerciseDialog->Settings();
    const std::optional<explain::Exercise> exercise = explain::MakeExercise(settings);
    if (!exercise) {
        platform::Say(
            "No map of this difficulty turned up: try another seed, share of ones or size.");
        return;
    }
    if (Grid.ResultsWouldBeLost()) {
        Grid.ConfirmResultsLoss(AskResultsLost, platform::MsgIcon::Warning);
        if (Grid.ResultsWouldBeLost()) return;  // kept: the map stays as it was
    }
    MapCommand([&] {
        Grid.SetVariableCount(settings.vars);
        for (std::size_t m = 0; m < exercise->table.size(); ++m) {
            const TCellPos pos = Grid.PositionOfMinterm(static_cast<int>(m));
            Grid.SetCells(pos.Col, pos.Row, std::string(1, exercise->table[m]));
        }
    });
    {
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setValue(settings.vars);
    }
    BuildVariableHint();
    CarnoGrid1->Refresh();
    Createreport1->setEnabled(false);
    // The answer stays hidden: the panel that would show it closes.
    DockExplain->hide();
    CheckBar->ClearVerdict();
    CheckBar->Answer->clear();
    const std::string task = platform::TranslateText(
        settings.form == gmKNF ? "Find a minimal product of sums for the map."
                               : "Find a minimal sum of products for the map.");
    const std::string about =
        explain::Fill(platform::TranslateText("%1 variables, seed %2, %3"),
                      {std::to_string(settings.vars), std::to_string(settings.seed),
                       explain::DifficultyName(settings.difficulty)});
    CheckBar->SetExerciseLine(QString::fromStdString(task + " " + about));
    CheckBar->show();
    CheckBar->Answer->setFocus();
}
