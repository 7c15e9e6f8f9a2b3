// The minimization core side by side with espresso and ABC on the single-output benchmark
// functions: products, literals and wall time of each, and our time over espresso's.
//
//   mw_bench_core [--dir DIR] [--espresso PATH] [--abc PATH] [--exact-seconds S] [--only NAME]
//
// Where DIR has REFERENCE.md, its "min cubes" (the fewest products proven by any exact run)
// and espresso's exact-mode time are shown beside ours: "min" ends in "<" when ours is below
// the best known, "!" when above the proven minimum.
//
// DIR holds pla/*.pla (default: the shared benchmark folder beside the repository). Peers run
// as child processes on the PLA file, so their times include process start, as in the
// reference figures; ours is the core's work on the function string in this process (reading
// the string, minimizing, verifying, writing the lines). A peer that cannot be run is shown
// as "-". bench/get-espresso.sh builds espresso from the npm package espresso-logic-minimizer.

#include <sys/resource.h>

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
#include <vector>

#include "core/ExchangeFormat.h"
#include "core/Minimize.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Figures {
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

Figures Ours(const std::string& function, int n, double exactSeconds) {
    Figures f;
    mwcore::MinimizeOptions options;
    options.workScale = exactSeconds;
    const auto start = Clock::now();
    const mwcore::Problem p = mwcore::ParseFunctionString(function, n);
    const mwcore::Minimization m = mwcore::Minimize(p, options);
    const std::vector<std::string> lines = mwcore::ResultLines(m);
    f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.ran = !lines.empty();
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
    if (espresso.empty() || !Capture("'" + espresso + "' '" + pla + "' 2>/dev/null", out, f.seconds)) return f;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '.' || line[0] == '#') continue;
        const std::string inputs = line.substr(0, line.find(' '));
        ++f.products;
        f.literals += static_cast<int>(std::count_if(inputs.begin(), inputs.end(), [](char c) { return c == '0' || c == '1'; }));
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
        const std::string script = std::string(reading) + " " + pla + "; collapse; sop -d; print_stats -f";
        if (!Capture("'" + abc + "' -c '" + script + "' 2>/dev/null", out, f.seconds)) continue;
        const auto cube = out.find("cube =");
        const auto lit = out.find("lit(sop) =");
        if (cube == std::string::npos || lit == std::string::npos) continue;
        f.products = std::stoi(out.substr(cube + 6));
        f.literals = std::stoi(out.substr(lit + 10));
        f.ran = true;
        if (!best.ran || std::pair(f.products, f.literals) < std::pair(best.products, best.literals)) best = f;
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
        if (cells.size() < 12 || cells[1].empty() || !std::isdigit(static_cast<unsigned char>(cells[1][0]))) continue;
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
    if (Capture("command -v " + name + " 2>/dev/null", out, t) && !out.empty()) return out.substr(0, out.find('\n'));
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = MW_BENCH_DEFAULT_DIR;
    std::string espresso = Which("espresso");
    std::string abc = Which("berkeley-abc");
    std::string only;
    double exactSeconds = 1.0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        if (opt == "--dir") dir = argv[i + 1];
        else if (opt == "--espresso") espresso = argv[i + 1];
        else if (opt == "--abc") abc = argv[i + 1];
        else if (opt == "--exact-seconds") exactSeconds = std::stod(argv[i + 1]);
        else if (opt == "--only") only = argv[i + 1];
        else {
            std::cerr << "unknown option " << opt << "\n";
            return 2;
        }
    }
    std::vector<fs::path> plas;
    for (const auto& e : fs::directory_iterator(fs::path(dir) / "pla"))
        if (e.path().extension() == ".pla" && (only.empty() || e.path().stem() == only)) plas.push_back(e.path());
    if (plas.empty()) {
        std::cerr << "no PLA files in " << dir << "/pla\n";
        return 1;
    }
    std::vector<std::pair<int, fs::path>> ordered;
    for (const auto& p : plas) {
        int n = 0;
        std::ifstream in(p);
        for (std::string w; in >> w;)
            if (w == ".i") {
                in >> n;
                break;
            }
        ordered.push_back({n, p});
    }
    std::sort(ordered.begin(), ordered.end());
    std::cout << "espresso: " << (espresso.empty() ? "not found" : espresso)
              << "   abc: " << (abc.empty() ? "not found" : abc) << "   exact budget: " << exactSeconds << " s\n";
    std::cout << "cells: products/literals/seconds; * = proven minimum\n";
    const std::map<std::string, Reference> reference = ReadReference(fs::path(dir) / "REFERENCE.md");
    std::cout << std::left << std::setw(14) << "function" << std::right << std::setw(4) << "n" << std::setw(22)
              << "ours" << std::setw(20) << "espresso" << std::setw(20) << "abc" << std::setw(10) << "ratio"
              << std::setw(8) << "min" << std::setw(12) << "esp. exact" << "\n";
    int proven = 0, known = 0, atKnown = 0, belowBest = 0, open = 0, aboveKnown = 0;
    double oursTotal = 0, espressoTotal = 0, worst = 0;
    int oursProducts = 0, espressoProducts = 0, fewer = 0, more = 0;
    std::string worstName;
    for (const auto& [n0, path] : ordered) {
        int n = 0;
        const std::string function = FunctionOfPla(path.string(), n);
        const Figures ours = Ours(function, n, exactSeconds);
        const Figures esp = Espresso(espresso, path.string());
        const Figures ab = Abc(abc, path.string());
        const double ratio = esp.ran && esp.seconds > 0 ? ours.seconds / esp.seconds : 0;
        std::cout << std::left << std::setw(14) << path.stem().string() << std::right << std::setw(4) << n
                  << std::setw(21) << Cell(ours) << (ours.minimum ? "*" : " ") << std::setw(20) << Cell(esp)
                  << std::setw(20) << Cell(ab) << std::setw(10) << std::fixed << std::setprecision(2) << ratio;
        proven += ours.minimum;
        const auto ref = reference.find(path.stem().string());
        if (ref != reference.end() && !ref->second.minimum.empty()) {
            const std::string& m = ref->second.minimum;
            const bool bound = !std::isdigit(static_cast<unsigned char>(m[0]));
            const int value = std::stoi(m.substr(m.find_first_of("0123456789")));
            std::string mark;
            if (bound) {
                ++open;
                if (ours.products < value) mark = "<", ++belowBest;
            } else {
                ++known;
                if (ours.products == value) ++atKnown;
                if (ours.products > value) mark = "!", ++aboveKnown;
            }
            std::cout << std::setw(8) << ((bound ? "<=" : "") + std::to_string(value) + mark) << std::setw(12)
                      << ExactTime(ref->second.exact);
        }
        std::cout << "\n";
        oursTotal += ours.seconds;
        oursProducts += ours.products;
        if (esp.ran) {
            espressoTotal += esp.seconds;
            espressoProducts += esp.products;
            fewer += ours.products < esp.products;
            more += ours.products > esp.products;
            if (ratio > worst) {
                worst = ratio;
                worstName = path.stem().string();
            }
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "\ntotal time: ours " << std::setprecision(3) << oursTotal << " s, espresso " << espressoTotal
              << " s, ratio " << (espressoTotal > 0 ? oursTotal / espressoTotal : 0) << "\n"
              << "total products: ours " << oursProducts << ", espresso " << espressoProducts << "; fewer on "
              << fewer << ", more on " << more << "\n"
              << "worst time ratio: " << worst << " (" << worstName << ")\n"
              << "proven minimum: " << proven << " of " << ordered.size() << "; at the known minimum on "
              << atKnown << " of " << known << ", above it on " << aboveKnown << "; below the best known cover on "
              << belowBest << " of the " << open << " still open\n"
              << "peak memory of this process: " << usage.ru_maxrss / 1024 << " MB\n";
    return more == 0 && aboveKnown == 0 ? 0 : 3;
}
