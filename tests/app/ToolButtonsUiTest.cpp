// Every tool button of every window as a person sees it: a picture of the program's own, no
// character the installed fonts lack, and sharp at a screen scale factor of 2.

#include <QFontMetrics>
#include <QToolButton>

#include "UiFixture.h"

namespace {

class ToolButtons : public UiFixture {};

TEST_F(ToolButtons, ShowPicturesOrTextTheFontsCanDraw) {
    StartProgram();
    int checked = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QToolButton* button : window->findChildren<QToolButton*>()) {
            const std::string where =
                (window->objectName() + "." + button->objectName()).toStdString();
            // The toolkit's own (the tab bars' scroll arrows) draw themselves.
            if (button->objectName().isEmpty() || button->objectName().startsWith("Scroll"))
                continue;
            ++checked;
            const QString text = button->text();
            EXPECT_TRUE(!button->icon().isNull() || !text.trimmed().isEmpty()) << where;
            const QFontMetrics metrics(button->font());
            for (const uint c : text.toUcs4())
                EXPECT_TRUE(metrics.inFontUcs4(c)) << where << " U+" << std::hex << c;
            if (!button->icon().isNull() && !button->icon().availableSizes().isEmpty()) {
                // A picture only drawn small is blurred when the screen doubles it.
                const QSize big = button->icon().actualSize(button->iconSize() * 2);
                EXPECT_GE(big.width(), button->iconSize().width() * 2) << where;
            }
        }
    }
    EXPECT_GT(checked, 20);
}

}  // namespace
