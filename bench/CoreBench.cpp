// The minimization core side by side with espresso and ABC on the single-output benchmark
// functions: products, literals and wall time of each, and our time over espresso's.
//
//   mw_bench_core [--dir DIR] [--espresso PATH] [--abc PATH] [--effort E] [--threads N]
//                 [--work-scale S] [--only NAME] [--passes 1|2] [--dump DIR]
//
// The table is made twice (--passes 2, the default): alone, then with the machine loaded by
// as many busy processes as it has cores; the second pass says whether every result (all
// covers, in order) came out the same. Time targets: "2x+50ms" counts the functions whose
// time is within twice espresso's plus 50 ms, or whose result is proven.
// Where DIR has REFERENCE.md, its "min cubes" (the fewest products proven by any exact run)
// and espresso's exact-mode time are shown beside ours: "min" ends in "<" when ours is below
// the best known, "!" when above the proven minimum.
//
// DIR holds pla/*.pla (default: the shared benchmark folder beside the repository). Peers run
// as child processes on the PLA file, so their times include process start, as in the
// reference figures; ours is the core's work on the function string in this process (reading
// the string, minimizing, verifying, writing the lines). A peer that cannot be run is shown
// as "-". bench/get-espresso.sh builds espresso from the npm package espresso-logic-minimizer.
// --dump writes each function's covers of the first pass and whether they are proven to
// DIR/<function>.txt, so that two builds of the core can be compared file by file.

#include <signal.h>
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
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/ExchangeFormat.h"
#include "core/Minimize.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Figures {
    std::string text;  // every cover, for comparing passes
    bool ran = false;
    int products = 0;
    int literals = 0;
    double seconds = 0;
    bool minimum = false;
};

// The function string of a single-output PLA of type f or fd: output '1' on, '-' or '2' free
// (free wins), input column 1 the most significant bit.
std::string FunctionOfPla(const std::string& path, int& n) {
    std::ifstream in(path);
    n = -1;
    std::vector<std::pair<std::string, char>> cubes;
    std::string pending;
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) continue;
        if (first[0] == '.') {
            if (first == ".i") words >> n;
            if (first == ".e" || first == ".end") break;
            continue;
        }
        if (n < 0) continue;
        pending += first;
        for (std::string w; words >> w;) pending += w;
        while (static_cast<int>(pending.size()) >= n + 1) {
            cubes.push_back({pending.substr(0, n), pending[n]});
            pending.erase(0, n + 1);
        }
    }
    if (n < 1 || n > mwcore::kMaxVars) throw std::runtime_error("bad PLA " + path);
    mwcore::TruthTable on(n), dc(n);
    for (const auto& [inputs, out] : cubes) {
        mwcore::Cube c;
        for (int col = 0; col < n; ++col) {
            const uint32_t bit = 1u << (n - 1 - col);
            if (inputs[col] == '0' || inputs[col] == '1') c.mask |= bit;
            if (inputs[col] == '1') c.val |= bit;
        }
        if (out == '1' || out == '4') on.Paint(c);
        if (out == '-' || out == '2') dc.Paint(c);
    }
    std::string s(std::size_t{1} << n, '0');
    for (uint32_t m = 0; m < s.size(); ++m) s[m] = dc.Get(m) ? '2' : on.Get(m) ? '1' : '0';
    return s;
}

Figures Ours(const std::string& function, int n, const mwcore::MinimizeOptions& options) {
    Figures f;
    const auto start = Clock::now();
    const mwcore::Problem p = mwcore::ParseFunctionString(function, n);
    const mwcore::Minimization m = mwcore::Minimize(p, options);
    const std::vector<std::string> lines = mwcore::ResultLines(m);
    f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.ran = !lines.empty();
    for (const auto& cover : m.covers) f.text += mwcore::CoverText(cover, n) + "\n";
    f.minimum = m.minimum;
    if (m.kind == mwcore::Minimization::Kind::Sum) {
        const mwcore::CoverCost cost = mwcore::CostOf(m.covers.front());
        f.products = cost.products;
        f.literals = cost.literals;
    }
    return f;
}

// Runs a command, returns its standard output and the wall time.
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

