#pragma once
// Driving the input dialogs from the main window's commands, as a person would.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/UiFixture.h"
#include "engine/MapView.h"

class InputUi : public UiFixture {
  protected:
    // Runs command, which shows dialog modally; act works the shown dialog and should close
    // it. A dialog left open fails the test instead of hanging it.
    void WhileOpen(QDialog* dialog, const std::function<void()>& act,
                   const std::function<void()>& command) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = dialog->isVisible();
            act();
            if (dialog->isVisible()) {
                ADD_FAILURE() << dialog->objectName().toStdString() << " left open";
                dialog->done(QDialog::Rejected);
            }
        });
        command();
        EXPECT_TRUE(shown) << dialog->objectName().toStdString();
    }

    // A result matching the map: "Create report" on.
    void Analyze() {
        form1->BitBtn3Click();
        ASSERT_TRUE(form1->Createreport1->isEnabled());
    }

    std::string At(int minterm) const {
        const TCellPos p = form1->Grid.PositionOfMinterm(minterm);
        return form1->Grid.Cells(p.Col, p.Row);
    }

    // Every visible cell, column by column.
    std::vector<std::string> MapCells() const {
        std::vector<std::string> out;
        for (int c = 1; c <= form1->Grid.MapColumns(); ++c)
            for (int r = 1; r <= form1->Grid.MapRows(); ++r) out.push_back(form1->Grid.Cells(c, r));
        return out;
    }

    static void Type(QComboBox* box, const QString& text) {
        QTest::keyClicks(box->lineEdit(), text);
    }
};
