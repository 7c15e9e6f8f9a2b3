#include "circuit/CirViewForm.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "circuit/PictureFile.h"
#include "circuit/PrintPicture.h"
#include "circuit/SchemeControl.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/PrintDialog.h"
#include "platform/Translate.h"
#include "ui/Icons.h"
#include "ui/language.h"

using platform::MsgButtons;
using platform::MsgIcon;

namespace {

QToolButton* BarButton(const char* name, const QString& hint, const QIcon& icon, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setIcon(icon);
    b->setIconSize(QSize(25, 25));
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
    SpeedButton1 = BarButton("SpeedButton1", "Save circuit", icons::SaveMap(), Panel1);
    SpeedButton2 = BarButton("SpeedButton2", "Print", icons::Print(), Panel1);
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
    return PictureSaveFilters();
}

void TCirView::SetCircuit(const CircuitOptions& options, const std::string& formula) {
    options_ = options;
    formula_ = formula;
    SetScaleCommands();
}

void TCirView::SetScaleCommands() {
    ScaleDown1->setEnabled(options_.CanScaleDown());
    ScaleUp1->setEnabled(options_.CanScaleUp());
}

bool TCirView::Rebuild() {
    auto* control = new TSchemeControl;
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this,
            [this] { PopupMenu1->popup(QCursor::pos()); });
    control->SetOptions(options_);
    control->Scheme.Formula = formula_;
    control->SetShowGrid(false);
    if (!control->Build()) {
        delete control;
        platform::Say("The circuit is too large to draw at this scale.", MsgIcon::Warning);
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
    const int old = options_.ScaleIndex;
    options_.ScaleIndex = newIndex;
    if (!Rebuild()) {
        options_.ScaleIndex = old;
        return;
    }
    SetScaleCommands();
    emit ScaleChanged(newIndex);
}

void TCirView::ScaleUp1Click() {
    if (options_.CanScaleUp()) Rescale(options_.ScaleIndex + 1);
}

void TCirView::ScaleDown1Click() {
    if (options_.CanScaleDown()) Rescale(options_.ScaleIndex - 1);
}

void TCirView::SpeedButton1Click() {
    if (!CurrentScheme) return;
    const platform::FileChoice choice =
        platform::Dialogs().SaveFile(this, {"Save", SaveFilters(), "jpg", "Circuit"});
    if (!choice.accepted) return;
    const std::string path = choice.path.toStdString();
    const std::optional<PictureKind> kind = PictureKindOfFilter(choice.filterIndex, path);
    if (!kind) {
        platform::Say(
            "Choose a file name ending in one of these extensions: the picture type follows the name.",
            MsgIcon::Warning, MsgButtons::Ok, PictureExtensionList());
        return;
    }
    if (QFileInfo::exists(choice.path) &&
        platform::Say("This file already exist, replace ?", platform::MsgIcon::Warning,
                      platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    std::string error;
    if (!SaveSchemePicture(CurrentScheme->Scheme, path, *kind, &error))
        platform::Say("Can't save the picture.", MsgIcon::Error, MsgButtons::Ok, error);
}

void TCirView::SpeedButton2Click() {
    if (!CurrentScheme) return;
    TScheme& scheme = CurrentScheme->Scheme;
    scheme.DrawToBitmap();
    QPrinter printer;
    printer.setDocName("Mapwright Scheme");
    if (!platform::PrintDialogs().Run(this, printer)) return;
    if (!PrintPicture(printer, scheme.Bitmap)) platform::Say("Can't print the circuit.");
}

void TCirView::FreeScheme() {
    delete SB->takeWidget();
    CurrentScheme = nullptr;
}

void TCirView::done(int result) {
    FreeScheme();
    QDialog::done(result);
}
