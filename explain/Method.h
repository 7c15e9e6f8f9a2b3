#pragma once
// The method as a student works it on paper: the Quine-McCluskey table (the cells of the form
// and the don't cares grouped by their count of ones, each merge step a column of its own,
// every entry that merged into a larger one ticked), the chart's reductions (Explanation::
// steps), and, where the cyclic core is small enough, Petrick's method: one sum of primes per
// cell of the core, their product multiplied out with absorption, and its cheapest products.
// For a product of sums the same is done on the 0 cells, with implicates. Plain logic.

#include <cstddef>
#include <string>
#include <vector>

#include "explain/Explain.h"

namespace explain {

// Petrick's method is shown for cyclic cores of at most this many primes.
constexpr int kPetrickPrimes = 12;

struct QmEntry {
    mwcore::Cube cube;          // over minterm numbers, as the primes' cubes
    std::string pattern;        // "0-11": variable 1 first, '-' where it is merged away
    std::vector<int> minterms;  // its cells, ascending
    int ones = 0;               // the group: ones among the kept variables
    bool used = false;          // ticked: merged into an entry of the next column
    int prime = -1;             // the panel's prime it is, when it is left unticked
};

// One merge step: entries of 2^size cells, by group, then by their cells.
struct QmColumn {
    int size = 0;
    std::vector<QmEntry> entries;
};

struct Petrick {
    enum class State { NoCore, TooLarge, Shown };
    State state = State::NoCore;
    std::vector<int> cells;                    // the core's cells, one sum each
    std::vector<std::vector<int>> sums;        // the primes holding each cell
    std::vector<std::vector<int>> products;    // multiplied out and absorbed, cheapest first
    std::vector<std::vector<int>> cheapest;    // the products of least cost
    std::vector<std::vector<int>> withForced;  // each cheapest product with the taken primes
};

struct Method {
    std::vector<QmColumn> columns;
    std::size_t entryCount = 0;
    Petrick petrick;
};

Method StepByStep(const MapFunction& f, const Explanation& e);

// The pattern of a cube over f's variables ("0-11").
std::string Pattern(const mwcore::Cube& cube, int vars);

}  // namespace explain
