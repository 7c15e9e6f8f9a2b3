#include "circuit/CircuitForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "circuit/CirViewForm.h"
#include "circuit/SchemePainter.h"
#include "input/FormulaMessage.h"
#include "platform/Colour.h"
#include "platform/Message.h"
#include "platform/QtColour.h"
#include "platform/Translate.h"
#include "ui/DialogParts.h"
#include "ui/WindowRegistry.h"
#include "ui/language.h"

namespace {

using dialogparts::Named;

struct NamedColor {
    const char* name;
    std::uint32_t value;  // 0x00BBGGRR
};

// The colour box's standard and extended colours.
constexpr NamedColor kColors[] = {
    {platform::ToTranslate("Black"), 0x000000},
    {platform::ToTranslate("Maroon"), 0x000080},
    {platform::ToTranslate("Green"), 0x008000},
    {platform::ToTranslate("Olive"), 0x008080},
    {platform::ToTranslate("Navy"), 0x800000},
    {platform::ToTranslate("Purple"), 0x800080},
    {platform::ToTranslate("Teal"), 0x808000},
    {platform::ToTranslate("Gray"), 0x808080},
    {platform::ToTranslate("Silver"), 0xC0C0C0},
    {platform::ToTranslate("Red"), 0x0000FF},
    {platform::ToTranslate("Lime"), 0x00FF00},
    {platform::ToTranslate("Yellow"), 0x00FFFF},
    {platform::ToTranslate("Blue"), 0xFF0000},
    {platform::ToTranslate("Fuchsia"), 0xFF00FF},
    {platform::ToTranslate("Aqua"), 0xFFFF00},
    {platform::ToTranslate("White"), 0xFFFFFF},
    {platform::ToTranslate("Money Green"), 0xC0DCC0},
    {platform::ToTranslate("Sky Blue"), 0xF0CAA6},
    {platform::ToTranslate("Cream"), 0xF0FBFF},
    {platform::ToTranslate("Medium Gray"), 0xA4A0A0},
};

// The two choices of a group, one above the other; returns the second.
QRadioButton* StackButtons(QGroupBox* group, QRadioButton* first, QRadioButton* second) {
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return second;
}

QIcon Swatch(std::uint32_t value) {
    QPixmap pixmap(16, 12);
    pixmap.fill(platform::ToQColor(value));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

}  // namespace

TCircuit::TCircuit(QWidget* parent) : QDialog(parent) {
    setObjectName("Circuit");
    setWindowTitle("Formula to Circuit");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    GroupBox1 = Named<QGroupBox>("GroupBox1", " Gate System", this);
    EU = Named<QRadioButton>("EU", "European", GroupBox1);
    US = Named<QRadioButton>("US", "USA", GroupBox1);
    StackButtons(GroupBox1, EU, US)->setChecked(true);

    GroupBox2 = Named<QGroupBox>("GroupBox2", " Circuit type ", this);
    ANDOR = Named<QRadioButton>("ANDOR", "AND/OR", GroupBox2);
    NAND = Named<QRadioButton>("NAND", "NAND", GroupBox2);
    StackButtons(GroupBox2, ANDOR, NAND)->setChecked(true);

    Label1 = Named<QLabel>("Label1", "Formula", this);
    Func = Named<QPlainTextEdit>("Func", this);
    Func->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Func->setFixedHeight(64);

    Label3 = Named<QLabel>("Label3", "Formula type", this);
    FormType = Named<QComboBox>("FormType", this);
    AddEnglishItems(FormType, {platform::ToTranslate("SOP"), platform::ToTranslate("POS")});

    Label2 = Named<QLabel>("Label2", "Paper Color", this);
    PaperColor = Named<QComboBox>("PaperColor", this);
    for (const NamedColor& c : kColors) {
        AddEnglishItems(PaperColor, {c.name});
        PaperColor->setItemIcon(PaperColor->count() - 1, Swatch(c.value));
        PaperColor->setItemData(PaperColor->count() - 1, QVariant::fromValue(c.value));
        if (c.value == 0xFFFFFF) PaperColor->setCurrentIndex(PaperColor->count() - 1);
    }

    Label4 = Named<QLabel>("Label4", "Scale", this);
    Scale = Named<QComboBox>("Scale", this);
    AddEnglishItems(Scale, {platform::ToTranslate("Small"), platform::ToTranslate("Medium"),
                            platform::ToTranslate("Large"), platform::ToTranslate("Huge")});
    Scale->setCurrentIndex(1);

    BitBtn1 = Named<QPushButton>("BitBtn1", "Cancel", this);
    BitBtn2 = Named<QPushButton>("BitBtn2", "Convert", this);
    BitBtn2->setDefault(true);

    auto* options = new QGridLayout;
    options->addWidget(Label3, 0, 0);
    options->addWidget(FormType, 0, 1);
    options->addWidget(Label2, 1, 0);
    options->addWidget(PaperColor, 1, 1);
    options->addWidget(Label4, 2, 0);
    options->addWidget(Scale, 2, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    groups->addLayout(options);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Func);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn2, &QPushButton::clicked, this, &TCircuit::BitBtn2Click);
    TranslateWindows();  // the language chosen so far
    if (const QScreen* screen = this->screen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

int TCircuit::ScaleIndex() const {
    return std::max(0, Scale->currentIndex());
}

void TCircuit::SetScaleIndex(int index) {
    Scale->setCurrentIndex(std::clamp(index, 0, int(CircuitOptions::kScaleSteps.size()) - 1));
}

std::uint32_t TCircuit::PaperColorValue() const {
    return PaperColor->currentData().toUInt();
}

TFormulaType TCircuit::FormulaType() const {
    return FormType->currentIndex() == 1 ? ftCNF : ftDNF;
}

CircuitOptions TCircuit::Options() const {
    CircuitOptions options;
    options.FormulaType = FormulaType();
    options.SchemeType = ANDOR->isChecked() ? stAND_OR : stNAND;
    options.GateSystem = EU->isChecked() ? gsEU : gsUS;
    options.ScaleIndex = ScaleIndex();
    options.PaperColor = PaperColorValue();
    return options;
}

void TCircuit::Open(const QString& formula, TFormulaType form) {
    if (!formula.isEmpty()) Func->setPlainText(formula);
    FormType->setCurrentIndex(form == ftCNF ? 1 : 0);
    SetScaleIndex(CircuitOptions::kMediumScale);
    exec();
}

void TCircuit::BitBtn2Click() {
    const std::string formula = Func->toPlainText().toStdString();
    if (const auto error = CheckSchemeFormula(formula, FormulaType())) {
        platform::Say(error->message, platform::MsgIcon::Error, platform::MsgButtons::Ok,
                      PositionText(error->position));
        return;
    }
    accept();
    TCirView* view = Windows().CirView;
    if (!view) return;
    connect(view, &TCirView::ScaleChanged, this, &TCircuit::SetScaleIndex, Qt::UniqueConnection);
    view->SetCircuit(Options(), formula);
    if (formula.empty()) {
        platform::Say("There is no formula to draw.", platform::MsgIcon::Information,
                      platform::MsgButtons::Ok);
        return;
    }
    if (view->Rebuild()) view->ShowModal();
}
