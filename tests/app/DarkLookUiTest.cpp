// The dark look keeps the pictures on the buttons readable: measured, WCAG's 3:1 for graphics.

#include <QRadioButton>
#include <QToolButton>

#include "UiFixture.h"
#include "platform/Colour.h"
#include "platform/QtColour.h"

namespace {

class DarkLook : public UiFixture {};

// The lowest contrast of an icon's solid pixels with the button behind them.
double WeakestContrast(const QIcon& icon) {
    const QImage image = icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    const std::uint32_t button =
        platform::FromQColor(QApplication::palette().color(QPalette::Button));
    double weakest = 21;
    int solid = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 250) continue;
            ++solid;
            weakest = std::min(weakest, platform::ContrastRatio(platform::FromQColor(c), button));
        }
    EXPECT_GT(solid, 10) << "the icon draws something";
    return weakest;
}

TEST_F(DarkLook, TheSetsIconReadsOnLightAndDarkButtons) {
    StartProgram();
    options->RadioButton8->setChecked(true);  // light
    EXPECT_GE(WeakestContrast(form1->SpeedButton4->icon()), 3.0);
    options->RadioButton9->setChecked(true);  // dark
    ASSERT_LT(QApplication::palette().color(QPalette::Button).lightness(), 128);
    EXPECT_GE(WeakestContrast(form1->SpeedButton4->icon()), 3.0);
    options->RadioButton7->setChecked(true);
}

}  // namespace
