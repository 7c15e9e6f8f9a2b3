#include "circuit/CirViewForm.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/WindowRegistry.h"
#include "ui/language.h"
#include "circuit/CircuitForm.h"
#include "circuit/PictureFile.h"
#include "circuit/PrintPicture.h"
#include "circuit/SchemeControl.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/PrintDialog.h"
#include "platform/Translate.h"

using platform::MsgButtons;
using platform::MsgIcon;

namespace {

void Say(const std::string& english, MsgIcon icon, const std::string& detail = {}) {
    std::string text = platform::TranslateText(english);
    if (!detail.empty()) text += "\n" + detail;
    platform::ShowMessage(text, icon, MsgButtons::Ok);
}

QToolButton* BarButton(const char* name, const QString& hint, QStyle::StandardPixmap icon,
                       QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setFixedSize(33, 33);
    return b;
}

QAction* MenuAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

TCirView::TCirView(QWidget* parent) : QDialog(parent) {
    setObjectName("CirView");
    setWindowTitle("Circuit View");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setModal(true);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    SpeedButton1 = BarButton("SpeedButton1", "Save circuit", QStyle::SP_DialogSaveButton, Panel1);
    SpeedButton2 = BarButton("SpeedButton2", "Print", QStyle::SP_FileDialogDetailedView, Panel1);
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addWidget(SpeedButton1);
    bar->addWidget(SpeedButton2);
    bar->addStretch();

    SB = new QScrollArea(this);
    SB->setObjectName("SB");
    SB->setWidgetResizable(false);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    ScaleUp1 = MenuAction(PopupMenu1, "ScaleUp1", "Scale Up");
    ScaleDown1 = MenuAction(PopupMenu1, "ScaleDown1", "Scale Down");
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName("N1");
    Save1 = MenuAction(PopupMenu1, "Save1", "&Save...");
    Print1 = MenuAction(PopupMenu1, "Print1", "&Print");
    SB->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SB, &QWidget::customContextMenuRequested, this,
            [this] { PopupMenu1->popup(QCursor::pos()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(SB, 1);

    connect(ScaleUp1, &QAction::triggered, this, &TCirView::ScaleUp1Click);
    connect(ScaleDown1, &QAction::triggered, this, &TCirView::ScaleDown1Click);
    connect(Save1, &QAction::triggered, this, &TCirView::SpeedButton1Click);
    connect(Print1, &QAction::triggered, this, &TCirView::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TCirView::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TCirView::SpeedButton2Click);
    TranslateWindows();  // the language chosen so far
}

const QStringList& TCirView::SaveFilters() {
    static const QStringList filters = {"JPEG Image File (*.jpg)", "JPEG Image File (*.jpeg)",
                                        "Bitmaps (*.bmp)",
                                        "All images ( jpg, jpeg, bmp) (*.jpg *.jpeg *.bmp)"};
    return filters;
}

void TCirView::SetScaleCommands(int scaleIndex) {
    ScaleDown1->setEnabled(scaleIndex > 0);
    ScaleUp1->setEnabled(scaleIndex < 3);
}

bool TCirView::Rebuild() {
    const TCircuit* circuit = Windows().Circuit;
    if (!circuit) return false;
    auto* control = new TSchemeControl;
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this,
            [this] { PopupMenu1->popup(QCursor::pos()); });
    circuit->TransferOptions(*control);
    control->SetShowGrid(false);
    if (!control->Build()) {
        delete control;
        Say("The circuit is too large to draw at this scale.", MsgIcon::Warning);
        return false;
    }
    SB->setWidget(control);  // frees the previous control
    CurrentScheme = control;
    return true;
}

void TCirView::ShowModal() {
    if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
}

void TCirView::Rescale(int newIndex) {
    TCircuit* circuit = Windows().Circuit;
    if (!circuit) return;
    const int old = circuit->ScaleIndex();
    circuit->SetScaleIndex(newIndex);
    if (!Rebuild()) {
        circuit->SetScaleIndex(old);
        return;
    }
    SetScaleCommands(circuit->ScaleIndex());
}

void TCirView::ScaleUp1Click() {
    if (const TCircuit* circuit = Windows().Circuit)
        Rescale(std::min(circuit->ScaleIndex() + 1, 3));
}

void TCirView::ScaleDown1Click() {
    if (const TCircuit* circuit = Windows().Circuit)
        Rescale(std::max(circuit->ScaleIndex() - 1, 0));
}

void TCirView::SpeedButton1Click() {
    if (!CurrentScheme) return;
    const platform::FileChoice choice =
        platform::Dialogs().SaveFile(this, {"Save", SaveFilters(), "jpg", "Circuit"});
    if (!choice.accepted) return;
    const std::string path = choice.path.toStdString();
    const std::optional<PictureKind> kind = PictureKindOfFilter(choice.filterIndex, path);
    if (!kind) {
        Say("Choose a file name ending in .jpg, .jpeg or .bmp: the picture type follows the name.",
            MsgIcon::Warning);
        return;
    }
    if (QFileInfo::exists(choice.path) &&
        platform::ShowMessage(platform::TranslateText("This file already exist, replace ?"),
                              MsgIcon::Warning, MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    TScheme& scheme = CurrentScheme->Scheme;
    scheme.DrawToBitmap();
    std::string error;
    if (!SavePicture(scheme.Bitmap, path, *kind, &error))
        Say("Can't save the picture.", MsgIcon::Error, error);
}

void TCirView::SpeedButton2Click() {
    if (!CurrentScheme) return;
    TScheme& scheme = CurrentScheme->Scheme;
    scheme.DrawToBitmap();
    QPrinter printer;
    printer.setDocName("Mapwright Scheme");
    if (!platform::PrintDialogs().Run(this, printer)) return;
    if (!PrintPicture(printer, scheme.Bitmap)) Say("Can't print the circuit.", MsgIcon::Error);
}

void TCirView::FreeScheme() {
    delete SB->takeWidget();
    CurrentScheme = nullptr;
}

void TCirView::done(int result) {
    FreeScheme();
    QDialog::done(result);
}
