// The multi-output minimizer beside espresso on the classic multi-output PLAs: products,
// literals and time of each, whether ours is a proven minimum, and the totals.
//
//   mw_bench_pla [--dir DIR] [--espresso PATH] [--time-limit S] [--work-scale X] [--only NAME]
//   [--espresso-mb MB] [--espresso-seconds S] [--trace] [--dump DIR]
//
// DIR (default ../shared/bench/src) is searched for PLA files. Each file is minimized in a
// process of its own (forked, so its peak memory is its own); our time is the reading and the
// minimization, espresso's its whole run as a process, within a memory cap and a timeout
// (--espresso-mb, --espresso-seconds). Both covers are checked against the input's own cubes
// by containment alone (files/PlaCheck.h), nothing of the minimizer. --dump writes our cover
// of each file as PLA rows and whether it is proven to DIR/<file>.txt, for comparing two
// builds of the core.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/PlaProblem.h"
#include "core/CubeMinimize.h"
#include "core/MultiMinimize.h"
#include "files/Pla.h"
#include "files/PlaCheck.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

bool g_trace = false;  // each step's time and products on stderr
fs::path g_dump;       // where each cover is written, when set

struct Figures {
    bool ran = false;
    int products = 0, literals = 0;
    double seconds = 0;
    bool minimum = false;
    int64_t work = 0;
    bool cubes = false;     // the cube path, not the tables
    bool verified = false;  // the cover implements the input
    long peakMb = 0;        // of the process that minimized
};

int g_espressoMb = 2000;
int g_espressoSeconds = 60;

// Whether a written cover implements the PLA at `path`.
bool Verified(const std::string& path, const std::string& cover) {
    pla::Error error;
    const auto input = pla::ReadFile(path, &error);
    const auto output = pla::ReadText(cover, &error);
    return input && output && !pla::CoverFault(*input, *output);
}

bool Capture(const std::string& command, std::string& output, double& seconds) {
    const auto start = Clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buf[65536];
    output.clear();
    for (std::size_t got; (got = fread(buf, 1, sizeof buf, pipe)) > 0;) output.append(buf, got);
    const int status = pclose(pipe);
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return status == 0;
}

Figures Espresso(const std::string& espresso, const std::string& path) {
    Figures f;
    std::string out;
    if (espresso.empty() || !Capture("ulimit -v " + std::to_string(g_espressoMb * 1024) +
                                         "; timeout " + std::to_string(g_espressoSeconds) + " '" +
                                         espresso + "' '" + path + "' 2>/dev/null",
                                     out, f.seconds))
        return f;
    f.verified = Verified(path, out);
    pla::Error error;
    const auto cover = pla::ReadText(out, &error);
    if (!cover) return f;
    f.products = cover->rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '.' || line[0] == '#') continue;
        const std::string inputs = line.substr(0, line.find(' '));
        f.literals += static_cast<int>(std::count_if(inputs.begin(), inputs.end(),
                                                     [](char c) { return c == '0' || c == '1'; }));
    }
    f.ran = true;
    return f;
}

void Dump(const fs::path& path, int inputs, const std::vector<pla::Product>& products,
          bool minimum) {
    fs::create_directories(g_dump);
    std::ofstream out(g_dump / (path.stem().string() + ".txt"));
    out << (minimum ? "proven\n" : "not proven\n");
    for (const pla::Product& p : products) {
        out << pla::InputPart(p.in, inputs) << ' ';
        for (bool b : p.outputs) out << (b ? '1' : '0');
        out << '\n';
    }
}

Figures OursHere(const std::string& path, const mwcore::MinimizeOptions& options) {
    Figures f;
    const auto start = Clock::now();
    pla::Error error;
    const auto file = pla::ReadFile(path, &error);
    if (!file) {
        std::cerr << error.message << '\n';
        return f;
    }
    mwcore::MinimizeOptions traced = options;
    if (g_trace)
        traced.progress = [start](const char* step, int products) {
            std::cerr << "  " << std::left << std::setw(8) << step << std::fixed
                      << std::setprecision(3)
                      << std::chrono::duration<double>(Clock::now() - start).count() << " s  "
                      << products << '\n';
        };
    std::vector<pla::Product> products;
    if (mwcore::UsesCubes(file->inputs, file->outputs)) {
        const mwcore::CubeProblem p = cli::CubeProblemOf(*file);
        const mwcore::CubeMinimization m = mwcore::MinimizeCubes(p, traced);
        products = cli::ProductsOf(p, m.cover);
        f.minimum = m.minimum;
        f.work = m.stats.work;
        f.cubes = true;
    } else {
        const auto p = cli::ProblemOf(*file);
        if (!p) return f;
        const mwcore::MultiMinimization m =
            mwcore::MinimizeMulti(*p, traced, cli::GivenCover(*file));
        for (const mwcore::MultiCube& c : m.cover) {
            pla::Product product{{c.in.mask, c.in.val}, std::vector<bool>(file->outputs)};
            for (int j = 0; j < file->outputs; ++j) product.outputs[j] = c.out.test(j);
            products.push_back(std::move(product));
        }
        f.minimum = m.minimum;
        f.work = m.stats.work;
    }
    f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.products = static_cast<int>(products.size());
    for (const pla::Product& p : products) f.literals += p.in.care.Count();
    f.verified = Verified(path, pla::CoverText(file->inputs, file->outputs, products));
    f.ran = true;
    if (!g_dump.empty()) Dump(path, file->inputs, products, f.minimum);
    return f;
}

