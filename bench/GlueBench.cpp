// Test() on 8-variable maps: every case must stay far below what a person notices.

#include <benchmark/benchmark.h>

#include <random>

#include "engine/CarnoGrid.h"

namespace {

enum Pattern {
    AllOnes,
    DontCaresWithOneOne,
    SingleOne,
    Checkerboard,
    Random,
    AllOnesButOneZero,
    MostlyDontCares
};

void Fill(TCarnoGrid& map, Pattern pattern, unsigned seed) {
    std::mt19937 rng(seed);
    for (int c = 1; c <= 16; ++c) {
        for (int r = 1; r <= 16; ++r) {
            const char* t = "";
            switch (pattern) {
                case AllOnes:
                    t = "1";
                    break;
                case DontCaresWithOneOne:
                    t = "*";
                    break;
                case SingleOne:
                    t = "0";
                    break;
                case Checkerboard:
                    t = (c + r) % 2 ? "1" : "0";
                    break;
                case AllOnesButOneZero:
                    t = "1";
                    break;
                case MostlyDontCares: {  // many groups on every level, and single cells
                    const unsigned x = rng() % 100;
                    t = x < 20 ? "1" : x < 90 ? "*" : "0";
                    break;
                }
                case Random: {
                    const unsigned x = rng() % 100;
                    t = x < 50 ? "1" : x < 60 ? "*" : "0";
                    break;
                }
            }
            map.SetCells(c, r, t);
        }
    }
    if (pattern == DontCaresWithOneOne || pattern == SingleOne) map.SetCells(7, 11, "1");
    if (pattern == AllOnesButOneZero) map.SetCells(7, 11, "0");
}

void BM_Test8(benchmark::State& state) {
    const auto pattern = static_cast<Pattern>(state.range(0));
    TCarnoGrid map;
    map.SetVariableCount(8);
    MemoryResultTree tree;
    MemoryProgress progress;
    map.TreeView = &tree;
    map.Progress = &progress;
    unsigned seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(map, pattern, seed++);
        tree.Clear();
        state.ResumeTiming();
        map.Test();
        benchmark::DoNotOptimize(map.ResultFormula());
    }
    state.counters["terms"] = map.ResultCount();
}

}  // namespace

BENCHMARK(BM_Test8)
    ->ArgName("pattern")
    ->Arg(AllOnes)
    ->Arg(DontCaresWithOneOne)
    ->Arg(SingleOne)
    ->Arg(Checkerboard)
    ->Arg(Random)
    ->Arg(AllOnesButOneZero)
    ->Arg(MostlyDontCares)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