Figures Espresso(const std::string& espresso, const std::string& pla) {
    Figures f;
    std::string out;
    if (espresso.empty() ||
        !Capture("'" + espresso + "' '" + pla + "' 2>/dev/null", out, f.seconds))
        return f;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '.' || line[0] == '#') continue;
        const std::string inputs = line.substr(0, line.find(' '));
        ++f.products;
        f.literals += static_cast<int>(std::count_if(inputs.begin(), inputs.end(),
                                                     [](char c) { return c == '0' || c == '1'; }));
    }
    f.ran = true;
    return f;
}

// ABC reads don't cares either as 0 or as 1; the better of the two readings counts.
Figures Abc(const std::string& abc, const std::string& pla) {
    Figures best;
    if (abc.empty()) return best;
    for (const char* reading : {"read_pla", "read_pla -d"}) {
        Figures f;
        std::string out;
        const std::string script =
            std::string(reading) + " " + pla + "; collapse; sop -d; print_stats -f";
        if (!Capture("'" + abc + "' -c '" + script + "' 2>/dev/null", out, f.seconds)) continue;
        const auto cube = out.find("cube =");
        const auto lit = out.find("lit(sop) =");
        if (cube == std::string::npos || lit == std::string::npos) continue;
        f.products = std::stoi(out.substr(cube + 6));
        f.literals = std::stoi(out.substr(lit + 10));
        f.ran = true;
        if (!best.ran ||
            std::pair(f.products, f.literals) < std::pair(best.products, best.literals))
            best = f;
    }
    return best;
}

struct Reference {
    std::string minimum;  // "84", "≤ 54" or empty
    std::string exact;    // espresso -Dexact: "84 / 504 / 0.25" or "> 60 s"
};

// The results table of REFERENCE.md: cells split at '|', function name in column 2.
std::map<std::string, Reference> ReadReference(const fs::path& file) {
    std::map<std::string, Reference> out;
    std::ifstream in(file);
    const auto trim = [](std::string t) {
        t.erase(0, t.find_first_not_of(' '));
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
    };
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream split(line);
        for (std::string cell; std::getline(split, cell, '|');) cells.push_back(trim(cell));
        if (cells.size() < 12 || cells[1].empty() ||
            !std::isdigit(static_cast<unsigned char>(cells[1][0])))
            continue;
        out[cells[2]] = {cells[11], cells[7]};
    }
    return out;
}

std::string ExactTime(const std::string& cell) {
    if (cell.rfind(">", 0) == 0) return cell;
    const auto slash = cell.rfind('/');
    return slash == std::string::npos ? "-" : cell.substr(slash + 2) + " s";
}

std::string Cell(const Figures& f) {
    if (!f.ran) return "-";
    std::ostringstream s;
    s << f.products << "/" << f.literals << "/" << std::fixed << std::setprecision(3) << f.seconds;
    return s.str();
}

std::string Which(const std::string& name) {
    std::string out;
    double t;
    if (Capture("command -v " + name + " 2>/dev/null", out, t) && !out.empty())
        return out.substr(0, out.find('\n'));
    return "";
}

// Busy processes that keep every core occupied until they are stopped.
class Load {
  public:
    explicit Load(int processes) {
        for (int i = 0; i < processes; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                volatile uint64_t x = 0;
                for (;;) x = x * 6364136223846793005ull + 1;
            }
            if (pid > 0) pids_.push_back(pid);
        }
    }
    ~Load() {
        for (pid_t pid : pids_) kill(pid, SIGKILL);
        for (pid_t pid : pids_) waitpid(pid, nullptr, 0);
    }

  private:
    std::vector<pid_t> pids_;
};

struct Line {
    std::string name;
    int n = 0;
    Figures ours, esp;
};

void Dump(const fs::path& dir, const std::vector<Line>& lines) {
    fs::create_directories(dir);
    for (const Line& l : lines)
        std::ofstream(dir / (l.name + ".txt"))
            << (l.ours.minimum ? "proven\n" : "not proven\n") << l.ours.text;
}

