#include "explain/ExplainPanel.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QThreadPool>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

#include "engine/MapView.h"
#include "explain/Hazards.h"
#include "explain/LoopOverlay.h"
#include "explain/MethodSection.h"
#include "explain/Sentences.h"
#include "explain/UseResult.h"
#include "platform/Translate.h"
#include "ui/FormulaView.h"

namespace {

QString T(const std::string& english) {
    return QString::fromStdString(platform::TranslateText(english));
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

// The prime chart, drawn on demand: an 8-variable chart may have a hundred thousand marks.
class ChartModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void Set(const explain::Explanation& e) {
        beginResetModel();
        targets_ = e.targets;
        primes_.clear();
        essential_.clear();
        texts_.clear();
        for (const explain::Prime& p : e.primes) {
            primes_.push_back(p.cube);
            essential_.push_back(p.essential);
            texts_.push_back(Q(p.text));
        }
        settled_.assign(targets_.size(), false);
        for (std::size_t r = 0; r < targets_.size(); ++r)
            for (std::size_t c = 0; c < primes_.size(); ++c)
                if (essential_[c] && primes_[c].Has(targets_[r])) settled_[r] = true;
        coreRow_.assign(targets_.size(), false);
        coreCol_.assign(primes_.size(), false);
        for (int m : e.coreCells)
            for (std::size_t r = 0; r < targets_.size(); ++r)
                if (targets_[r] == m) coreRow_[r] = true;
        for (int p : e.corePrimes) coreCol_[p] = true;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(targets_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(primes_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const int r = index.row(), c = index.column();
        const bool holds = primes_[c].Has(static_cast<uint32_t>(targets_[r]));
        if (role == Qt::DisplayRole) return holds ? QStringLiteral("\u00d7") : QString();
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        if (role == Qt::BackgroundRole) {
            if (essential_[c]) return QColor(0xFF, 0xE8, 0xA8);               // essential column
            if (coreRow_[r] && coreCol_[c]) return QColor(0xCF, 0xE6, 0xF7);  // the cyclic core
            if (settled_[r]) return QColor(0xE4, 0xE4, 0xE4);                 // a row they settle
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const bool across = orientation == Qt::Horizontal;
        if (role == Qt::DisplayRole)
            return across ? Q(explain::PrimeLabel(section)) : QString::number(targets_.at(section));
        if (role == Qt::ToolTipRole && across) return texts_.at(section);
        if (role == Qt::FontRole && (across ? coreCol_.at(section) : coreRow_.at(section))) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }

  private:
    std::vector<int> targets_;
    std::vector<mwcore::Cube> primes_;
    std::vector<bool> essential_, settled_, coreRow_, coreCol_;
    std::vector<QString> texts_;
};

TExplainPanel::TExplainPanel(TMapView* map, QWidget* parent)
    : QWidget(parent),
      map_(map),
      overlay_(new TLoopOverlay(map)),
      chartModel_(new ChartModel(this)) {
    setObjectName("ExplainPanel");
    Summary = new QLabel(this);
    Summary->setWordWrap(true);
    Summary->setTextFormat(Qt::RichText);
    Summary->setObjectName("Summary");
    Pages = new QTabWidget(this);

    Primes = new QTreeWidget;
    Primes->setRootIsDecorated(false);
    Primes->setColumnCount(5);
    Primes->setObjectName("Primes");

    auto* chartPage = new QSplitter(Qt::Vertical);
    Chart = new QTableView;
    Chart->setModel(chartModel_);
    Chart->horizontalHeader()->setDefaultSectionSize(34);
    Chart->verticalHeader()->setDefaultSectionSize(20);
    Chart->setSelectionMode(QAbstractItemView::SingleSelection);
    Steps = new QListWidget;
    Steps->setWordWrap(true);
    chartPage->addWidget(Chart);
    chartPage->addWidget(Steps);

    auto* solutionPage = new QWidget;
    CountLabel = new QLabel(solutionPage);
    CountLabel->setWordWrap(true);
    Solutions = new QTreeWidget(solutionPage);
    Solutions->setRootIsDecorated(false);
    Solutions->setColumnCount(4);
    Solutions->setObjectName("Solutions");
    const auto form = [this] { return f_.form; };
    formulaview::ShowFormulaColumn(Primes, 1, form);
    // Every column as wide as its texts and "Essential" uncut, a scroll bar when the panel is
    // narrower; the solutions' formulas whole but wrapped instead, so that solutions that differ
    // late differ on screen without scrolling.
    Primes->setTextElideMode(Qt::ElideNone);
    Primes->header()->setStretchLastSection(false);
    Primes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Primes->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    formulaview::ShowWrappedFormulaColumn(Solutions, 1, form);
    Solutions->setAlternatingRowColors(true);  // where one wrapped solution ends
    UseButton = new QPushButton(solutionPage);
    UseButton->setObjectName("UseButton");
    UseButton->setEnabled(false);
    HazardFree = new QCheckBox(solutionPage);
    HazardFree->setObjectName("HazardFree");
    HazardLabel = new QLabel(solutionPage);
    HazardLabel->setWordWrap(true);
    auto* solutionLayout = new QVBoxLayout(solutionPage);
    solutionLayout->addWidget(CountLabel);
    solutionLayout->addWidget(Solutions);
    solutionLayout->addWidget(HazardFree);
    solutionLayout->addWidget(HazardLabel);
    solutionLayout->addWidget(UseButton);

    Pages->addTab(Primes, QString());
    Pages->addTab(chartPage, QString());
    Pages->addTab(solutionPage, QString());
    MethodPage = new QTextBrowser;
    MethodPage->setObjectName("Method");
    Pages->addTab(MethodPage, QString());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Summary);
    layout->addWidget(Pages);
    Retranslate();

    timer_.setSingleShot(true);
    timer_.setInterval(150);
    connect(&timer_, &QTimer::timeout, this, &TExplainPanel::Start);
    connect(Primes, &QTreeWidget::currentItemChanged, this, &TExplainPanel::PrimeSelected);
    connect(Solutions, &QTreeWidget::currentItemChanged, this, &TExplainPanel::SolutionSelected);
    connect(Pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 0) PrimeSelected();
        if (page == 2) SolutionSelected();
        if (page != 2) overlay_->SetArrows({});
    });
    connect(UseButton, &QPushButton::clicked, this, &TExplainPanel::UseSelected);
    connect(HazardFree, &QCheckBox::toggled, this, &TExplainPanel::SolutionSelected);
}

TExplainPanel::~TExplainPanel() {
    ++generation_;
}

void TExplainPanel::Retranslate() {
    const bool pos = f_.form == gmKNF;
    Pages->setTabText(0, pos ? T("Prime implicates") : T("Prime implicants"));
    Pages->setTabText(1, T("Prime chart"));
    Pages->setTabText(2, T("Minimal solutions"));
    Pages->setTabText(3, T("Step by step"));
    Primes->setHeaderLabels({T("Prime"), T("Term"), T("Cells"), T("Literals"), T("Essential")});
    Solutions->setHeaderLabels({"#", T("Formula"), T("Terms"), T("Literals")});
    UseButton->setText(T("Use as result"));
    HazardFree->setText(T("Hazard-free cover"));
    if (e_.vars > 0) {
        ShowSummary();
        CountLabel->setText(Q(explain::CountText(e_)));
    }
}

void TExplainPanel::Recompute() {
    ++generation_;  // what is running now describes a map that is gone
    overlay_->Clear();
    UseButton->setEnabled(false);
    timer_.start();
}

void TExplainPanel::RunNow() {
    timer_.stop();
    Start();
}

void TExplainPanel::Start() {
    const TGlueMethod form = FormSource ? FormSource() : gmDNF;
    explain::MapFunction f;
    const explain::ReadResult read = explain::ReadMap(map_->Grid(), form, f);
    const int generation = ++generation_;
    if (!read.ok) {
        ShowRefused(read.col, read.row);
        return;
    }
    explain::Limits limits;
    if (LimitSource) limits.maxSolutions = std::max(1, LimitSource());
    ++running_;
    QPointer<TExplainPanel> self(this);
    QThreadPool::globalInstance()->start([self, generation, f, limits] {
        auto e = std::make_shared<explain::Explanation>(explain::Explain(f, limits));
        auto method = std::make_shared<explain::Method>(explain::StepByStep(f, *e));
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, f, e, method] {
                if (!self) return;
                --self->running_;
                if (generation == self->generation_) self->Show(f, *e, *method);
            },
            Qt::QueuedConnection);
    });
}

