#include "explain/Explain.h"

#include <algorithm>
#include <bit>
#include <chrono>

#include "core/CoverListing.h"
#include "core/Mincov.h"
#include "core/Primes.h"
#include "core/Work.h"
#include "engine/Analyze.h"
#include "explain/Chart.h"
#include "explain/Symmetric.h"

namespace explain {

namespace {

char TargetValue(TGlueMethod form) {
    return form == gmKNF ? '0' : '1';
}

std::chrono::steady_clock::duration Seconds(double s) {
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(s));
}

}  // namespace

ReadResult ReadMap(const TCarnoGrid& grid, TGlueMethod form, MapFunction& out) {
    out.vars = grid.VariableCount();
    out.form = form;
    out.values.assign(std::size_t{1} << out.vars, '0');
    out.names.clear();
    for (int k = 1; k <= out.vars; ++k) out.names.push_back(grid.VarName(k));
    if (const auto bad = grid.FirstBadCell()) return {false, bad->Col, bad->Row};
    for (int c = 1; c <= grid.MapColumns(); ++c)
        for (int r = 1; r <= grid.MapRows(); ++r) {
            const std::string text = grid.Cells(c, r);
            out.values[grid.MintermNumber(c, r)] =
                text.empty() ? (form == gmKNF ? '1' : '0') : text[0];
        }
    return {};
}

std::string ConstantTerm(TGlueMethod form) {
    return form == gmKNF ? "0" : "1";
}
std::string EmptyFormula(TGlueMethod form) {
    return form == gmKNF ? "1" : "0";
}

std::string TermText(const mwcore::Cube& cube, const MapFunction& f) {
    std::vector<FormulaLiteral> literals;
    const uint32_t negated = f.form == gmKNF ? 1u : 0u;
    for (int k = 1; k <= f.vars; ++k) {
        const uint32_t bit = 1u << (f.vars - k);
        if (cube.mask & bit)
            literals.push_back({f.names.at(k - 1), ((cube.val & bit) ? 1u : 0u) == negated});
    }
    return literals.empty() ? ConstantTerm(f.form) : WriteTerm(literals, f.form);
}

std::string FormulaOf(const std::vector<std::string>& terms, TGlueMethod form) {
    return terms.empty() ? EmptyFormula(form) : JoinTerms(terms, form);
}

Gluing GlueFunction(const MapFunction& f) {
    TCarnoGrid grid;
    grid.SetVariableCount(f.vars);
    for (int k = 1; k <= f.vars; ++k) grid.SetVarName(k, f.names.at(k - 1));
    for (std::size_t m = 0; m < f.values.size(); ++m) {
        const TCellPos pos = grid.PositionOfMinterm(static_cast<int>(m));
        grid.SetCells(pos.Col, pos.Row, std::string(1, f.values[m]));
    }
    if (!AnalyzeMap(grid, f.form)) return {};
    return ResultOf(grid);
}

Gluing ResultOf(const TCarnoGrid& grid) {
    Gluing g;
    g.terms = grid.ResultCount();
    std::vector<std::string> terms;
    for (const TGroup& group : grid.ResultList()) {
        std::string code = grid.CellCode(group.Cells[0].Col, group.Cells[0].Row);
        for (const TCellRef& cell : group.Cells) {
            const std::string other = grid.CellCode(cell.Col, cell.Row);
            for (std::size_t i = 0; i < code.size(); ++i)
                if (code[i] != other[i]) code[i] = '*';
        }
        g.literals += static_cast<int>(
            std::count_if(code.begin(), code.end(), [](char ch) { return ch != '*'; }));
        const std::string term = grid.GroupToTerm(group);
        terms.push_back(term.empty() ? ConstantTerm(grid.GlueMethod) : term);
    }
    g.formula = FormulaOf(terms, grid.GlueMethod);
    return g;
}

