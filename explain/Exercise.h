#pragma once
// Practice maps: a seeded random map of 2 to 8 variables with a chosen share of ones and of
// don't cares, kept only when its explanation has the asked-for difficulty. The same settings
// give the same map on every machine (the generator and every draw from it are fixed, and the
// explanation is asked for no more than two solutions, which work, not time, bounds).

#include <cstdint>
#include <optional>
#include <string>

#include "explain/Explain.h"

namespace explain {

enum class Difficulty {
    Easy,    // the essential primes alone cover the map
    Cyclic,  // a cyclic core is left after the chart's reductions
    Many,    // more than one minimal solution
};

const char* DifficultyName(Difficulty d);  // "easy", "cyclic", "many"
std::optional<Difficulty> DifficultyFromName(const std::string& name);

struct ExerciseSettings {
    int vars = 4;
    int onesPercent = 50;      // of the cells that are not don't cares
    int dontCarePercent = 10;  // of all cells
    Difficulty difficulty = Difficulty::Easy;
    uint64_t seed = 1;
    TGlueMethod form = gmDNF;
};

struct Exercise {
    ExerciseSettings settings;
    std::string table;  // per minterm '1', '0' or '*', as the command line's --table takes it
};

bool HasDifficulty(const Explanation& e, Difficulty d);

// Nothing when no map of that difficulty turned up within a fixed number of tries (a map of
// 2 variables has no cyclic core, for one).
std::optional<Exercise> MakeExercise(const ExerciseSettings& settings);

// The exercise's map as the explanation reads it, over the names A, B, C...
MapFunction ExerciseFunction(const Exercise& exercise);

}  // namespace explain
