#pragma once
// The steps of the espresso loop on multi-output cubes (CubeSet.h): each takes the cover and
// leaves it a cover of the same function. A product may take what its outputs' off-sets do
// not hold: where an output's off-set is listed, no product of it meets a listed cube; where
// it is not, the product stays inside the output's on-set and don't cares (`upper`), which
// tautology decides.

#include <vector>

#include "core/Cube.h"
#include "core/CubeSet.h"
#include "core/Work.h"

namespace mwcore::cubes {

class CubeLoop {
  public:
    // off[j]: output j's off-set as input parts, used where hasOff[j]; upper[j]: its on-set
    // and don't cares as input parts, used where not.
    CubeLoop(const Shape& shape, CubeList dc, std::vector<CubeList> off, std::vector<char> hasOff,
             std::vector<CubeList> upper, Work& work);

    // Each cube made prime, the larger ones first, swallowing the cubes they come to hold;
    // those `settled` marks are prime already and only wait to be swallowed.
    void Expand(CubeList& f, const std::vector<char>* settled = nullptr);
    // Cubes the rest of the cover and the don't cares hold, the smallest first, dropped.
    void Irredundant(CubeList& f);
    // Each cube cut to the smallest one that still covers what only it covers. Returns, per
    // cube left, whether it stayed as it was (and so stays prime).
    std::vector<char> Reduce(CubeList& f);
    // Every cube reduced on its own, then expanded into the others' reductions: where new
    // primes make a cheaper irredundant cover, f becomes it.
    bool LastGasp(CubeList& f);
    // The cubes no other prime can stand in for, taken out of f and made don't cares, so
    // the loop cuts the rest against them whole. Returns them.
    CubeList TakeEssentials(CubeList& f);
    // Outputs a product need not feed dropped, then the products' inputs raised where that
    // frees them.
    void MakeSparse(CubeList& f);

    // Whether the cube (input and output part) takes nothing of an off-set.
    bool Feasible(const Word* cube, int onlyOutput = -1);
    // Whether output j at input part `in` is covered by f's cubes (but `skip`, and those
    // `alive` rules out) and the don't cares.
    bool Covered(const CubeList& f, const std::vector<char>* alive, std::size_t skip,
                 const Word* in, int j);

    CubeList& Dc() { return dc_; }
    CoverCost Cost(const CubeList& f) const;

  private:
    // c (cube `at` of f, or a copy) cut to the smallest cube holding what no other cube of f
    // (but those `alive` rules out) nor a don't care holds; false where that is nothing.
    bool Reduced(const CubeList& f, const std::vector<char>* alive, std::size_t at, Word* c);
    // The inputs (low bit of each pair) whose literal alone keeps the cube off some listed off
    // cube: raising any of them takes an off point.
    std::vector<Word> Lowering(const Word* cube);
    // Whether the points of c that output j takes are all held by some other prime: by the
    // consensus of c with every other cube of f and the don't cares.
    bool Essential(const CubeList& f, std::size_t at);
    bool Raises(const Word* from, const Word* to, const std::vector<Word>& must) const;
    void ExpandOne(CubeList& f, std::size_t at, std::vector<char>& covered);
    void RaiseLiterals(Word* cube);
    void AddOutputs(Word* cube, const CubeList& f);
    // The cubes of `list` for output j that meet `in`, cofactored by it, into scratch.
    void Gather(const CubeList& list, const std::vector<char>* alive, std::size_t skip,
                const Word* in, int j, CubeList& scratch);
    std::vector<std::size_t> BySize(const CubeList& f, bool largestFirst) const;
    // Espresso's weighing of cubes: each by how many cubes of f share each of its bits.
    std::vector<std::size_t> ByWeight(const CubeList& f, bool ascending) const;
    void Spend() {
        work_.Spend(units_);
        units_ = 0;
    }

    Shape s_;
    CubeList dc_;
    std::vector<CubeList> off_;
    std::vector<char> hasOff_;
    std::vector<CubeList> upper_;
    Work& work_;
    mutable int64_t units_ = 0;
    bool heaviestFirst_ = false;  // the order of the last reduction
};

}  // namespace mwcore::cubes
