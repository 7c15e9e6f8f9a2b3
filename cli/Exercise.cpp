// mapwright-cli exercise: a seeded practice map of a chosen size and difficulty, its answer
// kept back unless --solution asks for it.

#include "explain/Exercise.h"

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"

namespace cli {

namespace {

const char* kExerciseUsage =
    "usage: mapwright-cli exercise [--vars N] [--seed S] [--difficulty easy|cyclic|many] "
    "[--density PERCENT] [--dont-cares PERCENT] [--pos] [--solution] [--json]";

int Run(const Invocation& call) {
    const Args& args = call.args;
    explain::ExerciseSettings settings;
    if (const auto v = args.Value("vars")) settings.vars = ParseIntOption("vars", *v, 2, 8);
    if (const auto s = args.Value("seed"))
        settings.seed = static_cast<uint64_t>(ParseIntOption("seed", *s, 0, 2147483647));
    if (const auto d = args.Value("difficulty")) {
        const auto difficulty = explain::DifficultyFromName(*d);
        if (!difficulty) throw UsageError("--difficulty must be easy, cyclic or many");
        settings.difficulty = *difficulty;
    }
    if (const auto p = args.Value("density"))
        settings.onesPercent = ParseIntOption("density", *p, 1, 99);
    if (const auto p = args.Value("dont-cares"))
        settings.dontCarePercent = ParseIntOption("dont-cares", *p, 0, 90);
    if (args.Has("pos")) settings.form = gmKNF;
    const auto exercise = explain::MakeExercise(settings);
    if (!exercise)
        throw InputError(std::string("no ") + explain::DifficultyName(settings.difficulty) +
                         " map of " + std::to_string(settings.vars) +
                         " variables turned up: try another seed, density or size");
    std::string solution;
    if (args.Has("solution")) {
        const explain::Explanation e = explain::Explain(explain::ExerciseFunction(*exercise));
        solution = e.timedOut ? "" : e.solutions.front().formula;
    }
    const explain::ExerciseSettings& s = exercise->settings;
    if (args.Has("json")) {
        call.out << "{\"variables\":" << s.vars << ",\"table\":" << JsonString(exercise->table)
                 << ",\"seed\":" << s.seed << ",\"difficulty\":\""
                 << explain::DifficultyName(s.difficulty) << '"';
        if (args.Has("solution")) call.out << ",\"solution\":" << JsonString(solution);
        call.out << "}\n";
        return 0;
    }
    call.out << "variables: " << s.vars << "\nseed: " << s.seed
             << "\ndifficulty: " << explain::DifficultyName(s.difficulty)
             << "\ntable: " << exercise->table << '\n';
    if (args.Has("solution")) call.out << "solution: " << solution << '\n';
    return 0;
}

}  // namespace

const Subcommand kExerciseCommand{"exercise",
                                  "a seeded practice map of a chosen size and difficulty",
                                  kExerciseUsage,
                                  {{"vars", true},
                                   {"seed", true},
                                   {"difficulty", true},
                                   {"density", true},
                                   {"dont-cares", true},
                                   {"pos", false},
                                   {"solution", false},
                                   {"json", false}},
                                  0,
                                  "",
                                  Run};

}  // namespace cli
