// Whether the advanced tool's window stays live: a timer ticks every 10 ms on the window's
// thread, and the longest pause between two ticks is the figure, for each stage of
//   - Go on a function of 20 inputs at effort prove (the core runs until Cancel),
//   - Cancel and the taking in of its answer, until the results tree is filled,
//   - opening a minterm file of about 18 MB (22 inputs).
// The program is built as it starts (offscreen), with the real core from the build's program
// folder. A window that turns its events within 100 ms throughout is the aim.
//
//   mw_bench_window [--seed S] [--cancel-after-ms D] [--outputs K]

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "advmin/AdvMinimize.h"
#include "app/Windows.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"

namespace {

// Opens the one file it was given; every other dialog is cancelled.
class OneFile : public platform::DialogProvider {
  public:
    QString path;
    platform::FileChoice OpenFile(QWidget*, const platform::FileDialogRequest&) override {
        return {true, path, 1};
    }
    platform::FileChoice SaveFile(QWidget*, const platform::FileDialogRequest&) override {
        return {};
    }
    bool PickColor(QWidget*, QColor&) override { return false; }
    bool PickFont(QWidget*, QFont&) override { return false; }
};

// The ticks and the longest pause of the stage under way.
struct Probe {
    QTimer tick;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    qint64 stageStart = 0;
    int ticks = 0;
    std::function<void()> onTick;

    Probe() {
        tick.setInterval(10);
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
            ++ticks;
            if (onTick) onTick();
        });
        clock.start();
        tick.start();
    }
    void Stage() {
        stageStart = last = clock.elapsed();
        longest = 0;
        ticks = 0;
    }
    // The pause at the stage's very end counts too.
    void Report(const char* what) {
        longest = std::max(longest, clock.elapsed() - last);
        std::printf("%-52s %8lld %10lld %7d\n", what, static_cast<long long>(longest),
                    static_cast<long long>(clock.elapsed() - stageStart), ticks);
        std::fflush(stdout);
    }
};

void Wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    unsigned seed = 20;
    int cancelAfterMs = 1000;
    int outputs = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--seed") seed = static_cast<unsigned>(std::stoul(argv[i + 1]));
        if (a == "--cancel-after-ms") cancelAfterMs = std::stoi(argv[i + 1]);
        if (a == "--outputs") outputs = std::stoi(argv[i + 1]);
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (const char* name : {"classes.reg", "libmwcore.so"})
        QFile::copy(QStringLiteral(MW_BIN_DIR "/") + name, folder.filePath(name));
    platform::SetProgramFolder(folder.path().toStdString());
    OneFile dialogs;
    platform::DialogProvider* previous = platform::SetDialogProvider(&dialogs);
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink messageScope(&messages);
    CreateWindows({});
    TAdvMin* tool = Windows().AdvMin;
    tool->show();
    Wait(200);

    // Twenty inputs, seeded: half ones, a quarter don't cares, each output its own.
    const int n = 20;
    std::mt19937 rng(seed);
    for (int j = 0; j < outputs; ++j) {
        if (j > 0) tool->SpeedButton11->click();
        std::string ones, dc;
        for (int m = 0; m < (1 << n); ++m) {
            const unsigned r = rng() % 4;
            if (r == 3) continue;
            std::string& list = r == 2 ? dc : ones;
            if (!list.empty()) list += ',';
            list += std::to_string(m);
        }
        tool->Spin->setValue(n);
        tool->ComboBox1->setEditText(QString::fromStdString(ones));
        tool->ComboBox3->setEditText(QString::fromStdString(dc));
    }
    tool->EffortBox->setCurrentIndex(2);
    Wait(200);

    std::printf("%-52s %8s %10s %7s\n", "stage", "longest", "lasted", "ticks");
    std::printf("%-52s %8s %10s %7s\n", "", "(ms)", "(ms)", "");
    Probe probe;
    bool cancelled = false;
    probe.onTick = [&] {
        if (cancelled || !tool->Running() ||
            probe.clock.elapsed() - probe.stageStart < cancelAfterMs)
            return;
        cancelled = true;
        probe.Report("Go, 20 inputs, prove, until Cancel");
        probe.Stage();
        tool->BitBtn3->click();
    };
    probe.Stage();
    tool->SpeedButton9->click();
    while (tool->FillingTree()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    probe.Report(cancelled ? "Cancel, its answer taken in" : "Go, 20 inputs, prove, to its end");
    probe.onTick = nullptr;
    Wait(100);
    const QTreeWidgetItem* root = tool->TreeView->topLevelItem(0);
    std::printf("  results: %d roots, %d terms in the first; note: %s\n",
                tool->TreeView->topLevelItemCount(), root ? root->childCount() : 0,
                tool->Label10->text().toStdString().c_str());

    // About 18 MB of minterms over 22 inputs.
    std::string big = "[Boolean Function]\nVarCount=22\n1=";
    for (int m = 0; m < (1 << 22); ++m)
        if (rng() % 20 < 11) big += std::to_string(m) + ",";
    big.pop_back();
    big += "\n0=\n*=\n";
    dialogs.path = folder.filePath("big.bf");
    QFile f(dialogs.path);
    if (!f.open(QIODevice::WriteOnly)) return 2;
    f.write(big.data(), static_cast<qint64>(big.size()));
    f.close();
    probe.Stage();
    tool->SpeedButton1->click();
    probe.Report("opening a file of 18 MB");
    Wait(100);
    probe.Report("  and the 100 ms after it");
    std::printf("  opened: %d variables, %lld characters in the ones' box, tree %s\n",
                tool->Spin->value(), static_cast<long long>(tool->ComboBox1->currentText().size()),
                tool->TreeView->topLevelItemCount() == 0 ? "cleared" : "NOT CLEARED");
    for (const auto& r : messages.Shown()) std::printf("  said: %s\n", r.text.c_str());

    DestroyWindows();
    platform::SetDialogProvider(previous);
    platform::SetProgramFolder("");
    return 0;
}
