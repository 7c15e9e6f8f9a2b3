#pragma once
// How many cubes of a cover hold each minterm, kept bit-sliced: plane p holds bit p of every
// minterm's count, interleaved per word so that adding or removing a cube is a ripple carry
// over the cube's words. Irredundancy and reduction only ask "held once" and "held more than
// once", which come out a word at a time.

#include <cstdint>
#include <vector>

#include "core/TruthTable.h"

namespace mwcore {

class CoverCounter {
  public:
    CoverCounter(int vars, int maxCount);

    void Add(const Cube& c);
    void Remove(const Cube& c);
    // Some minterm of `on` inside c is held by exactly one cube.
    bool HoldsOnceSomewhere(const Cube& c, const TruthTable& on) const;
    // The minterms of `on` inside c held exactly once, as a table.
    void HeldOnce(const Cube& c, const TruthTable& on, TruthTable& out) const;
    // The minterms of `on` inside c held by no cube but c and `other`, as a table.
    void HeldOnlyWith(const Cube& c, const Cube& other, const TruthTable& on,
                      TruthTable& out) const;

  private:
    uint64_t OnceMask(std::size_t w) const;

    int vars_;
    int planes_;
    TableWords bits_;
};

}  // namespace mwcore
