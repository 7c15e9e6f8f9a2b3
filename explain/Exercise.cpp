#include "explain/Exercise.h"

#include <algorithm>
#include <random>

namespace explain {

namespace {

constexpr int kTries = 2000;

// A percent draw from the generator's raw output, the same on every standard library.
bool Chance(std::mt19937_64& rng, int percent) {
    return static_cast<int>(rng() % 100) < percent;
}

// Cell by cell: the share of ones as asked, scattered.
std::string ScatteredTable(std::mt19937_64& rng, const ExerciseSettings& s) {
    std::string table;
    for (int m = 0; m < (1 << s.vars); ++m)
        table += Chance(rng, s.dontCarePercent) ? '*' : (Chance(rng, s.onesPercent) ? '1' : '0');
    return table;
}

// A few random terms laid over each other: maps with the blocks a homework map has, where
// scattered cells would rarely leave the essentials enough.
std::string BlockTable(std::mt19937_64& rng, const ExerciseSettings& s) {
    const int size = 1 << s.vars;
    const char target = s.form == gmKNF ? '0' : '1';
    std::string table(size, target == '1' ? '0' : '1');
    const int terms = 1 + static_cast<int>(rng() % static_cast<uint64_t>(s.vars));
    for (int t = 0; t < terms; ++t) {
        uint32_t mask = 0, val = 0;
        for (int v = 0; v < s.vars; ++v)
            if (Chance(rng, 100 - s.onesPercent)) {  // fewer ones: more literals
                mask |= 1u << v;
                if (rng() % 2) val |= 1u << v;
            }
        for (int m = 0; m < size; ++m)
            if ((static_cast<uint32_t>(m) & mask) == val) table[m] = target;
    }
    for (char& c : table)
        if (Chance(rng, s.dontCarePercent)) c = '*';
    return table;
}

bool Worthwhile(const std::string& table, const ExerciseSettings& s) {
    const char target = s.form == gmKNF ? '0' : '1';
    const char other = s.form == gmKNF ? '1' : '0';
    return table.find(target) != std::string::npos && table.find(other) != std::string::npos;
}

}  // namespace

const char* DifficultyName(Difficulty d) {
    switch (d) {
        case Difficulty::Easy:
            return "easy";
        case Difficulty::Cyclic:
            return "cyclic";
        case Difficulty::Many:
            return "many";
    }
    return "easy";
}

std::optional<Difficulty> DifficultyFromName(const std::string& name) {
    for (Difficulty d : {Difficulty::Easy, Difficulty::Cyclic, Difficulty::Many})
        if (name == DifficultyName(d)) return d;
    return std::nullopt;
}

bool HasDifficulty(const Explanation& e, Difficulty d) {
    if (e.timedOut || e.targets.empty()) return false;
    switch (d) {
        case Difficulty::Easy: {
            std::vector<char> covered(std::size_t{1} << e.vars, 0);
            for (const Prime& p : e.primes)
                if (p.essential)
                    for (int m : p.minterms) covered[m] = 1;
            return std::all_of(e.targets.begin(), e.targets.end(),
                               [&](int m) { return covered[m] != 0; });
        }
        case Difficulty::Cyclic:
            return !e.coreCells.empty();
        case Difficulty::Many:
            return e.solutions.size() > 1;
    }
    return false;
}

MapFunction ExerciseFunction(const Exercise& exercise) {
    MapFunction f;
    f.vars = exercise.settings.vars;
    f.form = exercise.settings.form;
    f.values.assign(exercise.table.begin(), exercise.table.end());
    for (int k = 0; k < f.vars; ++k) f.names.push_back(std::string(1, static_cast<char>('A' + k)));
    return f;
}

std::optional<Exercise> MakeExercise(const ExerciseSettings& settings) {
    Exercise exercise{settings, {}};
    exercise.settings.vars = std::clamp(settings.vars, 2, 8);
    exercise.settings.onesPercent = std::clamp(settings.onesPercent, 1, 99);
    exercise.settings.dontCarePercent = std::clamp(settings.dontCarePercent, 0, 90);
    std::mt19937_64 rng(settings.seed);
    Limits limits;
    limits.maxSolutions = 2;
    limits.compareGluing = false;
    // Bounded by work, not the clock, so a seed gives the same exercise on every machine.
    for (int attempt = 0; attempt < kTries; ++attempt) {
        exercise.table = attempt % 2 ? BlockTable(rng, exercise.settings)
                                     : ScatteredTable(rng, exercise.settings);
        if (!Worthwhile(exercise.table, exercise.settings)) continue;
        if (HasDifficulty(Explain(ExerciseFunction(exercise), limits), settings.difficulty))
            return exercise;
    }
    return std::nullopt;
}

}  // namespace explain
