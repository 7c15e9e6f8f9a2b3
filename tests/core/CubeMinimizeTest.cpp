// The cube path: covers of random small problems checked point by point (they implement the
// function, every product is prime and none is redundant) and beside the table path's; wide
// PLAs and the benchmark PLAs checked against their own cubes (files/PlaCheck.h).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

#include "cli/PlaProblem.h"
#include "core/CubeLoop.h"
#include "core/CubeMinimize.h"
#include "core/MultiMinimize.h"
#include "files/PlaCheck.h"

namespace {

namespace fs = std::filesystem;
using mwcore::cubes::Shape;
using mwcore::cubes::Word;

struct Small {
    int n = 0, outputs = 0;
    bool offGiven = false;
    std::vector<mwcore::TruthTable> on, dc, off;  // off as the problem means it
    mwcore::CubeProblem cubes;
    mwcore::MultiProblem tables;
};

mwcore::Cube RandomCube(int n, std::mt19937& rng) {
    mwcore::Cube c;
    for (int i = 0; i < n; ++i)
        if (rng() % 2) {
            c.mask |= 1u << i;
            if (rng() % 2) c.val |= 1u << i;
        }
    return c;
}

void AddTo(mwcore::cubes::CubeList& list, const Shape& s, const mwcore::Cube& c, int j) {
    Word* w = list.Add();
    s.Universe(w);
    std::fill(w + s.inWords, w + s.Width(), 0);
    for (int i = 0; i < s.vars; ++i)
        if (c.mask >> i & 1) Shape::SetLiteral(w, i, c.val >> i & 1);
    Shape::SetOutput(w + s.inWords, j);
}

// Outputs of random cubes; with an off-set given, the off cubes that miss every on cube.
Small RandomSmall(std::mt19937& rng) {
    Small p;
    p.n = 2 + static_cast<int>(rng() % 7);
    p.outputs = 1 + static_cast<int>(rng() % 3);
    p.offGiven = rng() % 4 == 0;
    p.cubes = mwcore::CubeProblem(p.n, p.outputs);
    p.cubes.offGiven = p.offGiven;
    p.tables = mwcore::MultiProblem(p.n, p.outputs);
    const Shape& s = p.cubes.shape;
    for (int j = 0; j < p.outputs; ++j) {
        p.on.emplace_back(p.n);
        p.dc.emplace_back(p.n);
        p.off.emplace_back(p.n);
        for (int k = 0, count = 1 + static_cast<int>(rng() % 8); k < count; ++k) {
            const mwcore::Cube c = RandomCube(p.n, rng);
            p.on[j].Paint(c);
            p.tables.AddOn(j, c);
            AddTo(p.cubes.on, s, c, j);
        }
        for (int k = 0, count = static_cast<int>(rng() % 3); k < count; ++k) {
            const mwcore::Cube c = RandomCube(p.n, rng);
            p.dc[j].Paint(c);
            p.tables.AddDc(j, c);
            AddTo(p.cubes.dc, s, c, j);
        }
        if (p.offGiven) {
            for (int k = 0; k < 6; ++k) {
                const mwcore::Cube c = RandomCube(p.n, rng);
                if (p.on[j].Intersects(c)) continue;
                p.off[j].Paint(c);
                p.tables.AddOff(j, c);
                AddTo(p.cubes.off, s, c, j);
            }
        } else {
            for (uint32_t m = 0; m < (1u << p.n); ++m)
                if (!p.on[j].Get(m) && !p.dc[j].Get(m)) p.off[j].Set(m);
        }
    }
    EXPECT_TRUE(p.tables.Finish(!p.offGiven));
    return p;
}

bool Holds(const Word* c, uint32_t m, int n) {
    for (int i = 0; i < n; ++i) {
        const int v = Shape::Literal(c, i);
        if (v != 2 && v != static_cast<int>(m >> i & 1)) return false;
    }
    return true;
}

// Points of output j the cover's products for it hold, but product `skip`.
mwcore::TruthTable CoveredBy(const Small& p, const mwcore::cubes::CubeList& cover, int j,
                             std::size_t skip = static_cast<std::size_t>(-1)) {
    mwcore::TruthTable t(p.n);
    const int iw = p.cubes.shape.inWords;
    for (std::size_t k = 0; k < cover.Size(); ++k)
        if (k != skip && Shape::Output(cover[k] + iw, j))
            for (uint32_t m = 0; m < (1u << p.n); ++m)
                if (Holds(cover[k], m, p.n)) t.Set(m);
    return t;
}

void ExpectSoundPrimeIrredundant(const Small& p, const mwcore::cubes::CubeList& cover) {
    const int iw = p.cubes.shape.inWords;
    const auto reachesOff = [&](const Word* c) {
        for (int j = 0; j < p.outputs; ++j)
            if (Shape::Output(c + iw, j))
                for (uint32_t m = 0; m < (1u << p.n); ++m)
                    if (p.off[j].Get(m) && !p.dc[j].Get(m) && Holds(c, m, p.n)) return true;
        return false;
    };
    for (int j = 0; j < p.outputs; ++j) {
        const mwcore::TruthTable covered = CoveredBy(p, cover, j);
        for (uint32_t m = 0; m < (1u << p.n); ++m) {
            if (p.dc[j].Get(m)) continue;
            if (p.on[j].Get(m)) {
                EXPECT_TRUE(covered.Get(m)) << "output " << j << " loses " << m;
            }
            if (p.off[j].Get(m)) {
                EXPECT_FALSE(covered.Get(m)) << "output " << j << " takes " << m;
            }
        }
    }
    for (std::size_t k = 0; k < cover.Size(); ++k) {
        EXPECT_FALSE(reachesOff(cover[k]));
        std::vector<Word> raised(cover[k], cover[k] + p.cubes.shape.Width());
        for (int i = 0; i < p.n; ++i) {
            const int v = Shape::Literal(cover[k], i);
            if (v == 2) continue;
            Shape::SetLiteral(raised.data(), i, 2);
            EXPECT_TRUE(reachesOff(raised.data())) << "product " << k << " is not prime";
            Shape::SetLiteral(raised.data(), i, v);
        }
        bool needed = false;
        for (int j = 0; j < p.outputs && !needed; ++j) {
            if (!Shape::Output(cover[k] + iw, j)) continue;
            const mwcore::TruthTable others = CoveredBy(p, cover, j, k);
            for (uint32_t m = 0; m < (1u << p.n) && !needed; ++m)
                needed = Holds(cover[k], m, p.n) && !p.dc[j].Get(m) && !others.Get(m);
        }
        EXPECT_TRUE(needed) << "product " << k << " is redundant";
    }
}

TEST(CubeMinimize, SmallProblemsArePrimeIrredundantCoversCloseToTheTablePath) {
    std::mt19937 rng(8122026);
    int cubeProducts = 0, tableProducts = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Small p = RandomSmall(rng);
        const mwcore::CubeMinimization m = mwcore::MinimizeCubes(p.cubes);
        ExpectSoundPrimeIrredundant(p, m.cover);
        if (HasFailure()) return;
        cubeProducts += static_cast<int>(m.cover.Size());
        tableProducts += static_cast<int>(mwcore::MinimizeMulti(p.tables).cover.size());
    }
    // The table path searches exactly where it can; the loop alone stays near it.
    EXPECT_LE(cubeProducts, tableProducts + tableProducts / 20);
}

