// The map's exact view on the hardest 8-variable maps found: symmetric functions (large
// cyclic cores, many equal minima), random maps of every density with and without don't
// cares, and maps with many primes. For each family the worst map is kept and shown: time to
// the primes, the chart and the first minimum, and time for the whole panel (every solution
// up to 100 listed and counted, and the designed gluing beside it), in processor time, and
// the whole panel's wall time. Targets: 20 ms and 100 ms.
//
//   build/release/bin/mw_bench_explain [--random N] [--symmetric N] [--symmetric-dc N] [--all 1]
//                                      [--only TEXT]   (only the maps whose name holds TEXT)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "explain/Explain.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

explain::MapFunction Function(const std::string& values, TGlueMethod form) {
    explain::MapFunction f;
    f.vars = 8;
    f.form = form;
    f.values.assign(values.begin(), values.end());
    for (int k = 0; k < 8; ++k) f.names.push_back(std::string(1, static_cast<char>('A' + k)));
    return f;
}

struct Row {
    std::string name;
    std::size_t primes = 0, coreCells = 0, corePrimes = 0;
    uint64_t count = 0;
    bool complete = false, proven = true;
    int64_t work = 0, countWork = 0;  // units spent on the minimum and on counting
    int terms = 0, literals = 0;
    double first = 0, whole = 0, wall = 0;
};

std::string only;  // measure only the maps whose name holds this

Row Measure(const std::string& name, const explain::MapFunction& f) {
    Row row;
    if (name.find(only) == std::string::npos) return row;
    row.name = name;
    explain::Limits firstOnly;
    firstOnly.maxSolutions = 1;
    firstOnly.countWork = 0;
    firstOnly.compareGluing = false;
    // Processor time: the machine may be shared, and a wall clock would count the others.
    const std::clock_t c0 = std::clock();
    explain::Explain(f, firstOnly);
    const std::clock_t c1 = std::clock();
    const auto t1 = Clock::now();
    const explain::Explanation e = explain::Explain(f);
    const auto t2 = Clock::now();
    const std::clock_t c2 = std::clock();
    row.first = 1000.0 * (c1 - c0) / CLOCKS_PER_SEC;
    row.whole = 1000.0 * (c2 - c1) / CLOCKS_PER_SEC;
    row.wall = Ms(t2 - t1);
    row.primes = e.primes.size();
    row.coreCells = e.coreCells.size();
    row.corePrimes = e.corePrimes.size();
    row.count = e.solutionCount;
    row.complete = e.countComplete;
    row.proven = e.proven && !e.clockStopped;
    row.work = e.workSpent;
    row.countWork = e.countWorkSpent;
    row.terms = e.minTerms;
    row.literals = e.minLiterals;
    return row;
}

void Print(const Row& r) {
    std::printf("%-34s %6zu %5zu x %-5zu %9llu%s %5d/%-5d %8.2f %8.2f %8.2f %7.1f %7.1f\n",
                r.name.c_str(), r.primes, r.coreCells, r.corePrimes,
                static_cast<unsigned long long>(r.count), r.proven ? (r.complete ? " " : "+") : "?",
                r.terms, r.literals, r.first, r.whole, r.wall, r.work / 1e6, r.countWork / 1e6);
}

// Keeps the slowest map of a family by whole-panel time, and its slowest first minimum.
bool printAll = false;
int64_t mostWork = 0, mostCountWork = 0;

struct Worst {
    Row byWhole, byFirst;
    void Add(const Row& r) {
        if (r.name.empty()) return;  // not measured
        if (printAll) Print(r);
        mostWork = std::max(mostWork, r.work);
        mostCountWork = std::max(mostCountWork, r.countWork);
        if (r.whole > byWhole.whole) byWhole = r;
        if (r.first > byFirst.first) byFirst = r;
    }
};

}  // namespace

