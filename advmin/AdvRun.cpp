// The advanced tool's analysis run: the lists checked here, the core called on a thread of
// its own while the window stays live with a progress bar and a Cancel button, and the
// answer shown in the tree: one result per function, or per output with the products that
// several outputs share marked.

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <exception>
#include <set>
#include <thread>

#include "advmin/AdvMinimize.h"
#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "engine/VariableName.h"
#include "platform/Message.h"
#include "platform/Translate.h"
#include "ui/DialogParts.h"
#include "ui/FormulaView.h"
#include "ui/Icons.h"
#include "ui/QtResultTree.h"

namespace {

// The pause after a stretch of filling or emptying the tree, from its end: a timer due at once
// would leave the window's other timers waiting behind the whole fill.
constexpr int kTreeTurnMs = 4;

QString T(const char* english) {
    return QString::fromStdString(platform::TranslateText(english));
}

}  // namespace

void TAdvMin::CreateRunPart(QHBoxLayout* row) {
    ProgressBar1 = dialogparts::Named<QProgressBar>("ProgressBar1", this);
    ProgressBar1->setRange(0, 0);  // the core says nothing of its advance: a busy bar
    ProgressBar1->setMaximumWidth(160);
    ProgressBar1->setTextVisible(false);
    Label9 = dialogparts::Named<QLabel>("Label9", this);
    BitBtn3 = dialogparts::Named<QPushButton>("BitBtn3", "Cancel", this);
    BitBtn3->setToolTip("Stop the minimization and keep the best cover found so far");
    for (QWidget* w : std::initializer_list<QWidget*>{ProgressBar1, Label9, BitBtn3}) {
        row->addWidget(w);
        w->hide();
    }
    connect(BitBtn3, &QPushButton::clicked, this, &TAdvMin::BitBtn3Click);
}

bool TAdvMin::Running() const {
    return run_ && run_->thread.joinable();
}

void TAdvMin::BitBtn3Click() {
    if (!Running()) return;
    run_->cancelled = true;
    Label9->setText(T("Stopping..."));
    BitBtn3->setEnabled(false);
    try {
        core_->Cancel();
    } catch (const std::exception&) {
        // The run ends by itself and says what went wrong.
    }
}

void TAdvMin::reject() {
    if (Running()) return BitBtn3Click();  // the window stays until the core has stopped
    QDialog::reject();
}

void TAdvMin::closeEvent(QCloseEvent* event) {
    if (Running()) {
        event->ignore();
        BitBtn3Click();
        return;
    }
    QDialog::closeEvent(event);
}

