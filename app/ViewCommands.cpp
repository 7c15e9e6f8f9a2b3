// The main window's View menu (zoom of the map), its appearance, and what the window keeps
// between runs: its size and place, the splitter, the open panels, the zoom. Kept as keys of the
// settings file's "Options".

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>

#include "app/Main.h"
#include "engine/MapView.h"
#include "engine/Options.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "ui/Theme.h"

void TForm1::CreateViewCommands() {
    View1 = new QMenu("&View", this);
    View1->setObjectName("View1");
    menuBar()->insertMenu(N12->menuAction(), View1);
    auto add = [this](const char* name, const QString& caption, const QList<QKeySequence>& keys) {
        QAction* a = View1->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(keys);
        return a;
    };
    ZoomIn1 = add("ZoomIn1", "Zoom In",
                  {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ZoomOut1 = add("ZoomOut1", "Zoom Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    ActualSize1 = add("ActualSize1", "Actual Size", {QKeySequence(Qt::CTRL | Qt::Key_0)});
    View1->addSeparator();
    FillWindow1 = add("FillWindow1", "Map Fills the Window", {});
    FillWindow1->setCheckable(true);
    connect(ZoomIn1, &QAction::triggered, CarnoGrid1, &TMapView::ZoomIn);
    connect(ZoomOut1, &QAction::triggered, CarnoGrid1, &TMapView::ZoomOut);
    connect(ActualSize1, &QAction::triggered, this, [this] {
        CarnoGrid1->SetFillWindow(false);
        CarnoGrid1->SetZoom(1.0);
    });
    connect(FillWindow1, &QAction::toggled, CarnoGrid1, &TMapView::SetFillWindow);
    connect(CarnoGrid1, &TMapView::ZoomChanged, this,
            [this] { FillWindow1->setChecked(CarnoGrid1->FillWindow()); });
}

void TForm1::SetAppearance(const QString& setting) {
    theme::Apply(theme::FromSetting(setting));
    CarnoGrid1->ApplyHeaderColours();
    StyleGoButton();
}

void TForm1::ApplyLook(const Options& options) {
    Grid.TermColor = options.ProductsColor;
    if (options.MapFont) {
        QFont font = CarnoGrid1->font();
        font.setFamily(QString::fromStdString(*options.MapFont));
        CarnoGrid1->setFont(font);
    }
    if (options.ResultFont) {
        QFont font = TreeView->font();
        font.setFamily(QString::fromStdString(*options.ResultFont));
        TreeView->setFont(font);
    }
}

void TForm1::KeepLook(Options& options) const {
    options.ProductsColor = Grid.TermColor;
    options.MapFont = CarnoGrid1->font().family().toStdString();
    options.ResultFont = TreeView->font().family().toStdString();
}

void TForm1::StyleGoButton() {
    // The designed green, lighter on a dark look where it would barely show.
    const bool dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
    SpeedButton9->setStyleSheet(dark ? "QToolButton { color: #5fd35f; font-weight: bold; }"
                                     : "QToolButton { color: green; font-weight: bold; }");
}

void TForm1::LoadViewSettings() {
    const platform::IniFile ini = platform::SettingsFile();
    const QByteArray geometry =
        QByteArray::fromBase64(ini.ReadString("Options", "WindowGeometry", "").c_str());
    if (!geometry.isEmpty()) restoreGeometry(geometry);  // refuses what it cannot read
    const QByteArray splitter =
        QByteArray::fromBase64(ini.ReadString("Options", "SplitterState", "").c_str());
    if (!splitter.isEmpty()) Splitter1->restoreState(splitter);
    // The docked panels: where they stand and whether they are open; an open one shows its
    // content at once.
    const QByteArray panels =
        QByteArray::fromBase64(ini.ReadString("Options", "PanelState", "").c_str());
    if (!panels.isEmpty() && restoreState(panels) && !DockExplain->isHidden()) N35Click();
    bool ok = false;
    const int percent =
        QString::fromStdString(ini.ReadString("Options", "MapZoom", "100")).toInt(&ok);
    if (ok) CarnoGrid1->SetZoom(percent / 100.0);
    if (ini.ReadString("Options", "MapFillWindow", "false") == "true")
        FillWindow1->setChecked(true);
}

void TForm1::SaveViewSettings() {
    // Through the settings' own save, which moves to the user's copy where the program's folder
    // cannot take it.
    platform::SaveSettings("Options",
                           {{"WindowGeometry", saveGeometry().toBase64().toStdString()},
                            {"SplitterState", Splitter1->saveState().toBase64().toStdString()},
                            {"PanelState", saveState().toBase64().toStdString()},
                            {"MapZoom", std::to_string(std::lround(CarnoGrid1->Zoom() * 100))},
                            {"MapFillWindow", CarnoGrid1->FillWindow() ? "true" : "false"}});
}