int main(int argc, char** argv) {
    int randomMaps = 300, symmetricDcMaps = 320, symmetricMaps = 510;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--random")) randomMaps = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--all")) printAll = std::atoi(argv[i + 1]) != 0;
        if (!std::strcmp(argv[i], "--symmetric-dc")) symmetricDcMaps = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--symmetric")) symmetricMaps = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
    }

    std::printf("%-34s %6s %13s %10s %11s %8s %8s %8s %7s %7s\n", "map (8 variables)", "primes",
                "cyclic core", "minima", "terms/lits", "first ms", "all ms", "all wall", "Mwork",
                "Mcount");
    std::vector<std::pair<std::string, Worst>> families;

    Worst symmetric;  // ones where the number of set variables is in a chosen set
    for (int weights = 1; weights <= symmetricMaps; ++weights) {
        std::string v(256, '0');
        for (int m = 0; m < 256; ++m)
            if (weights >> std::popcount(static_cast<unsigned>(m)) & 1) v[m] = '1';
        symmetric.Add(Measure("symmetric, weights " + std::to_string(weights), Function(v, gmDNF)));
    }
    families.push_back({"symmetric", symmetric});

    // Symmetric with don't cares: each count of set variables gives 1, 0 or don't care.
    Worst symmetricDc;
    std::mt19937 pick(320);
    int unproven = 0;
    for (int k = 0; k < symmetricDcMaps; ++k) {
        std::string weights(9, '0');
        for (char& w : weights) w = "01*"[pick() % 3];
        std::string v(256, '0');
        for (int m = 0; m < 256; ++m) v[m] = weights[std::popcount(static_cast<unsigned>(m))];
        const Row r = Measure("symmetric, weights " + weights, Function(v, gmDNF));
        unproven += !r.proven;
        symmetricDc.Add(r);
    }
    families.push_back({"symmetric with don't cares", symmetricDc});

    std::mt19937 random(2026);
    const int ones[] = {10, 25, 50, 75, 90};
    for (int dcShare : {0, 20, 60}) {
        for (int onePercent : ones) {
            Worst w;
            for (int k = 0; k < randomMaps / 5; ++k) {
                std::string v(256, '0');
                for (char& c : v) {
                    const int x = static_cast<int>(random() % 100);
                    c = x < dcShare ? '*'
                                    : (static_cast<int>(random() % 100) < onePercent ? '1' : '0');
                }
                char name[64];
                std::snprintf(name, sizeof name, "random %d%% ones, %d%% dc #%d", onePercent,
                              dcShare, k);
                w.Add(Measure(name, Function(v, k % 2 ? gmKNF : gmDNF)));
            }
            families.push_back({"random", w});
        }
    }

    Worst fixed;
    std::string checker(256, '0'), allOnes(256, '1');
    for (int m = 0; m < 256; ++m)
        checker[m] = std::popcount(static_cast<unsigned>(m)) % 2 ? '1' : '0';
    fixed.Add(Measure("parity (checkerboard)", Function(checker, gmDNF)));
    fixed.Add(Measure("all ones", Function(allOnes, gmDNF)));
    families.push_back({"fixed", fixed});

    std::vector<Row> shown;
    for (auto& [family, w] : families) {
        (void)family;
        for (const Row* r : {&w.byWhole, &w.byFirst})
            if (!r->name.empty() && std::none_of(shown.begin(), shown.end(),
                                                 [&](const Row& s) { return s.name == r->name; }))
                shown.push_back(*r);
    }
    std::sort(shown.begin(), shown.end(),
              [](const Row& a, const Row& b) { return a.whole > b.whole; });
    double worstFirst = 0, worstWhole = 0;
    for (const Row& r : shown) {
        Print(r);
        worstFirst = std::max(worstFirst, r.first);
        worstWhole = std::max(worstWhole, r.whole);
    }
    std::printf(
        "\nworst: first minimum %.2f ms (target 20), whole panel %.2f ms (target 100); "
        "'+' after a count: at least that many; '?': minimum not proven (%d symmetric maps with "
        "don't cares)\nmost work: %.1f M units for a minimum, %.1f M for counting\n",
        worstFirst, worstWhole, unproven, mostWork / 1e6, mostCountWork / 1e6);
    return 0;
}
