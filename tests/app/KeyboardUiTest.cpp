// The program from the keyboard: F1 in every window, keys named in tooltips, a typed variable
// count, Tab out of the map and back, F6 for the panel.

#include <QApplication>
#include <QDockWidget>
#include <QHelpEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <map>

#include "UiFixture.h"
#include "engine/MapView.h"
#include "ui/WindowRegistry.h"

namespace {

class Keyboard : public UiFixture {
  protected:
    static void Shortcut(QWidget* target, const QKeySequence& keys) {
        QTest::keySequence(target, keys);
        QApplication::processEvents();
    }
    static QString Tip(QWidget* widget) {
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &event);
        return QToolTip::text();
    }
};

TEST_F(Keyboard, F1OpensThePageOfTheWindowThatHasTheFocus) {
    StartProgram();
    std::map<QString, std::string> pages = {{"InputFormula", "formula.html"},
                                            {"InputForm", "sets.html"},
                                            {"TruthTableForm", "truthtable.html"},
                                            {"Options", "options.html"},
                                            {"Report", "report.html"},
                                            {"RepView", "report.html"},
                                            {"Circuit", "circuits.html"},
                                            {"CirView", "circuits.html"},
                                            {"AdvMin", "advanced.html"}};
    for (QWidget* window : WindowsInOrder()) {
        if (window == form1) continue;
        const auto page = pages.find(window->objectName());
        const std::string expected = page == pages.end() ? "mwr.html" : page->second;
        if (page != pages.end()) pages.erase(page);
        form1->HelpShown.clear();
        window->show();
        QApplication::setActiveWindow(window);
        QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(focus, Qt::Key_F1);
        EXPECT_EQ(form1->HelpShown, expected) << window->objectName().toStdString();
        window->hide();
    }
    EXPECT_TRUE(pages.empty()) << "a window that is not made any more: " << pages.size();
    QApplication::setActiveWindow(form1);
    form1->HelpShown.clear();
    Shortcut(form1, QKeySequence(Qt::Key_F1));
    EXPECT_EQ(form1->HelpShown, "mwr.html");
    // The help viewer is not in this test's program folder.
    EXPECT_EQ(messages.Texts().back(), "Can't open help file.");
}

TEST_F(Keyboard, TooltipsNameTheKeysOfTheirCommands) {
    StartProgram();
    EXPECT_EQ(Tip(form1->SpeedButton9), "Analyze (F5)");
    EXPECT_EQ(Tip(form1->SpeedButton1), "Open Map (F3)");
    EXPECT_EQ(Tip(form1->UndoButton),
              "Undo (" + form1->Undo1->shortcut().toString(QKeySequence::NativeText) + ")");
    EXPECT_EQ(Tip(form1->SpeedButton12), "Minimal solutions (F6)");
}

TEST_F(Keyboard, ATypedVariableCountTabAndF6) {
    StartProgram();
    QLineEdit* count = form1->SpinEdit1->findChild<QLineEdit*>();
    ASSERT_NE(count, nullptr);
    form1->SpinEdit1->setFocus();
    count->selectAll();
    QTest::keyClicks(count, "6");
    EXPECT_EQ(form1->Grid.VariableCount(), 6);
    EXPECT_EQ(form1->CarnoGrid1->model()->columnCount(), 8);

    TMapView* map = form1->CarnoGrid1;
    map->setFocus();
    map->setCurrentIndex(map->model()->index(0, 0));
    QTest::keyClick(map, Qt::Key_Right);  // the arrows move inside the map
    EXPECT_EQ(map->currentIndex(), map->model()->index(0, 1));
    EXPECT_TRUE(map->hasFocus());
    QTest::keyClick(map, Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, map);
    QTest::keyClick(next, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), map);

    Shortcut(form1, QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(form1->DockExplain->isVisible());
    Shortcut(form1, QKeySequence(Qt::Key_F6));
    EXPECT_FALSE(form1->DockExplain->isVisible());
}

}  // namespace