// A cube of minterm m for output j.
void AddPoint(mwcore::cubes::CubeList& list, const Shape& s, uint32_t m, int j, bool withOutputs) {
    Word* w = list.Add();
    s.Universe(w);
    for (int i = 0; i < s.vars; ++i) Shape::SetLiteral(w, i, m >> i & 1);
    if (!withOutputs) return;
    std::fill(w + s.inWords, w + s.Width(), 0);
    Shape::SetOutput(w + s.inWords, j);
}

TEST(CubeMinimize, EssentialPrimesAreExactlyThoseHoldingAPointNoOtherImplicantHolds) {
    std::mt19937 rng(10122026);
    int essentials = 0, others = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Small p = RandomSmall(rng);
        const Shape& s = p.cubes.shape;
        const auto allowed = [&](int j, uint32_t m) { return !p.off[j].Get(m) || p.dc[j].Get(m); };
        const auto cares = [&](int j, uint32_t m) { return p.on[j].Get(m) && !p.dc[j].Get(m); };
        // Every point the loop may take but need not, as don't cares; the forbidden as off cubes.
        mwcore::cubes::CubeList dc(s.Width());
        std::vector<mwcore::cubes::CubeList> off(p.outputs, mwcore::cubes::CubeList(s.inWords));
        for (int j = 0; j < p.outputs; ++j)
            for (uint32_t m = 0; m < (1u << p.n); ++m) {
                if (!allowed(j, m))
                    AddPoint(off[j], s, m, j, false);
                else if (!cares(j, m))
                    AddPoint(dc, s, m, j, true);
            }
        mwcore::Work work;
        mwcore::cubes::CubeLoop loop(s, dc, off, std::vector<char>(p.outputs, 1),
                                     std::vector<mwcore::cubes::CubeList>(p.outputs), work);
        mwcore::cubes::CubeList f = p.cubes.on;
        loop.Expand(f);
        loop.Irredundant(f);
        const mwcore::cubes::CubeList before = f;
        const mwcore::cubes::CubeList taken = loop.TakeEssentials(f);
        ASSERT_EQ(f.Size() + taken.Size(), before.Size());
        // A care point of c is held by another prime exactly where some implicant holding it
        // reaches past c: one more input, or one more output, at that point.
        const auto essential = [&](const Word* c) {
            for (int j = 0; j < p.outputs; ++j) {
                if (!Shape::Output(c + s.inWords, j)) continue;
                for (uint32_t m = 0; m < (1u << p.n); ++m) {
                    if (!cares(j, m) || !Holds(c, m, p.n)) continue;
                    bool elsewhere = false;
                    for (int i = 0; i < p.n && !elsewhere; ++i)
                        elsewhere = !Holds(c, m ^ (1u << i), p.n) && allowed(j, m ^ (1u << i));
                    for (int o = 0; o < p.outputs && !elsewhere; ++o)
                        elsewhere = !Shape::Output(c + s.inWords, o) && allowed(o, m);
                    if (!elsewhere) return true;
                }
            }
            return false;
        };
        const auto listed = [&](const mwcore::cubes::CubeList& list, const Word* c) {
            for (std::size_t k = 0; k < list.Size(); ++k)
                if (std::equal(c, c + s.Width(), list[k])) return true;
            return false;
        };
        for (std::size_t k = 0; k < before.Size(); ++k) {
            const bool is = essential(before[k]);
            EXPECT_EQ(listed(taken, before[k]), is) << "product " << k;
            EXPECT_EQ(listed(f, before[k]), !is) << "product " << k;
            (is ? essentials : others)++;
        }
        if (HasFailure()) return;
    }
    EXPECT_GT(essentials, 50);  // both kinds were met often
    EXPECT_GT(others, 50);
}