void TExplainPanel::ShowRefused(int col, int row) {
    f_ = {};
    e_ = {};
    method_ = {};
    Primes->clear();
    MethodPage->clear();
    Steps->clear();
    Solutions->clear();
    chartModel_->Set(e_);
    overlay_->Clear();
    Summary->setText(T("Invalid data in cell.") + " (" + QString::number(col) + ", " +
                     QString::number(row) + ")");
    CountLabel->clear();
    emit Updated();
}

void TExplainPanel::Show(const explain::MapFunction& f, const explain::Explanation& e,
                         const explain::Method& method) {
    f_ = f;
    e_ = e;
    method_ = method;
    Retranslate();
    overlay_->Clear();
    ShowSummary();
    CountLabel->setText(Q(explain::CountText(e)));

    const QSignalBlocker quietPrimes(Primes), quietSolutions(Solutions);
    Primes->clear();
    for (std::size_t i = 0; i < e.primes.size(); ++i) {
        const explain::Prime& p = e.primes[i];
        auto* item = new QTreeWidgetItem(Primes);
        item->setText(0, Q(explain::PrimeLabel(static_cast<int>(i))));
        item->setText(1, Q(p.text));
        item->setText(2, Q(explain::CellList(p.minterms)));
        item->setText(3, QString::number(p.literals));
        if (p.essential) {
            item->setText(4, Q(explain::Fill(platform::TranslateText("yes, by cell %1"),
                                             {std::to_string(p.essentialCell)})));
            QFont bold = item->font(0);
            bold.setBold(true);
            for (int c = 0; c < 5; ++c) item->setFont(c, bold);
        }
    }
    chartModel_->Set(e);
    Steps->clear();
    for (const explain::ChartStep& step : e.steps)
        Steps->addItem(Q(explain::StepSentence(step, e)));
    Solutions->clear();
    for (std::size_t i = 0; i < e.solutions.size(); ++i) {
        auto* item = new QTreeWidgetItem(Solutions);
        item->setText(0, QString::number(i + 1));
        item->setText(1, Q(e.solutions[i].formula));
        item->setText(2, QString::number(e.solutions[i].terms));
        item->setText(3, QString::number(e.solutions[i].literals));
    }
    formulaview::FitWrappedColumn(Solutions, 1);
    MethodPage->setHtml(Q(explain::StepByStepHtml(method_, e_)));
    UseButton->setEnabled(false);
    emit Updated();
}

