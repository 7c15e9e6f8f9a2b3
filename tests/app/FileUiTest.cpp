// Opening files beyond the designed Open: the recent files, a dropped file, and the program's
// information options.

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSpinBox>
#include <QUrl>

#include "UiFixture.h"
#include "files/BooleanFunctionFile.h"
#include "files/MapFile.h"
#include "platform/IniFile.h"
#include "platform/PathText.h"

namespace {

using Files = UiFixture;

QStringList Captions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << a->text();
    return out;
}

void SaveMap(const QString& path, int variables, const char* firstCell) {
    TCarnoGrid map;
    map.SetVariableCount(variables);
    map.SetCells(1, 1, firstCell);
    ASSERT_TRUE(SaveToFile(map, path.toStdString()));
}

TEST_F(Files, RecentFilesKeepTheLastEightAcrossRunsAndDropMissingOnes) {
    for (int i = 1; i <= 10; ++i) SaveMap(Path(QString("m%1.km").arg(i)), 2 + i % 7, "1");
    StartProgram();
    EXPECT_FALSE(form1->RecentFiles1->isEnabled());
    for (int i = 1; i <= 10; ++i) {
        dialogs.files.push_back({true, Path(QString("m%1.km").arg(i)), 1});
        form1->BitBtn1Click();
    }
    dialogs.files.push_back({true, Path("m4.km"), 1});  // opened again: to the top, not twice
    form1->BitBtn1Click();
    EXPECT_EQ(Captions(form1->RecentFiles1),
              (QStringList{"&1 m4.km", "&2 m10.km", "&3 m9.km", "&4 m8.km", "&5 m7.km", "&6 m6.km",
                           "&7 m5.km", "&8 m3.km"}));
    DestroyProgram();

    ASSERT_TRUE(QFile::remove(Path("m9.km")));
    StartProgram();  // a new run reads them from the settings
    ASSERT_EQ(form1->RecentFiles().size(), 8);
    EXPECT_EQ(form1->RecentFiles()[1], Path("m10.km"));
    form1->RecentFiles1->actions()[1]->trigger();
    EXPECT_EQ(form1->Grid.VariableCount(), 2 + 10 % 7);
    EXPECT_EQ(form1->SpinEdit1->value(), 2 + 10 % 7);
    EXPECT_EQ(form1->RecentFiles()[0], Path("m10.km"));

    messages.Clear();
    form1->RecentFiles1->actions()[2]->trigger();  // m9.km, gone
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "The file is no longer there and leaves the recent files:\n" +
                                       Path("m9.km").toStdString());
    EXPECT_EQ(form1->RecentFiles().size(), 7);
    EXPECT_FALSE(form1->RecentFiles().contains(Path("m9.km")));
    EXPECT_EQ(form1->Grid.VariableCount(), 2 + 10 % 7) << "the map stays";
    EXPECT_EQ(platform::IniFile(platform::SettingsFilePath())
                  .ReadString("Options", "RecentFile8", "<none>"),
              "");
}

// A name that is not UTF-8 opens, and comes back byte for byte from the recent list.
TEST_F(Files, ANameThatIsNotUtf8OpensAndComesBackFromTheRecentList) {
    const std::string bytes = Path("caf").toStdString() + "\xE9.km";
    {
        TCarnoGrid map;
        map.SetVariableCount(5);
        ASSERT_TRUE(SaveToFile(map, bytes));
    }
    StartProgram();
    ASSERT_TRUE(form1->OpenFile(platform::PathText(bytes)));
    EXPECT_EQ(form1->Grid.VariableCount(), 5);
    DestroyProgram();
    EXPECT_EQ(
        platform::IniFile(platform::SettingsFilePath()).ReadString("Options", "RecentFile1", ""),
        bytes);
    StartProgram();
    messages.Clear();
    form1->Grid.SetVariableCount(3);
    form1->RecentFiles1->actions()[0]->trigger();
    // The changed map is offered for saving (no, by the test's answer); nothing else is said.
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Save the changes to the map?"});
    EXPECT_EQ(form1->Grid.VariableCount(), 5);
}

TEST_F(Files, DroppedMapFunctionOrPlaFileOpensAndIsOneUndoStep) {
    SaveMap(Path("six.km"), 6, "*");
    {
        TCarnoGrid f;
        f.SetVariableCount(3);
        f.SetCells(4, 2, "1");
        ASSERT_TRUE(SaveToBooleanFunctionFile(f, Path("f.bf").toStdString()));
    }
    StartProgram();
    auto drop = [this](const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(form1, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form1, &dropped);
    };
    drop(Path("six.km"));
    EXPECT_EQ(form1->Grid.VariableCount(), 6);
    EXPECT_EQ(form1->Grid.Cells(1, 1), "*");
    drop(Path("f.bf"));
    EXPECT_EQ(form1->Grid.VariableCount(), 3);
    EXPECT_EQ(form1->SpinEdit1->value(), 3);
    EXPECT_EQ(form1->Grid.Cells(4, 2), "1");
    EXPECT_EQ(form1->Grid.Cells(1, 1), "") << "the function file names only the 1 cell";
    EXPECT_EQ(form1->RecentFiles(), (QStringList{Path("f.bf"), Path("six.km")}));

    messages.Clear();
    QFile bad(Path("bad.km"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a map");
    bad.close();
    drop(Path("bad.km"));
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(form1->Grid.VariableCount(), 3) << "a bad file leaves the map";
    EXPECT_EQ(form1->RecentFiles().size(), 2);

    QFile plaFile(Path("f.pla"));  // the first of two outputs: x and z
    ASSERT_TRUE(plaFile.open(QIODevice::WriteOnly));
    plaFile.write(".i 3\n.o 2\n.ilb x y z\n1-1 10\n0-- 01\n.e\n");
    plaFile.close();
    dialogs.items.push_back(0);  // which output goes to the map
    drop(Path("f.pla"));
    for (int m = 0; m < 8; ++m) {
        const TCellPos p = form1->Grid.PositionOfMinterm(m);
        EXPECT_EQ(form1->Grid.Cells(p.Col, p.Row), (m == 5 || m == 7) ? "1" : "0") << m;
    }
    EXPECT_EQ(form1->Grid.VarName(1), "X");
    EXPECT_EQ(form1->RecentFiles().size(), 3);

    form1->Undo1->trigger();
    EXPECT_EQ(form1->Grid.VarName(1), "A") << "the names come back with the map";
    form1->Undo1->trigger();
    EXPECT_EQ(form1->Grid.VariableCount(), 6);
    EXPECT_EQ(form1->Grid.Cells(1, 1), "*");
}

TEST(ProgramOptions, HelpAndVersionPrintAndExitWithoutAWindow) {
    const QString program = QString(MW_BIN_DIR) + "/mapwright";
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "the program is not built: " << program.toStdString();
    for (const char* option : {"--help", "--version"}) {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.insert("DISPLAY", ":nowhere");  // a window would fail to open
        run.setProcessEnvironment(env);
        run.start(program, {option});
        ASSERT_TRUE(run.waitForFinished(20000)) << option;
        EXPECT_EQ(run.exitCode(), 0) << option;
        const QString out = QString::fromUtf8(run.readAllStandardOutput());
        if (QString(option) == "--help")
            EXPECT_TRUE(out.startsWith("Usage: mapwright [FILE]")) << out.toStdString();
        else
            EXPECT_TRUE(out.startsWith("mapwright 1.")) << out.toStdString();
    }
}

}  // namespace