pla::Pla ReadPla(const std::string& text) {
    pla::Error error;
    auto p = pla::ReadText(text, &error);
    EXPECT_TRUE(p) << error.message;
    return p ? *p : pla::Pla{};
}

std::optional<std::string> FaultOfCubePath(const pla::Pla& file) {
    const mwcore::CubeProblem p = cli::CubeProblemOf(file);
    const mwcore::CubeMinimization m = mwcore::MinimizeCubes(p);
    const auto products = cli::ProductsOf(p, m.cover);
    return pla::CoverFault(file, ReadPla(pla::CoverText(file.inputs, file.outputs, products)));
}

TEST(CubeMinimize, WidePlasOfEveryTypeAreImplemented) {
    std::mt19937 rng(40);
    for (const char* type : {"fd", "fr", "f"}) {
        SCOPED_TRACE(type);
        std::ostringstream text;
        text << ".i 40\n.o 3\n.type " << type << "\n";
        // On rows have input 1 at 1, off rows at 0, so the two never meet.
        const auto row = [&](int literals, char first, const std::string& outs) {
            std::string in(40, '-');
            for (int k = 0; k < literals; ++k) in[rng() % 40] = rng() % 2 ? '1' : '0';
            in[0] = first;
            text << in << ' ' << outs << '\n';
        };
        for (int k = 0; k < 40; ++k)
            row(4 + static_cast<int>(rng() % 10), '1',
                std::string{"~1"[rng() % 2], "~1"[rng() % 2], '1'});
        if (std::string(type) == "fd")
            for (int k = 0; k < 8; ++k) row(6, '-', "---");
        if (std::string(type) == "fr")
            for (int k = 0; k < 20; ++k) row(3, '0', "000");
        const pla::Pla file = ReadPla(text.str() + ".e\n");
        const auto fault = FaultOfCubePath(file);
        EXPECT_FALSE(fault) << *fault;
    }
}

fs::path BenchFolder(const char* name) {
    if (const char* dir = getenv("MW_BENCH_DIR")) return fs::path(dir) / name;
    return fs::path(MW_SOURCE_DIR) / ".." / "shared" / "bench" / name;
}

TEST(CubeMinimize, BenchmarkPlasOnBothPathsImplementTheirFunctions) {
    std::vector<fs::path> files;
    if (fs::is_directory(BenchFolder("src")))
        for (const auto& e : fs::recursive_directory_iterator(BenchFolder("src")))
            if (e.is_regular_file()) files.push_back(e.path());
    if (files.empty()) GTEST_SKIP() << "no benchmark folder at " << BenchFolder("src");
    std::sort(files.begin(), files.end());
    std::mt19937 rng(16);
    std::shuffle(files.begin(), files.end(), rng);
    int tried = 0;
    for (const fs::path& path : files) {
        pla::Error error;
        const auto file = pla::ReadFile(path.string(), &error);
        if (!file || file->inputs > 12 || file->rows > 200) continue;
        SCOPED_TRACE(path.filename().string());
        const auto fault = FaultOfCubePath(*file);
        EXPECT_FALSE(fault) << *fault;
        const auto problem = cli::ProblemOf(*file);
        ASSERT_TRUE(problem);
        std::vector<pla::Product> products;
        for (const mwcore::MultiCube& c : mwcore::MinimizeMulti(*problem).cover) {
            products.push_back({{c.in.mask, c.in.val}, std::vector<bool>(file->outputs)});
            for (int j = 0; j < file->outputs; ++j) products.back().outputs[j] = c.out.test(j);
        }
        EXPECT_FALSE(
            pla::CoverFault(*file, ReadPla(pla::CoverText(file->inputs, file->outputs, products))));
        if (++tried == 8) break;
    }
    // o64: 130 inputs, an off-set far too large to list.
    const fs::path o64 = BenchFolder("big") / "o64.pla";
    if (fs::exists(o64)) {
        pla::Error error;
        const auto file = pla::ReadFile(o64.string(), &error);
        ASSERT_TRUE(file) << error.message;
        const auto fault = FaultOfCubePath(*file);
        EXPECT_FALSE(fault) << *fault;
    }
}

}  // namespace