// In a child process, so that each file's peak memory is measured on its own.
Figures Ours(const std::string& path, const mwcore::MinimizeOptions& options) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const Figures f = OursHere(path, options);
        const ssize_t wrote = write(fds[1], &f, sizeof f);
        _exit(wrote == static_cast<ssize_t>(sizeof f) ? 0 : 1);
    }
    close(fds[1]);
    Figures f;
    const bool got = child > 0 && read(fds[0], &f, sizeof f) == static_cast<ssize_t>(sizeof f);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    if (child > 0) wait4(child, &status, 0, &usage);
    if (!got) return {};
    f.peakMb = usage.ru_maxrss / 1024;
    return f;
}

std::string Cell(const Figures& f) {
    if (!f.ran) return "-";
    std::ostringstream s;
    s << f.products << (f.minimum ? "*" : "") << (f.verified ? "" : "!") << " / " << f.literals
      << " / " << std::fixed << std::setprecision(3) << f.seconds;
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    fs::path dir = fs::path(MW_BENCH_DEFAULT_DIR) / "src";
    std::string espresso, only;
    mwcore::MinimizeOptions options = mwcore::MultiOptionsFor(mwcore::Effort::Thorough);
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--trace") g_trace = true;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        if (opt == "--trace") {
            --i;
            continue;
        }
        if (opt == "--dir")
            dir = argv[i + 1];
        else if (opt == "--espresso")
            espresso = argv[i + 1];
        else if (opt == "--time-limit")
            options.timeLimitSeconds = std::stod(argv[i + 1]);
        else if (opt == "--work-scale")
            options.workScale = std::stod(argv[i + 1]);
        else if (opt == "--only")
            only = argv[i + 1];
        else if (opt == "--espresso-mb")
            g_espressoMb = std::stoi(argv[i + 1]);
        else if (opt == "--espresso-seconds")
            g_espressoSeconds = std::stoi(argv[i + 1]);
        else if (opt == "--dump")
            g_dump = argv[i + 1];
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        // Some sets keep their PLAs without an extension, beside a README and the script that
        // made them: leave out only what is plainly not a PLA.
        if (e.is_regular_file() && e.path().extension() != ".md" && e.path().extension() != ".py" &&
            (only.empty() || e.path().stem() == only))
            files.push_back(e.path());
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    std::cout << std::left << std::setw(12) << "file" << std::setw(8) << "in/out" << std::setw(24)
              << "ours p/lit/s" << std::setw(24) << "espresso p/lit/s"
              << "ratio\n";
    double oursTotal = 0, espTotal = 0;
    int oursProducts = 0, espProducts = 0, fewer = 0, more = 0, proven = 0, unverified = 0;
    long peakMb = 0;
    for (const fs::path& path : files) {
        pla::Error error;
        const auto head = pla::ReadFile(path.string(), &error);
        const Figures ours = Ours(path.string(), options);
        const Figures esp = Espresso(espresso, path.string());
        std::ostringstream io;
        if (head) io << head->inputs << "/" << head->outputs;
        std::cout << std::setw(12) << path.stem().string() << std::setw(8) << io.str()
                  << std::setw(24) << Cell(ours) << std::setw(24) << Cell(esp);
        if (ours.ran && esp.ran) {
            std::cout << std::fixed << std::setprecision(2)
                      << (esp.seconds > 0 ? ours.seconds / esp.seconds : 0)
                      << (ours.products > esp.products   ? "  MORE"
                          : ours.products < esp.products ? "  fewer"
                                                         : "");
            oursTotal += ours.seconds;
            espTotal += esp.seconds;
            oursProducts += ours.products;
            espProducts += esp.products;
            fewer += ours.products < esp.products;
            more += ours.products > esp.products;
        }
        proven += ours.minimum;
        unverified += ours.ran && !ours.verified;
        peakMb = std::max(peakMb, ours.peakMb);
        if (ours.ran)
            std::cout << "  work " << ours.work << (ours.cubes ? " cubes " : " tables ")
                      << ours.peakMb << " MB";
        if (!esp.ran) std::cout << "  espresso failed (memory cap or timeout)";
        std::cout << '\n' << std::flush;
    }
    std::cout << "\ntotal time: ours " << std::setprecision(3) << oursTotal << " s, espresso "
              << espTotal << " s, ratio " << (espTotal > 0 ? oursTotal / espTotal : 0)
              << "\ntotal products: ours " << oursProducts << ", espresso " << espProducts
              << "; fewer on " << fewer << ", more on " << more << "; proven minimum on " << proven
              << " of " << files.size() << "; not verified: " << unverified
              << "\npeak memory of one file's process: " << peakMb << " MB\n";
}
