#pragma once
// A PLA as the core's multi-output problem, and its own rows as a cover to start from.

#include <map>
#include <optional>
#include <vector>

#include "core/MultiProblem.h"
#include "files/Pla.h"

namespace cli {

inline mwcore::Cube CoreCube(const pla::Cube& c) {
    return {c.care, c.value};
}

// Nothing when an output is left both 1 and 0 somewhere; *clash then names it.
inline std::optional<mwcore::MultiProblem> ProblemOf(const pla::Pla& file, int* clash = nullptr) {
    mwcore::MultiProblem p(file.inputs, file.outputs);
    for (int j = 0; j < file.outputs; ++j) {
        for (const pla::Cube& c : file.functions[j].on) p.AddOn(j, CoreCube(c));
        for (const pla::Cube& c : file.functions[j].dc) p.AddDc(j, CoreCube(c));
        for (const pla::Cube& c : file.functions[j].off) p.AddOff(j, CoreCube(c));
    }
    if (!p.Finish(file.type == pla::Type::F || file.type == pla::Type::FD, clash))
        return std::nullopt;
    return p;
}

// The on rows, one product per distinct input part feeding every output it is 1 for.
inline std::vector<mwcore::MultiCube> GivenCover(const pla::Pla& file) {
    std::map<mwcore::Cube, mwcore::Outputs> rows;
    for (int j = 0; j < file.outputs; ++j)
        for (const pla::Cube& c : file.functions[j].on) rows[CoreCube(c)].set(j);
    std::vector<mwcore::MultiCube> cover;
    for (const auto& [in, out] : rows) cover.push_back({in, out});
    return cover;
}

}  // namespace cli
