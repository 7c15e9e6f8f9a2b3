#pragma once
// The exact minimum of the map and how it is reached: the primes (implicants for a sum of
// products, implicates for a product of sums), the essential ones with the cell that makes
// each essential, the prime chart and its reductions down to the cyclic core, and every
// minimal solution (fewest terms, then fewest literals) up to a limit, with their count.
// The primes and the covering search are the minimization core's. Plain logic: safe to run
// on a worker thread, since it neither translates nor shows anything.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Cube.h"
#include "engine/CarnoGrid.h"

namespace explain {

// The map as the analysis counts it: per minterm '1', '0' or '*', empty cells already given
// the value the form does not cover.
struct MapFunction {
    int vars = 4;
    TGlueMethod form = gmDNF;
    std::vector<char> values;        // by minterm number
    std::vector<std::string> names;  // variables 1..vars
};

// False, with the position of the first refused cell, for a cell the analysis would refuse.
struct ReadResult {
    bool ok = true;
    int col = 0, row = 0;
};
ReadResult ReadMap(const TCarnoGrid& grid, TGlueMethod form, MapFunction& out);

struct Prime {
    mwcore::Cube cube;          // over minterm numbers: variable k is bit vars - k
    std::string text;           // the term as the result tree writes it
    std::vector<int> minterms;  // every cell of the prime, ascending
    int literals = 0;
    bool essential = false;
    int essentialCell = -1;  // the smallest target cell no other prime covers
};

// One step of the chart's reduction, each told in one sentence (see Sentences.h).
struct ChartStep {
    enum class Kind {
        Essential,        // prime `prime` alone covers cell `cell`; it settles `cells`
        RowDominance,     // cell `cell` goes: every prime covering cell `by` covers it too
        ColumnDominance,  // prime `prime` goes: prime `by` covers its cells with fewer literals
        CyclicCore,       // nothing more applies: `cells` and `primes` are left
        Solved,           // every cell is covered
    };
    Kind kind = Kind::Solved;
    int prime = -1;
    int cell = -1;
    int by = -1;
    bool secondary = false;  // an essential found after dominance
    std::vector<int> cells;
    std::vector<int> primes;
};

struct Solution {
    std::vector<int> primes;  // indices into Explanation::primes, ascending
    std::string formula;
    int terms = 0;
    int literals = 0;
};

struct Gluing {
    std::string formula;
    int terms = 0;
    int literals = 0;
};

// Budgets in units of work (see core/Work.h), so that the same map gives the same answer on
// every machine and under any load; the clock only stands guard far beyond them.
struct Limits {
    int maxSolutions = 100;
    // The minimum: about a second; twice what the hardest 8-variable maps found need.
    int64_t work = int64_t{40} << 20;
    int64_t countWork = int64_t{6} << 20;  // listing and counting beyond the first minimum
    double guardSeconds = 300.0;           // far beyond the work, even in a sanitizer build
    bool compareGluing = true;             // run the designed gluing for the comparison
};

struct Explanation {
    int vars = 0;
    TGlueMethod form = gmDNF;
    std::vector<int> targets;  // the chart's rows: the cells to cover, ascending
    std::vector<Prime> primes;
    std::vector<ChartStep> steps;
    std::vector<int> coreCells, corePrimes;  // the cyclic core, empty when none is left
    std::vector<Solution> solutions;
    int minTerms = 0, minLiterals = 0;
    uint64_t solutionCount = 0;
    bool countComplete = false;
    bool timedOut = false;  // no cover at all (the primes were not found): no solutions
    // False when the work ran out before the minimum was proven: the one solution is the best
    // cover found, the count unknown.
    bool proven = true;
    bool clockStopped = false;                  // the guard's clock, not the work, ended a search
    int64_t workSpent = 0, countWorkSpent = 0;  // units, for the benchmark
    Gluing gluing;
};

// The constant a term without literals stands for, and the formula of no terms.
std::string ConstantTerm(TGlueMethod form);
std::string EmptyFormula(TGlueMethod form);
// A term's text as the result tree writes it: literals in variable order, "|" for a negated one.
std::string TermText(const mwcore::Cube& cube, const MapFunction& f);
std::string FormulaOf(const std::vector<std::string>& terms, TGlueMethod form);

Explanation Explain(const MapFunction& f, const Limits& limits = {});
// The designed gluing on the same function (a copy of the map is analysed).
Gluing GlueFunction(const MapFunction& f);
// The result a map holds now, counted as a gluing (whichever analysis made it).
Gluing ResultOf(const TCarnoGrid& grid);

}  // namespace explain