Explanation Explain(const MapFunction& f, const Limits& limits) {
    Explanation e;
    e.vars = f.vars;
    e.form = f.form;
    mwcore::Guard guard(std::chrono::steady_clock::now() + Seconds(limits.guardSeconds));
    mwcore::Work work(limits.work, &guard);
    mwcore::Work countWork(limits.countWork, &guard);
    mwcore::TruthTable on(f.vars), dc(f.vars);
    for (std::size_t m = 0; m < f.values.size(); ++m) {
        if (f.values[m] == TargetValue(f.form)) {
            on.Set(static_cast<uint32_t>(m));
            e.targets.push_back(static_cast<int>(m));
        } else if (f.values[m] == '*') {
            dc.Set(static_cast<uint32_t>(m));
        }
    }
    if (limits.compareGluing) e.gluing = GlueFunction(f);

    std::vector<mwcore::Cube> cubes;
    if (!e.targets.empty()) {
        mwcore::PrimeLimits primeLimits;
        // At most 3^8 cubes: the primes need neither an allowance nor a guard.
        mwcore::Work primeWork;
        primeLimits.work = &primeWork;
        auto found = mwcore::UsefulPrimes(mwcore::Problem(on, dc), primeLimits);
        if (!found) {
            e.timedOut = true;
            e.proven = false;
            e.clockStopped = guard.Reason() == mwcore::StoppedBy::TimeLimit;
            return e;
        }
        cubes = std::move(*found);
    }
    // Largest blocks first, then by their first cell: the order a reader scans the map in.
    std::vector<std::pair<std::vector<int>, mwcore::Cube>> ordered;
    for (const mwcore::Cube& c : cubes) {
        std::vector<int> cells;
        for (std::size_t m = 0; m < f.values.size(); ++m)
            if (c.Has(static_cast<uint32_t>(m))) cells.push_back(static_cast<int>(m));
        ordered.push_back({std::move(cells), c});
    }
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        if (a.second.Literals() != b.second.Literals())
            return a.second.Literals() < b.second.Literals();
        return a.first < b.first;
    });
    for (auto& [cells, cube] : ordered) {
        Prime p;
        p.cube = cube;
        p.text = TermText(cube, f);
        p.minterms = std::move(cells);
        p.literals = cube.Literals();
        e.primes.push_back(std::move(p));
    }

    const PrimeChart chart(e.targets, e.primes);
    for (std::size_t r = 0; r < e.targets.size(); ++r) {
        const std::vector<int> holders = chart.PrimesOfRow(static_cast<int>(r));
        if (holders.size() != 1) continue;
        Prime& p = e.primes[holders.front()];
        if (!p.essential) p.essentialCell = e.targets[r];
        p.essential = true;
    }
    const Reduction reduction = Reduce(chart, e.primes, e.targets);
    e.steps = reduction.steps;
    for (int r : reduction.coreRows) e.coreCells.push_back(e.targets[r]);
    e.corePrimes = reduction.coreColumns;

    // Products weigh more than all literals together, so fewer terms always win.
    int64_t weight = 1;
    for (const Prime& p : e.primes) weight += p.literals;
    std::vector<int64_t> cost;
    for (const Prime& p : e.primes) cost.push_back(weight + p.literals);
    std::vector<std::vector<int>> rows;
    for (int r : reduction.coreRows)
        rows.push_back(chart.LiveColumnsOfRow(r, reduction.coreColumns));
    mwcore::CoverListingLimits listLimits;
    listLimits.maxList = static_cast<std::size_t>(std::max(1, limits.maxSolutions));
    listLimits.work = &work;
    listLimits.countWork = &countWork;
    listLimits.quickAscent = true;
    // A symmetric function's block of one run of counts is searched with the run's bound.
    const std::string weights = SymmetricWeights(f);
    SymmetricBound symmetric(work);
    const auto runOf = [&](int prime) {
        const mwcore::Cube& c = e.primes[prime].cube;
        return std::pair{std::popcount(c.val), f.vars - std::popcount(c.mask & ~c.val)};
    };
    // Whether the block is a whole run: none of its terms taken already, and every row of it
    // left in this block. Any permutation of the variables then maps the block onto itself.
    const auto wholeRun = [&](const std::vector<std::vector<int>>& block) {
        const auto run = runOf(block.front().front());
        for (const std::vector<int>& row : block)
            for (int c : row)
                if (runOf(c) != run) return false;
        for (int p : reduction.forced)
            if (runOf(p) == run) return false;
        std::size_t left = 0;
        for (int m : e.coreCells) {
            const int ones = std::popcount(static_cast<unsigned>(m));
            left += ones >= run.first && ones <= run.second;
        }
        return left == block.size();
    };
    if (!weights.empty()) {
        listLimits.productBound = [&](const std::vector<std::vector<int>>& block) -> int64_t {
            if (!wholeRun(block)) return 0;
            const auto run = runOf(block.front().front());
            return symmetric.Run(weights, run.first, run.second);
        };
        // Where the block holds every term of its run, each is the image of any other under
        // some permutation, which carries a cheapest cover onto one holding that term.
        listLimits.columnInSomeMinimum = [&](const std::vector<std::vector<int>>& block) {
            if (!wholeRun(block)) return -1;
            const auto run = runOf(block.front().front());
            std::vector<int> columns;
            for (const std::vector<int>& row : block)
                columns.insert(columns.end(), row.begin(), row.end());
            std::sort(columns.begin(), columns.end());
            columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
            // Terms of a ones and z zeros: choose the ones, then the zeros from the rest.
            const int ones = run.first, zeros = f.vars - run.second;
            int64_t shape = 1;
            for (int i = 1; i <= ones; ++i) shape = shape * (f.vars - ones + i) / i;
            for (int i = 1; i <= zeros; ++i) shape = shape * (f.vars - ones - zeros + i) / i;
            return static_cast<int64_t>(columns.size()) == shape ? columns.front() : -1;
        };
    }
    const std::optional<mwcore::CoverListing> listing =
        mwcore::ListMinimumCovers(rows, cost, weight, listLimits);
    if (!listing) {  // cannot happen: every target cell lies in a prime
        e.timedOut = true;
        return e;
    }
    e.workSpent = work.Spent();
    e.countWorkSpent = countWork.Spent();
    e.proven = listing->proven;
    e.clockStopped = guard.Reason() == mwcore::StoppedBy::TimeLimit;
    e.solutionCount = listing->count;
    e.countComplete = listing->complete;
    for (const std::vector<int>& cover : listing->covers) {
        Solution s;
        s.primes = reduction.forced;
        s.primes.insert(s.primes.end(), cover.begin(), cover.end());
        std::sort(s.primes.begin(), s.primes.end());
        std::vector<std::string> terms;
        for (int i : s.primes) {
            terms.push_back(e.primes[i].text);
            s.literals += e.primes[i].literals;
        }
        s.terms = static_cast<int>(s.primes.size());
        s.formula = FormulaOf(terms, f.form);
        e.solutions.push_back(std::move(s));
    }
    e.minTerms = e.solutions.front().terms;
    e.minLiterals = e.solutions.front().literals;
    return e;
}

}  // namespace explain
