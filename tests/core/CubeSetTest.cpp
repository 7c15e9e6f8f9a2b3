// The cube operations of the cube path against the truth tables of the table path, on random
// lists (seeded) of up to 10 inputs, and on inputs spread over several words.

#include <gtest/gtest.h>

#include <random>

#include "core/CubeSet.h"
#include "core/TruthTable.h"

namespace {

using mwcore::cubes::CubeList;
using mwcore::cubes::Shape;
using mwcore::cubes::Word;

// The inputs the table's variables stand for: variable i of the table is input at[i].
struct Layout {
    Shape shape;
    std::vector<int> at;
};

// The table of the points a list covers.
mwcore::TruthTable TableOf(const CubeList& list, const Layout& l) {
    const int n = static_cast<int>(l.at.size());
    mwcore::TruthTable t(n);
    for (std::size_t k = 0; k < list.Size(); ++k) {
        mwcore::Cube c;
        for (int i = 0; i < n; ++i) {
            const int v = Shape::Literal(list[k], l.at[i]);
            if (v == 2) continue;
            c.mask |= 1u << i;
            if (v == 1) c.val |= 1u << i;
        }
        t.Paint(c);
    }
    return t;
}

Word* AddMinterm(CubeList& list, const Layout& l, uint32_t m) {
    Word* c = list.Add();
    l.shape.Universe(c);
    for (std::size_t i = 0; i < l.at.size(); ++i) Shape::SetLiteral(c, l.at[i], (m >> i) & 1);
    return c;
}

// Random cubes, and often the minterms they leave out but perhaps one, so that tautologies
// and near misses are both common.
CubeList RandomList(const Layout& l, std::mt19937& rng) {
    const int n = static_cast<int>(l.at.size());
    CubeList list(l.shape.inWords);
    const int count = static_cast<int>(rng() % 9);
    for (int k = 0; k < count; ++k) {
        Word* c = list.Add();
        l.shape.Universe(c);
        for (int i = 0; i < n; ++i)
            if (rng() % 3 == 0) Shape::SetLiteral(c, l.at[i], static_cast<int>(rng() % 2));
    }
    if (rng() % 2) {
        const mwcore::TruthTable t = TableOf(list, l);
        const bool leaveOne = rng() % 2;
        bool left = false;
        for (uint32_t m = 0; m < (1u << n); ++m)
            if (!t.Get(m)) {
                if (leaveOne && !left) {
                    left = true;
                    continue;
                }
                AddMinterm(list, l, m);
            }
    }
    return list;
}

std::vector<Layout> Layouts() {
    std::vector<Layout> layouts;
    for (int n = 1; n <= 10; n += 3) {
        Layout l{Shape(n, 1), {}};
        for (int i = 0; i < n; ++i) l.at.push_back(i);
        layouts.push_back(l);
    }
    // Eight inputs of 100, across the words' edges.
    layouts.push_back({Shape(100, 1), {0, 31, 32, 33, 63, 64, 95, 99}});
    return layouts;
}

TEST(CubeSet, TautologyComplementAndItsSupercubeAgreeWithTheTables) {
    std::mt19937 rng(20261208);
    int tautologies = 0, complements = 0;
    for (const Layout& l : Layouts())
        for (int round = 0; round < 300; ++round) {
            const CubeList list = RandomList(l, rng);
            const mwcore::TruthTable covered = TableOf(list, l);
            int64_t units = 0;
            const bool full = mwcore::cubes::Tautology(list, &units);
            EXPECT_EQ(full, covered.Full()) << "round " << round;
            tautologies += full;

            CubeList rest(l.shape.inWords);
            mwcore::Work work;
            ASSERT_TRUE(mwcore::cubes::Complement(list, rest, 1 << 20, work));
            mwcore::TruthTable expected(static_cast<int>(l.at.size()));
            for (uint32_t m = 0; m < (1u << l.at.size()); ++m)
                if (!covered.Get(m)) expected.Set(m);
            EXPECT_EQ(TableOf(rest, l), expected) << "round " << round;
            complements += !rest.Empty();

            std::vector<Word> super(l.shape.inWords);
            const bool some = mwcore::cubes::ComplementSupercube(list, super.data(), &units);
            ASSERT_EQ(some, !covered.Full());
            if (!some) continue;
            // Each input is free exactly where the left-out points take both values.
            for (std::size_t i = 0; i < l.at.size(); ++i) {
                bool zero = false, one = false;
                for (uint32_t m = 0; m < (1u << l.at.size()); ++m)
                    if (!covered.Get(m)) ((m >> i) & 1 ? one : zero) = true;
                EXPECT_EQ(Shape::Literal(super.data(), l.at[i]), zero && one ? 2 : one ? 1 : 0);
            }
        }
    EXPECT_GT(tautologies, 100);  // both outcomes were tried often
    EXPECT_GT(complements, 100);
}

TEST(CubeSet, ComplementGivesUpPastItsLimitAndCofactorFreesTheCubesLiterals) {
    // x0 x1 + x2 x3 + ... over 40 inputs: its complement has 2^20 cubes.
    const Shape s(40, 1);
    CubeList pairs(s.inWords);
    for (int i = 0; i < 40; i += 2) {
        Word* c = pairs.Add();
        s.Universe(c);
        Shape::SetLiteral(c, i, 1);
        Shape::SetLiteral(c, i + 1, 1);
    }
    CubeList rest(s.inWords);
    mwcore::Work work;
    EXPECT_FALSE(mwcore::cubes::Complement(pairs, rest, 1000, work));
    mwcore::Work little(500);
    EXPECT_FALSE(mwcore::cubes::Complement(pairs, rest, 1 << 30, little));

    // Cofactor by x0 x1: the first cube becomes the universe, the others keep their literals.
    std::vector<Word> by(s.inWords);
    s.Universe(by.data());
    Shape::SetLiteral(by.data(), 0, 1);
    Shape::SetLiteral(by.data(), 1, 1);
    CubeList cof(s.inWords);
    int64_t units = 0;
    mwcore::cubes::CofactorInto(pairs, by.data(), cof, &units);
    ASSERT_EQ(cof.Size(), pairs.Size());
    EXPECT_TRUE(mwcore::cubes::IsUniverse(cof[0], s.inWords));
    EXPECT_EQ(mwcore::cubes::LiteralCount(cof[1], s.inWords), 2);
    EXPECT_TRUE(mwcore::cubes::Tautology(cof, &units));
    // By x0' the first cube is gone and nothing is a tautology.
    Shape::SetLiteral(by.data(), 0, 0);
    cof.Clear();
    mwcore::cubes::CofactorInto(pairs, by.data(), cof, &units);
    EXPECT_EQ(cof.Size(), pairs.Size() - 1);
    EXPECT_FALSE(mwcore::cubes::Tautology(cof, &units));
}

}  // namespace