void TExplainPanel::ShowSummary() {
    if (e_.vars == 0) return;  // nothing explained yet, or a refused map
    // The comparison is with the result the tree shows where there is one of this form: after
    // an exact analysis that is the minimum, not the designed gluing.
    explain::Explanation e = e_;
    const TCarnoGrid& grid = map_->Grid();
    if (grid.ResultCount() > 0 && grid.GlueMethod == e.form) e.gluing = explain::ResultOf(grid);
    Summary->setText(Q(explain::ComparisonLine(e)).toHtmlEscaped() + "<br>" +
                     T("Designed gluing:").toHtmlEscaped() + " " +
                     formulaview::FormulaHtml(e_.gluing.formula, e.form));
}

void TExplainPanel::PrimeSelected() {
    const QTreeWidgetItem* item = Primes->currentItem();
    const int i = item ? Primes->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
    if (i < 0 || i >= static_cast<int>(e_.primes.size())) {
        overlay_->Clear();
        return;
    }
    overlay_->SetLoops({e_.primes[i].minterms});
}

void TExplainPanel::SolutionSelected() {
    const QTreeWidgetItem* item = Solutions->currentItem();
    const int s = item ? Solutions->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
    UseButton->setEnabled(s >= 0 && s < static_cast<int>(e_.solutions.size()));
    if (!UseButton->isEnabled()) {
        overlay_->Clear();
        HazardLabel->clear();
        return;
    }
    std::vector<std::vector<int>> loops;
    if (HazardFree->isChecked()) {
        const explain::HazardFreeCover cover = explain::MakeHazardFree(f_, e_, s);
        for (const mwcore::Cube& c : cover.cubes) loops.push_back(Minterms(c));
        overlay_->SetArrows({});
        HazardLabel->setText(Q(explain::HazardFreeSentence(cover)));
    } else {
        for (int p : e_.solutions[s].primes) loops.push_back(e_.primes[p].minterms);
        const std::vector<explain::CellPair> hazards = explain::SolutionHazards(f_, e_, s);
        overlay_->SetArrows(hazards);
        HazardLabel->setText(Q(explain::HazardSentence(hazards, f_.form)));
    }
    overlay_->SetLoops(loops);
}

std::vector<int> TExplainPanel::Minterms(const mwcore::Cube& cube) const {
    std::vector<int> out;
    for (std::size_t m = 0; m < f_.values.size(); ++m)
        if (cube.Has(static_cast<uint32_t>(m))) out.push_back(static_cast<int>(m));
    return out;
}

void TExplainPanel::UseSelected() {
    const QTreeWidgetItem* item = Solutions->currentItem();
    const int s = item ? Solutions->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
    if (s < 0) return;
    std::vector<std::vector<int>> terms;
    if (HazardFree->isChecked())
        for (const mwcore::Cube& c : explain::MakeHazardFree(f_, e_, s).cubes)
            terms.push_back(Minterms(c));
    const bool used = HazardFree->isChecked() ? explain::UseCover(map_->Grid(), f_, terms)
                                              : explain::UseSolution(map_->Grid(), f_, e_, s);
    if (!used) {
        Recompute();  // the map has changed since: explain it anew
        return;
    }
    emit ResultUsed();
}