void TAdvMin::OffThread(const char* doing, bool cancellable, const Work& work) {
    run_ = std::make_unique<Run>();
    std::exception_ptr failure;
    platform::RecordingMessageSink said;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    const auto showTime = [&] {
        if (!run_->cancelled)
            Label9->setText(T(doing) + " " + QString::number(clock.elapsed() / 1000) + " s");
    };
    connect(&tick, &QTimer::timeout, this, showTime);
    showTime();
    PageControl1->setEnabled(false);
    BitBtn1->setEnabled(false);
    BitBtn3->setEnabled(cancellable);
    ProgressBar1->show();
    Label9->show();
    BitBtn3->setVisible(cancellable);
    run_->thread = std::thread([&, run = run_.get()] {
        {
            // Nothing here may open a window: what the work says waits for the loop's end.
            const platform::ScopedThreadMessageSink recorded(&said);
            try {
                work(run->cancelled);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    tick.start(250);
    loop.exec();
    run_->thread.join();
    tick.stop();
    for (QWidget* w : std::initializer_list<QWidget*>{ProgressBar1, Label9, BitBtn3}) w->hide();
    PageControl1->setEnabled(true);
    BitBtn1->setEnabled(true);
    run_.reset();
    for (const platform::RecordingMessageSink::Record& r : said.Shown())
        platform::ShowMessage(r.text, r.icon, r.buttons);
    if (failure) std::rethrow_exception(failure);
}

bool TAdvMin::NamesReady(int n, const std::vector<OutputFunction>& outputs) {
    updatevarnames();
    // A name the results could not be read back by stops the run before the core is called.
    for (int i = 0; i < n; ++i) {
        if (const std::string problem = varname::Problem(VarNames[i]); !problem.empty()) {
            platform::ShowMessage(problem, platform::MsgIcon::Error, platform::MsgButtons::Ok);
            return false;
        }
    }
    if (outputs.size() < 2) return true;
    if (const std::string problem = OutputNamesProblem(outputs); !problem.empty()) {
        platform::ShowMessage(platform::TranslateText(problem), platform::MsgIcon::Error,
                              platform::MsgButtons::Ok);
        return false;
    }
    return true;
}

bool TAdvMin::PrepareCore(bool rows, int n, int k) {
    // Function strings are the core's starting form; a core that predates rows is asked only
    // for them.
    if (rows != coreRows_) {
        if (!SetCoreCubeInput(*core_, rows)) return false;
        coreRows_ = rows;
        coreCount_ = -1;  // a count past the strings' is forgotten on the way back
    }
    // The core learns the count from the changes of the spin box; until the first one it has
    // not been told the starting count.
    if (coreCount_ != n) {
        if (!SetCoreVariableCount(*core_, n)) return false;
        coreCount_ = n;
    }
    // The core starts at thorough and one function; a core that predates the later calls is
    // only asked for something else.
    if (EffortBox->currentIndex() != coreEffort_) {
        if (!SetCoreEffort(*core_, EffortBox->currentIndex())) return false;
        coreEffort_ = EffortBox->currentIndex();
    }
    if (k != coreOutputs_) {
        if (!SetCoreOutputCount(*core_, k)) return false;
        coreOutputs_ = k;
    }
    return true;
}

void TAdvMin::SpeedButton9Click() {
    if (Running()) return;
    if (rows_) return RunRows();
    const int n = Spin->value();
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3})
        if (!box->currentText().isEmpty() && box->findText(box->currentText()) < 0)
            box->addItem(box->currentText());
    const std::vector<OutputFunction> outputs = Outputs();
    const int k = static_cast<int>(outputs.size());
    std::vector<std::array<std::string, 3>> lists;
    for (const OutputFunction& o : outputs) {
        for (const std::string& list : o.lists)
            if (!ValidateList(list)) return;
        lists.push_back(o.lists);
    }
    if (!NamesReady(n, outputs)) return;
    if (k > 1) {
        if ((static_cast<std::size_t>(k) << n) > kMaxFunctionCharacters) {
            platform::Say("These functions are too large to be held at once.",
                          platform::MsgIcon::Error);
            return;
        }
    }
    if (!PrepareCore(false, n, k)) return;
    RunAndShow(n, outputs, [&](const std::atomic<bool>& cancelled) {
        return CallCore(*core_, n, lists, cancelled);
    });
}

void TAdvMin::RunAndShow(int n, const std::vector<OutputFunction>& outputs, const CoreCall& call) {
    const int k = static_cast<int>(outputs.size());
    // The core and the reading of its answer run off this thread; only the tree is filled here.
    MemoryResultTree one;
    QStringList formulas;  // one's roots as text: a formula may run to megabytes
    CoreStats stats;
    OutputsAnswer several;
    try {
        OffThread("Minimizing...", true, [&](const std::atomic<bool>& cancelled) {
            const std::vector<std::string> lines = call(cancelled);
            if (k == 1) {
                ResultsIntoTree(lines, one, n, nullptr, &stats);
                for (const MemoryResultTree::Node& root : one.roots)
                    formulas.append(QString::fromStdString(root.text));
            } else {
                several = ReadOutputResults(lines, n, k);
            }
        });
    } catch (const CoreAnswerError& e) {
        return ShowCoreFailure(e.what());
    } catch (const std::exception& e) {
        return ShowCoreFailure(platform::TranslateText(e.what()));
    }
    resultNames_.clear();
    if (k == 1) {
        ShowTree(std::move(one), formulas);
        ShowRunNote(stats, {});
    } else {
        for (const OutputFunction& o : outputs) resultNames_.push_back(o.name);
        ShowOutputResults(several);
    }
    // The code pages show the whole result from here on, no line of the tree chosen first.
    if (QTreeWidgetItem* first = TreeView->topLevelItem(0)) TreeView->setCurrentItem(first);
}

void TAdvMin::ShowTree(MemoryResultTree result, const QStringList& formulas) {
    DropTree();
    TreeView->setUpdatesEnabled(false);
    QList<QTreeWidgetItem*> roots;
    for (const QString& formula : formulas) {
        auto* root = new QTreeWidgetItem(QStringList{formula});
        root->setIcon(0, icons::FormulaNode());
        root->setData(0, formulaview::kShapeRole, gmDNF);  // the core gives sums of products
        roots.append(root);
    }
    TreeView->addTopLevelItems(roots);
    for (QTreeWidgetItem* root : roots) root->setExpanded(true);  // the terms are what one came for
    filling_ = std::move(result.roots);
    fillRoot_ = fillChild_ = 0;
    FillTreeSome();
    TreeView->setUpdatesEnabled(true);
}

void TAdvMin::FillTreeSome() {
    // A stretch takes some tens of milliseconds and some thousands of terms at least: the view
    // lays out all the shown rows again after each, which smaller stretches would only repeat.
    constexpr int kAtLeast = 2000;
    constexpr qint64 kBudgetMs = 25;
    QElapsedTimer clock;
    clock.start();
    int made = 0;
    while (fillRoot_ < filling_.size()) {
        const std::vector<std::string>& terms = filling_[fillRoot_].children;
        QList<QTreeWidgetItem*> stretch;
        while (fillChild_ < terms.size() && (made < kAtLeast || clock.elapsed() < kBudgetMs)) {
            auto* term =
                new QTreeWidgetItem(QStringList{QString::fromStdString(terms[fillChild_])});
            term->setIcon(0, icons::TermNode());
            stretch.append(term);
            ++fillChild_;
            ++made;
        }
        if (QTreeWidgetItem* root = TreeView->topLevelItem(static_cast<int>(fillRoot_)))
            root->addChildren(stretch);
        else
            qDeleteAll(stretch);
        if (fillChild_ < terms.size()) {  // the budget is spent
            AfterATurn(fillTimer_, [this] { FillTreeSome(); });
            return;
        }
        ++fillRoot_;
        fillChild_ = 0;
    }
    StopFillingTree();
}

void TAdvMin::DropTree() {
    StopFillingTree();
    while (TreeView->topLevelItemCount() > 0) {
        QTreeWidgetItem* root = TreeView->takeTopLevelItem(0);
        for (QTreeWidgetItem* term : root->takeChildren()) dropped_.emplace_back(term);
        dropped_.emplace_back(root);
    }
    TreeView->clear();
    DropSome();
}

void TAdvMin::DropSome() {
    constexpr std::size_t kStretch = 20000;
    if (dropped_.size() <= kStretch) return dropped_.clear();
    dropped_.resize(dropped_.size() - kStretch);
    AfterATurn(dropTimer_, [this] { DropSome(); });
}

void TAdvMin::AfterATurn(QTimer*& timer, const std::function<void()>& then) {
    if (!timer) {
        timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(kTreeTurnMs);
        connect(timer, &QTimer::timeout, this, then);
    }
    timer->start();
}

void TAdvMin::StopFillingTree() {
    filling_.clear();
    fillRoot_ = fillChild_ = 0;
    if (fillTimer_) fillTimer_->stop();
}

void TAdvMin::ShowOutputResults(const OutputsAnswer& answer) {
    std::vector<std::vector<std::string>> terms;
    for (const OutputResult& r : answer.outputs) terms.push_back(r.terms);
    const auto shared = SharedTerms(terms);
    DropTree();
    std::set<std::string> products, sharedProducts;
    for (std::size_t j = 0; j < answer.outputs.size(); ++j) {
        const OutputResult& r = answer.outputs[j];
        auto* root = new QTreeWidgetItem(TreeView, QStringList{QString::fromStdString(r.formula)});
        root->setData(0, formulaview::kPrefixRole, QString::fromStdString(resultNames_[j]) + " = ");
        root->setData(0, formulaview::kShapeRole, gmDNF);
        root->setIcon(0, icons::FormulaNode());
        // Every term is listed, a lone one too, so that what it shares can be seen.
        for (std::size_t t = 0; t < r.terms.size(); ++t) {
            auto* term = new QTreeWidgetItem(root, QStringList{QString::fromStdString(r.terms[t])});
            term->setIcon(0, icons::TermNode());
            products.insert(r.terms[t]);
            if (shared[j][t].empty()) continue;
            sharedProducts.insert(r.terms[t]);
            QStringList others;
            for (int o : shared[j][t]) others << QString::fromStdString(resultNames_[o]);
            term->setData(0, formulaview::kSuffixRole,
                          "   \u2190 " + T("shared with") + " " + others.join(", "));
            QFont bold = term->font(0);
            bold.setBold(true);
            term->setFont(0, bold);
        }
        root->setExpanded(true);
    }
    ShowRunNote(answer.stats, T("Products:") + " " + QString::number(products.size()) + ", " +
                                  T("shared:") + " " + QString::number(sharedProducts.size()) +
                                  (answer.minimum ? ", " + T("proven minimum") : QString()));
}

void TAdvMin::ShowRunNote(const std::vector<std::pair<std::string, std::string>>& stats,
                          const QString& more) {
    QString note = more;
    if (StoppedByCancel(stats)) {
        if (!note.isEmpty()) note += "\n";
        note += T("Cancelled: the best cover found so far is shown; it may not be the smallest.");
    }
    Label10->setText(note);
    Label10->setVisible(!note.isEmpty());
}
