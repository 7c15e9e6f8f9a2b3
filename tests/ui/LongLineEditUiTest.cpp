// The history boxes' line edit: a short text is Qt's own; a list of megabytes is drawn in part
// but kept, read back, copied and edited whole.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <random>

#include "ui/DialogParts.h"
#include "ui/LongLineEdit.h"

namespace {

// A seeded minterm list of about the given length.
QString List(std::size_t length, unsigned seed) {
    std::mt19937 rng(seed);
    QString text;
    for (int m = 0; static_cast<std::size_t>(text.size()) < length; ++m)
        if (rng() % 2) text += (text.isEmpty() ? "" : ",") + QString::number(m);
    return text;
}

struct HistoryLine : ::testing::Test {
    QComboBox* box = dialogparts::HistoryBox("ComboBox1", nullptr);
    LongLineEdit* edit = nullptr;

    void SetUp() override {
        edit = dynamic_cast<LongLineEdit*>(box->lineEdit());
        ASSERT_NE(edit, nullptr);
        box->resize(260, box->sizeHint().height());
        box->show();
        box->activateWindow();
        box->setFocus();
    }
    void TearDown() override { delete box; }
};

TEST_F(HistoryLine, AShortListLooksAsQtsOwnLineEdit) {
    QComboBox plain;
    plain.setEditable(true);
    for (QComboBox* b : {box, &plain}) {
        b->setEditText("1,3,5-7");
        b->resize(260, box->sizeHint().height());
    }
    EXPECT_FALSE(edit->DrawsPart());
    EXPECT_EQ(box->grab().toImage(), plain.grab().toImage());
}

TEST_F(HistoryLine, ALongListIsKeptWholeAndEditable) {
    const QString list = List(400000, 7);
    box->setEditText(list);
    ASSERT_TRUE(edit->DrawsPart());
    EXPECT_EQ(box->currentText(), list);
    EXPECT_FALSE(box->grab().toImage().isNull());

    // Typed at the end, after the view has followed the cursor there.
    QTest::keyClick(edit, Qt::Key_End);
    box->grab();
    EXPECT_GT(edit->FirstShown(), list.size() - 1000);
    QTest::keyClicks(edit, ",99999");
    EXPECT_EQ(box->currentText(), list + ",99999");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(box->currentText(), list + ",9999");

    // Back at the start, a click at the text's left edge puts the cursor before the first
    // character, and a double click takes the first item.
    QTest::keyClick(edit, Qt::Key_Home);
    box->grab();
    EXPECT_EQ(edit->FirstShown(), 0);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(edit->cursorPosition(), 1);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
    EXPECT_EQ(edit->cursorPosition(), 0);
    QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    EXPECT_EQ(edit->selectedText(), list.section(',', 0, 0));

    // Copied whole.
    edit->selectAll();
    edit->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), list + ",9999");

    // Short again: Qt's own drawing from the start.
    edit->setText("2");
    box->grab();
    EXPECT_FALSE(edit->DrawsPart());
    EXPECT_EQ(edit->FirstShown(), 0);
}

// Qt does not lay a long list out, so its keys that step by its layout are the line edit's own:
// they must do what Qt's do on a short text.
TEST_F(HistoryLine, ALongListsKeysDoAsQtsOwnDoOnAShortOne) {
    const QString list = List(400000, 3);
    QLineEdit plain(list.left(300));
    box->setEditText(list);
    ASSERT_TRUE(edit->DrawsPart());
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Home, {}},     {Qt::Key_Right, ctrl}, {Qt::Key_Right, ctrl | shift},
        {Qt::Key_Left, shift},  {Qt::Key_Right, {}},   {Qt::Key_Delete, {}},
        {Qt::Key_Delete, ctrl}, {Qt::Key_Right, ctrl}, {Qt::Key_Backspace, ctrl},
        {Qt::Key_Right, shift}, {Qt::Key_Left, {}},    {Qt::Key_Left, ctrl | shift}};
    for (const auto& [key, modifiers] : keys) {
        QTest::keyClick(&plain, key, modifiers);
        QTest::keyClick(edit, key, modifiers);
        EXPECT_EQ(edit->cursorPosition(), plain.cursorPosition())
            << key << " " << modifiers.toInt();
        EXPECT_EQ(edit->selectedText(), plain.selectedText()) << key << " " << modifiers.toInt();
        EXPECT_EQ(edit->text().left(200), plain.text().left(200))
            << key << " " << modifiers.toInt();
    }
    EXPECT_EQ(edit->text().size(), list.size() - (300 - plain.text().size()));

    // Copied and cut by the keys too.
    QTest::keyClick(edit, Qt::Key_Right, ctrl | shift);
    const QString chosen = edit->selectedText();
    ASSERT_FALSE(chosen.isEmpty());
    QTest::keyClick(edit, Qt::Key_C, ctrl);
    EXPECT_EQ(QApplication::clipboard()->text(), chosen);
    const QString before = edit->text();
    QTest::keyClick(edit, Qt::Key_X, ctrl);
    EXPECT_EQ(edit->text().size(), before.size() - chosen.size());
    QTest::keyClick(edit, Qt::Key_V, ctrl);
    EXPECT_EQ(edit->text(), before);

    // Each edit taken back and made again, the list never lost.
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, ",7");
    QTest::keyClick(edit, Qt::Key_Backspace);
    const QString typed = edit->text();
    QTest::keyClick(edit, Qt::Key_Z, ctrl);
    EXPECT_EQ(edit->text(), before + ",7");
    QTest::keyClick(edit, Qt::Key_Z, ctrl);
    QTest::keyClick(edit, Qt::Key_Z, ctrl);
    EXPECT_EQ(edit->text(), before);
    QTest::keyClick(edit, Qt::Key_Z, ctrl);
    EXPECT_EQ(edit->text().size(), before.size() - chosen.size());
    edit->redo();
    edit->redo();
    EXPECT_EQ(edit->text(), before + ",");
    QTest::keyClick(edit, Qt::Key_Z, ctrl | shift);
    QTest::keyClick(edit, Qt::Key_Z, ctrl | shift);
    EXPECT_EQ(edit->text(), typed);
}

}  // namespace
