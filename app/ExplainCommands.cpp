// The main window's "Minimal solutions" panel: a dock beside the result tree, its menu entry
// (F6) and tool button, and what keeps it in step with the map and the options.

#include <QAction>
#include <QBoxLayout>
#include <QDockWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

#include "app/Main.h"
#include "app/OptionsForm.h"
#include "app/Windows.h"
#include "engine/MapView.h"
#include "explain/ExplainPanel.h"
#include "explain/LoopOverlay.h"
#include "platform/Translate.h"
#include "ui/ShortcutTip.h"

void TForm1::ConnectExplainCommands() {
    DockExplain = new QDockWidget(this);
    DockExplain->setObjectName("DockExplain");
    DockExplain->setWindowTitle(
        QString::fromStdString(platform::TranslateText("Minimal solutions")));
    ExplainPanel = new TExplainPanel(CarnoGrid1, DockExplain);
    DockExplain->setWidget(ExplainPanel);
    addDockWidget(Qt::RightDockWidgetArea, DockExplain);
    DockExplain->hide();
    ExplainPanel->FormSource = [] { return Windows().Settings.GlueMethod; };
    ExplainPanel->LimitSource = [] { return Windows().Settings.MaxSolutions; };

    N35 = new QAction("Minimal solutions", this);
    N35->setObjectName("N35");
    N35->setToolTip("Minimal solutions");
    N35->setShortcut(Qt::Key_F6);
    N11->insertAction(Invert1, N35);
    // F6 and the menu entry show the panel, and hide it when it is shown.
    connect(N35, &QAction::triggered, this, [this] {
        if (DockExplain->isVisible())
            DockExplain->hide();
        else
            N35Click();
    });

    SpeedButton12 = new QToolButton(Panel6);
    SpeedButton12->setObjectName("SpeedButton12");
    SpeedButton12->setToolTip("Minimal solutions");
    SpeedButton12->setText("Min");
    SpeedButton12->setAutoRaise(true);
    SpeedButton12->setCheckable(true);
    SpeedButton12->setFixedSize(33, 33);
    if (auto* row = qobject_cast<QBoxLayout*>(Panel6->layout()))
        row->insertWidget(row->indexOf(SpeedButton10), SpeedButton12);
    NameShortcut(SpeedButton12, N35->shortcut());
    connect(SpeedButton12, &QToolButton::clicked, this, [this](bool on) {
        if (on)
            N35Click();
        else
            DockExplain->hide();
    });
    connect(DockExplain, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        SpeedButton12->setChecked(shown);
        if (!shown) ExplainPanel->Loops()->Clear();
    });

    // Every change of the map's contents or shape, while the panel is shown.
    const auto follow = [this] {
        if (DockExplain->isVisible()) ExplainPanel->Recompute();
    };
    connect(&CarnoGrid1->Model(), &QAbstractItemModel::dataChanged, this, follow);
    connect(&CarnoGrid1->Model(), &QAbstractItemModel::modelReset, this, follow);
    connect(ExplainPanel, &TExplainPanel::ResultUsed, this, [this] {
        expanded_ = nullptr;
        ShowResultIcons();
        CarnoGrid1->Repaint();
        Createreport1->setEnabled(true);
    });
}

void TForm1::RetranslateExplain() {
    const QString title = QString::fromStdString(platform::TranslateText("Minimal solutions"));
    DockExplain->setWindowTitle(title);
    N35->setText(title);
    N35->setToolTip(title);
    SpeedButton12->setToolTip(title);
    ExplainPanel->Retranslate();
}

void TForm1::N35Click() {
    DockExplain->setWindowTitle(
        QString::fromStdString(platform::TranslateText("Minimal solutions")));
    DockExplain->show();
    DockExplain->raise();
    // Room for the panel beside the map and the tools, rather than squeezing either.
    if (const int need = minimumSizeHint().width(); width() < need) resize(need, height());
    ExplainPanel->RunNow();
}
