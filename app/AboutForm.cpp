#include "app/AboutForm.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>

#include "ui/DialogParts.h"
#include "ui/language.h"

namespace about {

const std::vector<Loop>& PictureLoops() {
    // The square of four, the pair down the last column and the pair along the last row.
    static const std::vector<Loop> loops = {{0, 0, 2, 2}, {3, 1, 1, 2}, {2, 3, 2, 1}};
    return loops;
}

}  // namespace about

namespace {

// A small Karnaugh map with its minimal grouping, the product's name and its version.
class AboutPicture : public QWidget {
  public:
    explicit AboutPicture(QWidget* parent) : QWidget(parent) { setFixedSize(300, 225); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, height());
        sky.setColorAt(0, QColor(0x1F, 0x3A, 0x5F));
        sky.setColorAt(1, QColor(0x4A, 0x7F, 0xB0));
        p.fillRect(rect(), sky);

        const int cell = 26, left = 24, top = 46;
        QFont digits("DejaVu Sans");
        digits.setPixelSize(13);
        p.setFont(digits);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                const QRect box(left + c * cell, top + r * cell, cell, cell);
                p.fillRect(box, Qt::white);
                p.setPen(QColor(0x80, 0x80, 0x80));
                p.drawRect(box);
                p.setPen(Qt::black);
                p.drawText(box, Qt::AlignCenter, QString(QChar(about::kPictureCells[r * 4 + c])));
            }
        }
        p.setBrush(Qt::NoBrush);
        const QColor colours[] = {QColor(0xD0, 0x30, 0x30), QColor(0x20, 0xA0, 0x40),
                                  QColor(0xE0, 0x90, 0x10)};
        int k = 0;
        for (const about::Loop& loop : about::PictureLoops()) {
            p.setPen(QPen(colours[k++ % 3], 2.5));
            p.drawRoundedRect(QRectF(left + loop.col * cell + 3, top + loop.row * cell + 3,
                                     loop.cols * cell - 6, loop.rows * cell - 6),
                              8, 8);
        }

        QFont title("DejaVu Serif");
        title.setPixelSize(24);
        title.setBold(true);
        p.setFont(title);
        p.setPen(Qt::white);
        p.drawText(QRect(140, 60, 156, 40), Qt::AlignLeft | Qt::AlignVCenter, "Mapwright");
        QFont small("DejaVu Sans");
        small.setPixelSize(14);
        p.setFont(small);
        p.setPen(QColor(0xE0, 0xE8, 0xF0));
        p.drawText(QRect(142, 100, 156, 24), Qt::AlignLeft | Qt::AlignVCenter, "Version 1.2");
        p.drawText(QRect(142, 124, 156, 40), Qt::AlignLeft | Qt::TextWordWrap,
                   QString::fromUtf8("Karnaugh maps \u2192 minimal formulas"));
    }
};

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    dialogparts::FixedDialog(this, "AboutBox", "About");
    setFixedSize(302, 270);

    ShockwaveFlash1 = new AboutPicture(this);
    ShockwaveFlash1->setObjectName("ShockwaveFlash1");
    ShockwaveFlash1->move(0, 0);
    Bevel2 = new QFrame(this);
    Bevel2->setObjectName("Bevel2");
    Bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel2->setGeometry(4, 228, 294, 4);
    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(302 - 8 - 90, 236, 90, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    dialogparts::CentreOnScreen(this);
    FormCreate();
}

void TAboutBox::FormCreate() {
    TranslateWindows();
}
