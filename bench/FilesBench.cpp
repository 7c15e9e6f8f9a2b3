// Reading the largest files the program accepts, on files made here (seeded): a PLA of type fr
// whose on and off rows are checked for a clash, a Boolean function file of 128 functions near
// its 16 MB limit, and a PLA of one 100 MB line that must be refused before it is read. Each in
// processor time and wall time, with the growth of the peak memory. Then what a start does with
// the settings file (read its sections, save the recent list once) at the settings' limit, and
// the refusal of a 15.6 MB one (the program's start: bench/startup --settings-mb N).
//
//   mw_bench_files [--pla-kb N]

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "advmin/Outputs.h"
#include "files/BooleanFunctionFile.h"
#include "files/Pla.h"
#include "files/PlaFile.h"
#include "platform/IniFile.h"
#include "platform/ReadFile.h"
#include "platform/Settings.h"

namespace {

namespace fs = std::filesystem;

long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void Time(const char* what, const std::function<std::string()>& run) {
    const long before = PeakKb();
    const std::clock_t c0 = std::clock();
    const auto t0 = std::chrono::steady_clock::now();
    const std::string outcome = run();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    std::printf("%-58s %8.3f s cpu %8.3f s wall %+8ld KB peak  %s\n", what, cpu, wall,
                PeakKb() - before, outcome.c_str());
}

std::string Minterm(std::mt19937& rng, int n) {
    std::string s(n, '0');
    for (char& c : s) c = "01"[rng() & 1];
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    int plaKb = 89;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--pla-kb")) plaKb = std::atoi(argv[i + 1]);
    const fs::path dir = fs::temp_directory_path() / ("mw_bench_files_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::mt19937 rng(26);

    // Type fr: distinct minterms of 20 inputs, half on and half off, so the clash check finds
    // nothing and has to look at every pair's points.
    for (const int kb : {plaKb, 16 * plaKb}) {
        std::string text = ".i 20\n.o 1\n.type fr\n";
        for (int row = 0; text.size() < static_cast<std::size_t>(kb) * 1000; ++row)
            text += Minterm(rng, 19) + (row % 2 ? "1 1\n" : "0 0\n");
        text += ".e\n";
        char what[96];
        std::snprintf(what, sizeof what, "PLA type fr, %zu KB, clash check", text.size() / 1000);
        Time(what, [&] {
            pla::Error error;
            const auto file = pla::ReadText(text, &error);
            return file ? std::to_string(file->rows) + " rows read" : "refused: " + error.message;
        });
    }

    // 128 functions of 16 variables, each list a long run of single minterms.
    {
        const fs::path path = dir / "many.bf";
        std::ofstream out(path);
        out << "[Boolean Function]\nVarCount=16\nOutputs=128\nName=F1\n";
        for (int k = 1; k <= 128; ++k) {
            if (k > 1) out << "[Boolean Function " << k << "]\nName=F" << k << '\n';
            std::string ones;
            for (uint32_t m = k; ones.size() < 126000; m += 2 + rng() % 5)
                ones += std::to_string(m % 65536) + ',';
            ones.pop_back();
            out << "1=" << ones << "\n0=\n*=\n";
        }
        out.close();
        char what[96];
        std::snprintf(what, sizeof what, "Boolean function file, 128 outputs, %.1f MB",
                      static_cast<double>(fs::file_size(path)) / 1e6);
        Time(what, [&] {
            const auto file = BooleanFunctionFile::Read(path.string());
            if (!file) return std::string("refused");
            const auto outputs = OutputsOfFile(*file, {});
            return std::to_string(outputs.size()) + " outputs";
        });
    }

    // One line of 100 MB: refused by its size before it is read.
    {
        const fs::path path = dir / "line.pla";
        {
            std::ofstream out(path, std::ios::binary);
            out << ".i 4\n.o 1\n";
            const std::string chunk(1 << 20, '0');
            for (int i = 0; i < 100; ++i) out << chunk;
            out << '\n';
        }
        Time("PLA of one 100 MB line, read with the PLA limit", [&] {
            std::string bytes, why;
            const auto status =
                platform::ReadFileLimited(path.string(), kMaxPlaFileSize, &bytes, &why);
            return std::string(status == platform::ReadStatus::TooLarge ? "refused: too large"
                                                                        : "read");
        });
    }
    // Settings files shaped as bench/startup makes them: many keys, a section every thousand.
    // The largest accepted, just under the limit (the lines are written until the size is passed).
    for (const double mb : {static_cast<double>(platform::kMaxSettingsSize - 4096) / 1e6, 15.6}) {
        const fs::path path = dir / "mapwright.ini";
        {
            std::ofstream out(path, std::ios::binary);
            out << "[Options]\nAskExit=false\nMapZoom=100\n";
            std::size_t size = 0;
            for (int k = 0; size < mb * 1e6; ++k) {
                const std::string line =
                    k % 1000 ? "Key" + std::to_string(k) + "=" + std::string(k % 40, 'v')
                             : "[Extra" + std::to_string(k) + "]";
                out << line << '\n';
                size += line.size() + 1;
            }
        }
        char what[96];
        std::snprintf(what, sizeof what, "Settings file of %.1f MB: a start's reads and save",
                      static_cast<double>(fs::file_size(path)) / 1e6);
        Time(what, [&] {
            platform::IniFile ini(path.string(), platform::kMaxSettingsSize);
            if (!ini.ReadProblem().empty()) return "refused: " + ini.ReadProblem();
            const std::string zoom = ini.ReadString("Options", "MapZoom", "");
            (void)ini.ReadSection("Language");
            ini.WriteString("Options", "RecentFile0", "/tmp/map.km");
            return "read (zoom " + zoom + ") and saved";
        });
        fs::remove(path);
    }
    fs::remove_all(dir);
    return 0;
}
