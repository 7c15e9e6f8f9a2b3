#include "app/tips.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>
#include <random>

#include "app/Windows.h"
#include "engine/Options.h"
#include "platform/IniFile.h"
#include "platform/Jpeg.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "platform/ReadFile.h"
#include "ui/DialogParts.h"
#include "ui/LanguageFile.h"
#include "ui/language.h"

namespace {

using dialogparts::Named;

QFrame* Panel(const char* name, QWidget* parent, const QColor& color) {
    auto* p = Named<QFrame>(name, parent);
    p->setAutoFillBackground(true);
    QPalette palette = p->palette();
    palette.setColor(QPalette::Window, color);
    p->setPalette(palette);
    return p;
}

// The small picture beside the tip; the window does without it when it is missing or damaged.
QPixmap TipPicture() {
    std::string bytes, error;
    if (platform::ReadFileLimited(platform::ProgramFolder() + "tip.jpg", 1 << 16, &bytes, &error) !=
        platform::ReadStatus::Ok)
        return {};
    const QImage image = platform::DecodeJpeg(bytes, 64 * 64, &error);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

}  // namespace

TTipsForm::TTipsForm(QWidget* parent) : QDialog(parent) {
    dialogparts::FixedDialog(this, "TipsForm", "Tip of the day");
    setFixedSize(427, 291);

    Panel1 = Panel("Panel1", this, Qt::white);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2 = Panel("Panel2", Panel1, QColor(0xC0, 0xC0, 0xC0));
    Panel2->setFixedWidth(64);
    Image1 = Named<QLabel>("Image1", Panel2);
    Image1->setPixmap(TipPicture());
    Image1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* strip = new QVBoxLayout(Panel2);
    strip->setContentsMargins(0, 16, 0, 0);
    strip->addWidget(Image1);
    strip->addStretch();

    Panel3 = Panel("Panel3", Panel1, Qt::white);
    Panel4 = Panel("Panel4", Panel3, Qt::white);
    Panel4->setFixedHeight(57);
    QFont heading("Times New Roman");
    heading.setPixelSize(19);
    heading.setBold(true);
    Label1 = Named<QLabel>("Label1", "Did you know...", Panel4);
    Label1->setFont(heading);
    (new QHBoxLayout(Panel4))->addWidget(Label1);
    TipText = Named<QPlainTextEdit>("TipText", Panel3);
    TipText->setReadOnly(true);
    TipText->setFrameStyle(QFrame::NoFrame);
    QFont body("Times New Roman");
    body.setPixelSize(16);
    TipText->setFont(body);
    auto* text = new QVBoxLayout(Panel3);
    text->setContentsMargins(4, 0, 8, 8);
    text->setSpacing(0);
    text->addWidget(Panel4);
    text->addWidget(TipText, 1);

    auto* panel1Layout = new QHBoxLayout(Panel1);
    panel1Layout->setContentsMargins(2, 2, 2, 2);
    panel1Layout->setSpacing(0);
    panel1Layout->addWidget(Panel2);
    panel1Layout->addWidget(Panel3, 1);

    showtips = Named<QCheckBox>("showtips", "Show tips at startup", this);
    showtips->setChecked(true);
    Button1 = Named<QPushButton>("Button1", "Next tip >>", this);
    Button2 = Named<QPushButton>("Button2", "Close", this);
    Button2->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(showtips, 1);
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(Panel1, 1);
    layout->addLayout(bottom);

    std::mt19937 engine(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    Random = [engine](int n) mutable {
        return std::uniform_int_distribution<int>(0, n - 1)(engine);
    };

    connect(Button1, &QPushButton::clicked, this, &TTipsForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TTipsForm::Button2Click);
    dialogparts::CentreOnScreen(this);
    FormCreate();
}

void TTipsForm::FormCreate() {
    TranslateWindows();
    if (const auto flag = Windows().Settings.ShowTips) {
        showtips->setChecked(*flag);
        ShowAtStart = *flag;
    }
}

void TTipsForm::Button1Click() {
    const TLanguage* language = TLanguage::Current();
    // Without a chosen language the tips come from the program's own, English.
    const std::string file = language && !language->LanguageFile.isEmpty()
                                 ? language->LanguageFile.toStdString()
                                 : language::LanguageFilePath(platform::ProgramFolder(), "english");
    const auto tip = language::DrawTip(file, Random);
    if (!tip) return;
    QStringList lines;
    for (const std::string& line : *tip) lines << QString::fromStdString(line);
    TipText->setPlainText(lines.join('\n'));
}

void TTipsForm::Button2Click() {
    if (platform::SettingsFile().Exists()) {
        Windows().Settings.ShowTips = showtips->isChecked();
        platform::SaveSettings("Options", {{"ShowTips", showtips->isChecked() ? "true" : "false"}});
    }
    accept();
}
