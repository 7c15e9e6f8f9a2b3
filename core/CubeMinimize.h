#pragma once
// The core for functions of any width: on-set, don't cares and off-set kept as lists of cubes
// (CubeSet.h) with the outputs as one multiple-valued part, minimized by the espresso loop on
// cubes (expand, irredundant, reduce, last gasp, a final sparse step). Where
// an output's off-set would be too large to list, expand asks whether a cube stays inside the
// on-set and the don't cares by tautology instead. Allowances are counted in work, so the
// answer depends only on the problem and the options. The cover is verified before it is
// returned.

#include <cstddef>

#include "core/CubeSet.h"
#include "core/MultiMinimize.h"

namespace mwcore {

struct CubeProblem {
    cubes::Shape shape;
    // Cubes of shape.Width() words: input part, then the outputs each cube names.
    cubes::CubeList on, dc, off;
    // The off-set is the cubes of `off`, what no cube names a don't care (types with an
    // off-set); otherwise the off-set is what neither `on` nor `dc` names.
    bool offGiven = false;

    CubeProblem() = default;
    CubeProblem(int vars, int outputs)
        : shape(vars, outputs), on(shape.Width()), dc(shape.Width()), off(shape.Width()) {}
};

struct CubeMinimization {
    cubes::CubeList cover;
    bool minimum = false;  // the cube path proves nothing yet
    MinimizeStats stats;
};

// Whether the core works on cubes for a problem this size: where the tables would be large
// or slow. The tables are the faster way on small widths.
bool UsesCubes(int vars, int outputs);

// Throws VerificationError (Minimize.h) when no verified cover could be made.
CubeMinimization MinimizeCubes(const CubeProblem& p, const MinimizeOptions& options = {});

}  // namespace mwcore