std::vector<Line> Table(const std::vector<std::pair<int, fs::path>>& ordered,
                        const mwcore::MinimizeOptions& options, const std::string& espresso,
                        const std::string& abc, const std::map<std::string, Reference>& reference,
                        const std::vector<Line>* first) {
    std::cout << std::left << std::setw(14) << "function" << std::right << std::setw(4) << "n"
              << std::setw(22) << "ours" << std::setw(20) << "espresso" << std::setw(20) << "abc"
              << std::setw(10) << "ratio" << std::setw(8) << "min" << std::setw(12) << "esp. exact"
              << std::setw(12) << "2x+50ms"
              << "\n";
    std::vector<Line> lines;
    for (const auto& [n0, path] : ordered) {
        Line line;
        line.name = path.stem().string();
        const std::string function = FunctionOfPla(path.string(), line.n);
        line.ours = Ours(function, line.n, options);
        line.esp = Espresso(espresso, path.string());
        const Figures ab = Abc(abc, path.string());
        const Figures& ours = line.ours;
        const Figures& esp = line.esp;
        const double ratio = esp.ran && esp.seconds > 0 ? ours.seconds / esp.seconds : 0;
        std::cout << std::left << std::setw(14) << line.name << std::right << std::setw(4) << line.n
                  << std::setw(21) << Cell(ours) << (ours.minimum ? "*" : " ") << std::setw(20)
                  << Cell(esp) << std::setw(20) << Cell(ab) << std::setw(10) << std::fixed
                  << std::setprecision(2) << ratio;
        const auto ref = reference.find(line.name);
        std::string minCell = "-", exactCell = "-";
        if (ref != reference.end() && !ref->second.minimum.empty()) {
            const std::string& m = ref->second.minimum;
            const bool bound = !std::isdigit(static_cast<unsigned char>(m[0]));
            const int value = std::stoi(m.substr(m.find_first_of("0123456789")));
            std::string mark;
            if (bound && ours.products < value) mark = "<";
            if (!bound && ours.products > value) mark = "!";
            minCell = (bound ? "<=" : "") + std::to_string(value) + mark;
            exactCell = ExactTime(ref->second.exact);
        }
        const bool inTime = ours.minimum || !esp.ran || ours.seconds <= 2 * esp.seconds + 0.05;
        std::cout << std::setw(8) << minCell << std::setw(12) << exactCell << std::setw(12)
                  << (inTime ? "yes" : "NO");
        if (first) {
            const auto same = std::find_if(first->begin(), first->end(),
                                           [&](const Line& l) { return l.name == line.name; });
            if (same != first->end() && same->ours.text != ours.text) std::cout << "  DIFFERENT";
        }
        std::cout << "\n" << std::flush;
        lines.push_back(std::move(line));
    }
    return lines;
}

