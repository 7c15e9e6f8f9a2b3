#pragma once
// A program as the start builds it (main window, then options), in a scratch program folder,
// with recorded messages and scripted common dialogs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <memory>

#include "app/Main.h"
#include "app/OptionsForm.h"
#include "app/Windows.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"

class ScriptedDialogs : public platform::DialogProvider {
  public:
    std::deque<platform::FileChoice> files;  // answers to open and save dialogs, in order
    std::vector<platform::FileDialogRequest> asked;
    QColor color;
    bool colorAccepted = false;
    QFont font;
    bool fontAccepted = false;
    std::deque<double> numbers;  // answers to number prompts in order; none left: cancelled
    std::vector<QString> numberTitles;
    std::deque<int> items;  // answers to item prompts in order; none left: cancelled
    QStringList offeredItems;

    platform::FileChoice OpenFile(QWidget*, const platform::FileDialogRequest& request) override {
        return Next(request);
    }
    platform::FileChoice SaveFile(QWidget*, const platform::FileDialogRequest& request) override {
        return Next(request);
    }
    bool PickColor(QWidget*, QColor& c) override {
        if (colorAccepted) c = color;
        return colorAccepted;
    }
    bool PickFont(QWidget*, QFont& f) override {
        if (fontAccepted) f = font;
        return fontAccepted;
    }

    bool PickNumber(QWidget*, const QString& title, const QString&, double& value, double min,
                    double max, int) override {
        numberTitles.push_back(title);
        if (numbers.empty()) return false;
        value = std::clamp(numbers.front(), min, max);
        numbers.pop_front();
        return true;
    }

    bool PickItem(QWidget*, const QString&, const QString&, const QStringList& list,
                  int& index) override {
        offeredItems = list;
        if (items.empty()) return false;
        index = items.front();
        items.pop_front();
        return true;
    }

  private:
    platform::FileChoice Next(const platform::FileDialogRequest& request) {
        asked.push_back(request);
        if (files.empty()) return {};
        platform::FileChoice c = files.front();
        files.pop_front();
        return c;
    }
};

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path().toStdString());
        previousDialogs = platform::SetDialogProvider(&dialogs);
        platform::ForgetDialogFolders();
    }

    void TearDown() override {
        DestroyProgram();
        platform::SetDialogProvider(previousDialogs);
        platform::SetProgramFolder("");
    }

    // As the program starts: every window in its order, the main window shown and active.
    void StartProgram(const QStringList& arguments = {}) {
        CreateWindows(arguments);
        form1 = Windows().Form1;
        options = Windows().Options;
        form1->show();
        QApplication::setActiveWindow(form1);
        QApplication::processEvents();
    }

    // As the program ends (the options save the settings).
    void DestroyProgram() {
        DestroyWindows();
        form1 = nullptr;
        options = nullptr;
    }

    QString Path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink messageScope{&messages};
    ScriptedDialogs dialogs;
    platform::DialogProvider* previousDialogs = nullptr;
    TForm1* form1 = nullptr;
    TOptions* options = nullptr;
};
