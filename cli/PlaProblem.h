#pragma once
// A PLA as the core's multi-output problem, and its own rows as a cover to start from.

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "cli/Args.h"
#include "core/CubeMinimize.h"
#include "core/MultiProblem.h"
#include "files/Pla.h"
#include "files/PlaFile.h"
#include "platform/ReadFile.h"

namespace cli {

// The PLA a command line names, read whole, its warnings written to err; a missing, unreadable,
// too large or faulty file throws InputError. The size is checked before a byte is read: one
// endless line must not fill the memory.
inline pla::Pla ReadPlaArgument(const std::string& path, std::ostream& err) {
    std::string content, why;
    switch (platform::ReadFileLimited(path, kMaxPlaFileSize, &content, &why)) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::TooLarge:
            throw InputError(path + " is larger than " + std::to_string(kMaxPlaFileSize >> 20) +
                             " MB, the most a PLA may have");
        case platform::ReadStatus::Missing:
        case platform::ReadStatus::Failed:
            throw InputError("cannot open '" + path + "'" + (why.empty() ? "" : ": " + why));
    }
    pla::Error error;
    auto file = pla::ReadText(content, &error);
    if (!file) throw InputError(error.line == 0 ? path + ": " + error.message : error.message);
    for (const std::string& warning : file->warnings) err << "warning: " << warning << '\n';
    return std::move(*file);
}

inline mwcore::Cube CoreCube(const pla::Cube& c) {
    return {static_cast<uint32_t>(c.care.Low()), static_cast<uint32_t>(c.value.Low())};
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

// The PLA as cubes of any width: input column i is the cube path's variable i. With `only`,
// that output alone as a problem of one output.
inline mwcore::CubeProblem CubeProblemOf(const pla::Pla& file, int only = -1) {
    mwcore::CubeProblem p(file.inputs, only >= 0 ? 1 : file.outputs);
    const mwcore::cubes::Shape& s = p.shape;
    const auto add = [&](mwcore::cubes::CubeList& list, const pla::Cube& c, int j) {
        mwcore::cubes::Word* w = list.Add();
        s.Universe(w);
        std::fill(w + s.inWords, w + s.Width(), 0);
        for (int i = 0; i < file.inputs; ++i) {
            const int bit = file.inputs - 1 - i;
            if (c.care.Test(bit)) mwcore::cubes::Shape::SetLiteral(w, i, c.value.Test(bit));
        }
        mwcore::cubes::Shape::SetOutput(w + s.inWords, j);
    };
    for (int j = 0; j < file.outputs; ++j) {
        if (only >= 0 && j != only) continue;
        const int to = only >= 0 ? 0 : j;
        for (const pla::Cube& c : file.functions[j].on) add(p.on, c, to);
        for (const pla::Cube& c : file.functions[j].dc) add(p.dc, c, to);
        for (const pla::Cube& c : file.functions[j].off) add(p.off, c, to);
    }
    p.offGiven = file.type == pla::Type::FR || file.type == pla::Type::FDR;
    return p;
}

// A cube path cover as the products of a written PLA.
inline std::vector<pla::Product> ProductsOf(const mwcore::CubeProblem& p,
                                            const mwcore::cubes::CubeList& cover) {
    const mwcore::cubes::Shape& s = p.shape;
    std::vector<pla::Product> products;
    for (std::size_t k = 0; k < cover.Size(); ++k) {
        pla::Product product{{}, std::vector<bool>(s.outputs)};
        for (int i = 0; i < s.vars; ++i) {
            const int literal = mwcore::cubes::Shape::Literal(cover[k], i);
            if (literal == 2) continue;
            product.in.care.Set(s.vars - 1 - i);
            if (literal == 1) product.in.value.Set(s.vars - 1 - i);
        }
        for (int j = 0; j < s.outputs; ++j)
            product.outputs[j] = mwcore::cubes::Shape::Output(cover[k] + s.inWords, j);
        products.push_back(std::move(product));
    }
    return products;
}

}  // namespace cli
