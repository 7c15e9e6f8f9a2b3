#pragma once
// Several single-output functions of the same inputs, minimized together: a product of the
// cover is an input cube with the set of outputs it feeds, and counts once however many
// outputs share it. Each output keeps its on-set and what a product may take (on or don't
// care) as truth tables.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Cube.h"
#include "core/TruthTable.h"

namespace mwcore {

constexpr int kMaxOutputs = 128;
using Outputs = std::bitset<kMaxOutputs>;

struct MultiCube {
    Cube in;
    Outputs out;
    friend bool operator==(const MultiCube&, const MultiCube&) = default;
};

// Products first, then input literals (what the AND plane costs).
CoverCost CostOf(const std::vector<MultiCube>& cover);

class MultiProblem {
  public:
    // Up to this many variables the loop counts on tables.
    static constexpr int kMaxTableVars = 16;

    MultiProblem() = default;
    // Every output is 0 everywhere until cubes are added.
    MultiProblem(int vars, int outputs);

    // Bytes the tables of a problem this size and its minimization take at most, about.
    static std::size_t BytesFor(int vars, int outputs);

    // Building: on, don't-care and off cubes of one output. A don't care wins over the others.
    void AddOn(int output, const Cube& c) { on_[output].Paint(c); }
    void AddDc(int output, const Cube& c) { dc_[output].Paint(c); }
    void AddOff(int output, const Cube& c) { off_[output].Paint(c); }
    // Ends building. restIsOff: what no cube names is off (types without an off-set), else a
    // don't care. False (with the first output concerned in *output) when a point is left both
    // on and off. From cubesFrom variables on the loop works on cubes (see CubesOnly).
    bool Finish(bool restIsOff, int* output = nullptr, int cubesFrom = kMaxTableVars + 1);

    int Vars() const { return vars_; }
    int OutputCount() const { return outputs_; }
    const TruthTable& On(int j) const { return on_[j]; }
    const TruthTable& Upper(int j) const { return upper_[j]; }
    // Whether output j may take every point of c: on the table, or where the cube spans more
    // words than the output has off-set cubes, on those cubes. Adds the test's work to *units.
    bool Implicant(const Cube& c, int j, int64_t* units = nullptr) const;
    // What Implicant(c, j) adds to *units, without the test.
    int64_t ImplicantUnits(const Cube& c, int j) const;
    // A cover of output j's off-set; empty where it would be too large to keep (or is empty).
    const std::vector<Cube>& OffCubes(int j) const { return offCubes_[j]; }
    bool HasOffCubes(int j) const { return !offCubes_[j].empty() || upper_[j].Full(); }
    // Whether the loop asks which points products alone cover on cubes (MultiCubes.h): the
    // products and a cover of the points where an output is not on.
    bool CubesOnly() const { return cubes_; }
    const std::vector<Cube>& NotOnCubes(int j) const { return notOnCubes_[j]; }
    // Words of one table that c spans: the work of a table test restricted to c.
    int64_t Span(const Cube& c) const;
    // The outputs whose on-set c touches and which may take c entirely.
    Outputs UsefulOutputs(const Cube& c, int64_t* units = nullptr) const;

  private:
    int vars_ = 0;
    int outputs_ = 0;
    std::vector<TruthTable> on_, upper_;
    std::vector<std::vector<Cube>>
        offCubes_;  // per output, a cover of its off-set (empty: too large)
    std::vector<std::vector<Cube>> notOnCubes_;  // per output, where many variables
    bool cubes_ = false;
    std::vector<TruthTable> dc_, off_;  // only while building
};

// Every output's on-set is covered by the products feeding it, and no product feeds an
// output outside what it may take.
bool MultiCoverImplements(const MultiProblem& p, const std::vector<MultiCube>& cover);

}  // namespace mwcore