// The summary of one pass; returns whether we are never behind espresso.
bool Summary(const std::vector<Line>& lines, const std::map<std::string, Reference>& reference,
             const std::vector<Line>* first) {
    int proven = 0, known = 0, atKnown = 0, aboveKnown = 0, inTime = 0, same = 0;
    double oursTotal = 0, espressoTotal = 0, worst = 0;
    int oursProducts = 0, espressoProducts = 0, fewer = 0, more = 0, moreLiterals = 0;
    std::string worstName;
    for (const Line& l : lines) {
        proven += l.ours.minimum;
        oursTotal += l.ours.seconds;
        oursProducts += l.ours.products;
        const auto ref = reference.find(l.name);
        if (ref != reference.end() && !ref->second.minimum.empty() &&
            std::isdigit(static_cast<unsigned char>(ref->second.minimum[0]))) {
            ++known;
            const int value = std::stoi(ref->second.minimum);
            atKnown += l.ours.products == value;
            aboveKnown += l.ours.products > value;
        }
        if (first)
            for (const Line& f : *first) same += f.name == l.name && f.ours.text == l.ours.text;
        if (!l.esp.ran) continue;
        inTime += l.ours.minimum || l.ours.seconds <= 2 * l.esp.seconds + 0.05;
        espressoTotal += l.esp.seconds;
        espressoProducts += l.esp.products;
        fewer += l.ours.products < l.esp.products;
        more += l.ours.products > l.esp.products;
        moreLiterals += l.ours.products == l.esp.products && l.ours.literals > l.esp.literals;
        const double ratio = l.esp.seconds > 0 ? l.ours.seconds / l.esp.seconds : 0;
        if (ratio > worst) {
            worst = ratio;
            worstName = l.name;
        }
    }
    std::cout << "\ntotal time: ours " << std::setprecision(3) << oursTotal << " s, espresso "
              << espressoTotal << " s, ratio "
              << (espressoTotal > 0 ? oursTotal / espressoTotal : 0) << "\n"
              << "total products: ours " << oursProducts << ", espresso " << espressoProducts
              << "; fewer on " << fewer << ", more on " << more
              << ", more literals at equal products on " << moreLiterals << "\n"
              << "within twice espresso's time + 50 ms or proven: " << inTime << " of "
              << lines.size() << "; worst time ratio " << worst << " (" << worstName << ")\n"
              << "proven minimum: " << proven << " of " << lines.size()
              << "; at the known minimum on " << atKnown << " of " << known << ", above it on "
              << aboveKnown << "\n";
    if (first) std::cout << "same results as alone: " << same << " of " << lines.size() << "\n";
    return more == 0 && moreLiterals == 0 && aboveKnown == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = MW_BENCH_DEFAULT_DIR;
    std::string espresso = Which("espresso");
    std::string abc = Which("berkeley-abc");
    std::string only, dump;
    int passes = 2;
    mwcore::MinimizeOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string opt = argv[i], value = argv[i + 1];
        if (opt == "--dir")
            dir = value;
        else if (opt == "--espresso")
            espresso = value;
        else if (opt == "--abc")
            abc = value;
        else if (opt == "--work-scale")
            options.workScale = std::stod(value);
        else if (opt == "--threads")
            options.threads = std::stoi(value);
        else if (opt == "--passes")
            passes = std::stoi(value);
        else if (opt == "--effort" && value == "quick")
            options.effort = mwcore::Effort::Quick;
        else if (opt == "--effort" && value == "thorough")
            options.effort = mwcore::Effort::Thorough;
        else if (opt == "--effort" && value == "prove")
            options.effort = mwcore::Effort::Prove;
        else if (opt == "--only")
            only = value;
        else if (opt == "--dump")
            dump = value;
        else {
            std::cerr << "unknown option " << opt << " " << value << "\n";
            return 2;
        }
    }
    std::vector<std::pair<int, fs::path>> ordered;
    for (const auto& e : fs::directory_iterator(fs::path(dir) / "pla")) {
        if (e.path().extension() != ".pla" || (!only.empty() && e.path().stem() != only)) continue;
        int n = 0;
        std::ifstream in(e.path());
        for (std::string w; in >> w;)
            if (w == ".i") {
                in >> n;
                break;
            }
        ordered.push_back({n, e.path()});
    }
    if (ordered.empty()) {
        std::cerr << "no PLA files in " << dir << "/pla\n";
        return 1;
    }
    std::sort(ordered.begin(), ordered.end());
    std::cout << "espresso: " << (espresso.empty() ? "not found" : espresso)
              << "   abc: " << (abc.empty() ? "not found" : abc)
              << "   effort: " << mwcore::EffortName(options.effort)
              << "   work scale: " << options.workScale << "   threads: " << options.threads
              << "\n";
    std::cout << "cells: products/literals/seconds; * = proven minimum\n";
    const std::map<std::string, Reference> reference =
        ReadReference(fs::path(dir) / "REFERENCE.md");
    const std::vector<Line> alone = Table(ordered, options, espresso, abc, reference, nullptr);
    bool good = Summary(alone, reference, nullptr);
    if (!dump.empty()) Dump(dump, alone);
    if (passes >= 2) {
        const int cores = static_cast<int>(std::thread::hardware_concurrency());
        std::cout << "\nthe same with the machine loaded by " << cores << " busy processes\n";
        Load load(cores);
        const std::vector<Line> loaded = Table(ordered, options, espresso, abc, reference, &alone);
        good = Summary(loaded, reference, &alone) && good;
        for (std::size_t i = 0; i < loaded.size(); ++i)
            good = good && loaded[i].ours.text == alone[i].ours.text;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "peak memory of this process: " << usage.ru_maxrss / 1024 << " MB\n";
    return good ? 0 : 3;
}
