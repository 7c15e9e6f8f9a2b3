// Minimization by gluing: pairs of adjacent cells are glued into groups twice as large,
// groups are picked from the largest size down until every target cell is covered, and
// redundant groups are pruned. The orders and tie-breaks are fixed and decide the result.
//
// The steps compare groups pairwise. Done literally that is quadratic in the number of
// groups of a level (about 1,800 on an 8-variable map) times the cells per group; here groups
// carry their positions as 256-bit masks and every position knows which groups of a level
// contain it, so each comparison becomes a few mask operations without changing which groups
// are built, picked or pruned, nor their order.

#include <algorithm>
#include <unordered_set>

#include "engine/CarnoGrid.h"
#include "engine/Neighbours.h"

namespace {

struct FormSettings {
    const char* target;  // cells being covered
    std::uint8_t targetCode;
    char negatedBit;       // a variable with this bit is written with "|"
    const char* constant;  // a term without literals
};

FormSettings SettingsFor(TGlueMethod method) {
    if (method == gmKNF) return {"0", 1, '1', "0"};
    return {"1", 0, '0', "1"};
}

// Removes the groups whose flag is 0, keeping the order of the others.
void KeepAlive(std::vector<TGroup>& list, const std::vector<char>& alive) {
    std::size_t keep = 0;
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (!alive[k]) continue;
        if (keep != k) list[keep] = std::move(list[k]);
        ++keep;
    }
    list.resize(keep);
}

// Bit rows indexed by group number within one level.
using GroupBits = std::vector<std::uint64_t>;

}  // namespace

class Gluer {
  public:
    explicit Gluer(TCarnoGrid& grid)
        : g_(grid),
          s_(SettingsFor(grid.GlueMethod)),
          cols_(grid.MapColumns()),
          rows_(grid.MapRows()),
          cells_(cols_ * rows_) {}

    void Run();

  private:
    int PosOf(int c, int r) const { return (c - 1) * rows_ + (r - 1); }
    void Advance() {
        if (g_.Progress) g_.Progress->Advance();
    }

    void PrepareNeighbours();
    void FirstPass();
    void AppendPair(int a, const std::string& ta, int b, const std::string& tb);
    void GlueLevels();
    void GlueLevel(std::size_t from);
    void Select();
    void PruneSubsets();
    void PruneRedundant();

    TCarnoGrid& g_;
    const FormSettings s_;
    const int cols_, rows_, cells_;
    std::vector<std::string> text_;     // by position
    std::vector<std::vector<int>> nb_;  // neighbour positions in rule order, repeats kept
    std::unordered_set<CellSet, CellSetHash> pairSeen_;
    int targetCount_ = 0;
};

void Gluer::PrepareNeighbours() {
    text_.resize(cells_);
    nb_.resize(cells_);
    for (int c = 1; c <= cols_; ++c) {
        for (int r = 1; r <= rows_; ++r) {
            const int p = PosOf(c, r);
            text_[p] = g_.Cells(c, r);
            for (const neighbours::Pos& q : neighbours::OfCell(c, r, cols_, rows_))
                nb_[p].push_back(PosOf(q.col, q.row));
        }
    }
}

void Gluer::AppendPair(int a, const std::string& ta, int b, const std::string& tb) {
    CellSet positions;
    positions.Set(a);
    positions.Set(b);
    if (!pairSeen_.insert(positions).second) return;  // a group with the same two cells exists
    TGroup group;
    group.Count = 2;
    group.Cells = {
        {static_cast<std::uint8_t>(a / rows_ + 1), static_cast<std::uint8_t>(a % rows_ + 1),
         static_cast<std::uint8_t>(TCarnoGrid::ValueCode(ta))},
        {static_cast<std::uint8_t>(b / rows_ + 1), static_cast<std::uint8_t>(b % rows_ + 1),
         static_cast<std::uint8_t>(TCarnoGrid::ValueCode(tb))}};
    group.Positions = positions;
    g_.levelList_[1].Groups.push_back(std::move(group));
}

void Gluer::FirstPass() {
    g_.levelList_.push_back({1, {}});
    g_.levelList_.push_back({2, {}});
    targetCount_ = 0;
    g_.blockWidth_ = 4;
    const std::string target = s_.target;
    for (int c = 1; c <= cols_; ++c) {
        for (int r = 1; r <= rows_; ++r) {
            Advance();
            const int p = PosOf(c, r);
            const std::string& t = text_[p];
            if (t == target) {
                ++targetCount_;
                bool anyQualified = false;
                for (int q : nb_[p]) {
                    if (text_[q] == t || text_[q] == "*") {
                        anyQualified = true;
                        AppendPair(p, t, q, text_[q]);
                    }
                }
                if (!anyQualified) {
                    TGroup single;
                    single.Count = 1;
                    single.Cells = {{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r),
                                     s_.targetCode}};
                    single.Positions.Set(p);
                    g_.levelList_[0].Groups.push_back(std::move(single));
                }
            } else if (t == "*") {
                for (int q : nb_[p])
                    if (text_[q] == "*" || text_[q] == target) AppendPair(p, t, q, text_[q]);
            }
        }
    }
}

void Gluer::GlueLevels() {
    unsigned s = 2;
    // Levels appended while walking are walked too; indices, since the list grows.
    for (std::size_t i = 0; i < g_.levelList_.size(); ++i) {
        if (g_.levelList_[i].Size != s || g_.levelList_[i].Groups.empty()) continue;
        s *= 2;
        g_.levelList_.push_back({static_cast<std::uint16_t>(s), {}});
        GlueLevel(i);
    }
}

// Glues level `from` into the level just appended. For g1, the groups g2 that CanGlue accepts
// through its neighbour condition are exactly those that, for every position x of g1, contain
// some neighbour of x lying outside g1: the intersection over x of the unions of the
// containing-group rows of those neighbours.
void Gluer::GlueLevel(std::size_t from) {
    const std::vector<TGroup>& level = g_.levelList_[from].Groups;
    std::vector<TGroup>& out = g_.levelList_.back().Groups;
    const std::size_t m = level.size();
    const std::size_t words = (m + 63) / 64;

    std::vector<std::uint64_t> contains(static_cast<std::size_t>(cells_) * words, 0);
    for (std::size_t j = 0; j < m; ++j)
        level[j].Positions.ForEach(
            [&](int x) { contains[x * words + j / 64] |= std::uint64_t{1} << (j % 64); });

    std::unordered_set<CellSet, CellSetHash> seen;  // positions of out's groups without repeats
    std::vector<std::size_t> withRepeats;           // out's groups whose positions repeat

    auto append = [&](const TGroup& g1, const TGroup& g2) {
        CellSet positions = g1.Positions;
        positions |= g2.Positions;
        const int count = g1.Count + g2.Count;
        const bool repeats = positions.Count() != count;
        // Skip when some group of the level has all its cells among the new group's cells. A
        // group without repeats has as many positions as the new one has cells, so for it that
        // means equal positions.
        if (!repeats && seen.count(positions)) return;
        for (std::size_t k : withRepeats)
            if (out[k].Positions.SubsetOf(positions)) return;
        TGroup glued;
        glued.Count = static_cast<std::uint16_t>(count);
        glued.Cells.reserve(count);
        glued.Cells.insert(glued.Cells.end(), g1.Cells.begin(), g1.Cells.end());
        glued.Cells.insert(glued.Cells.end(), g2.Cells.begin(), g2.Cells.end());
        glued.Positions = positions;
        if (repeats)
            withRepeats.push_back(out.size());
        else
            seen.insert(positions);
        out.push_back(std::move(glued));
    };

    GroupBits acc(words), cand(words);
    for (std::size_t i = 0; i < m; ++i) {
        const TGroup& g1 = level[i];
        std::fill(acc.begin(), acc.end(), ~std::uint64_t{0});
        bool any = true;
        for (int k = 0; k < 4 && any; ++k) {
            for (std::uint64_t bits = g1.Positions.w[k]; bits && any; bits &= bits - 1) {
                const int x = k * 64 + std::countr_zero(bits);
                std::fill(cand.begin(), cand.end(), 0);
                for (int q : nb_[x]) {
                    if (g1.Positions.Test(q)) continue;
                    const std::uint64_t* row = &contains[q * words];
                    for (std::size_t w = 0; w < words; ++w) cand[w] |= row[w];
                }
                std::uint64_t nonzero = 0;
                for (std::size_t w = 0; w < words; ++w) nonzero |= (acc[w] &= cand[w]);
                any = nonzero != 0;
            }
        }
        if (!any) std::fill(acc.begin(), acc.end(), 0);
        // Two disjoint halves of the whole map glue whatever their neighbours.
        if (2 * g1.Count == cells_) {
            for (std::size_t j = i + 1; j < m; ++j)
                if (level[j].Count + g1.Count == cells_ &&
                    !g1.Positions.Intersects(level[j].Positions))
                    acc[j / 64] |= std::uint64_t{1} << (j % 64);
        }
        // Only groups after g1, in list order.
        for (std::size_t w = 0; w < words && w * 64 <= i; ++w)
            acc[w] &= (i + 1 >= (w + 1) * 64) ? 0 : ~((std::uint64_t{2} << (i % 64)) - 1);
        for (std::size_t w = 0; w < words; ++w) {
            for (std::uint64_t bits = acc[w]; bits; bits &= bits - 1) {
                const std::size_t j = w * 64 + std::countr_zero(bits);
                if (level[j].Count == g1.Count) append(g1, level[j]);
            }
        }
        Advance();
    }
}

void Gluer::Select() {
    auto& levels = g_.levelList_;
    CellSet coveredMask;
    auto covered = [&] { return static_cast<int>(g_.coveredList_.size()); };

    for (std::size_t li = levels.size() - 2; li != 0 && covered() < targetCount_; --li) {
        std::vector<TGroup>& groups = levels[li].Groups;
        bool scanned = false;
        // Every group has the same cell count, so each scan's candidate is the last unpicked
        // group; after the first scan has flagged the all-"*" groups, walk back from the end.
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(groups.size()) - 1;
        while (covered() < targetCount_) {
            if (!scanned) {
                for (TGroup& g : groups) {
                    const bool allStar = std::all_of(
                        g.Cells.begin(), g.Cells.end(),
                        [&](const TCellRef& x) { return g_.Cells(x.Col, x.Row) == "*"; });
                    if (allStar) g.Picked = 1;
                }
                scanned = true;
            }
            while (j >= 0 && groups[j].Picked) --j;
            if (j < 0) break;  // every group picked
            TGroup& chosen = groups[j];
            g_.resultList_.push_back(chosen);
            chosen.Picked = 1;
            for (const TCellRef& x : chosen.Cells) {
                const int p = PosOf(x.Col, x.Row);
                if (text_[p] == "*" || coveredMask.Test(p)) continue;
                coveredMask.Set(p);
                g_.coveredList_.push_back({x.Col, x.Row});
            }
        }
    }
}

void Gluer::PruneSubsets() {
    std::vector<TGroup>& list = g_.resultList_;
    std::vector<std::vector<int>> byPos(cells_);
    for (std::size_t k = 0; k < list.size(); ++k)
        list[k].Positions.ForEach([&](int x) { byPos[x].push_back(static_cast<int>(k)); });
    std::vector<char> alive(list.size(), 1);
    for (std::size_t p = 0; p < list.size(); ++p) {
        for (int q : byPos[list[p].Positions.First()]) {
            if (q != static_cast<int>(p) && alive[q] &&
                list[p].Positions.SubsetOf(list[q].Positions)) {
                alive[p] = 0;
                break;
            }
        }
    }
    KeepAlive(list, alive);
}

void Gluer::PruneRedundant() {
    std::vector<TGroup>& list = g_.resultList_;
    const std::size_t n = list.size();
    std::vector<std::vector<int>> byPos(cells_);
    std::vector<int> inGroups(cells_, 0);  // live groups holding each position
    std::vector<CellSet> targetSet(n);
    std::vector<int> targetCells(n, 0);
    for (std::size_t k = 0; k < n; ++k) {
        list[k].Positions.ForEach([&](int x) {
            byPos[x].push_back(static_cast<int>(k));
            ++inGroups[x];
        });
        for (const TCellRef& x : list[k].Cells) {
            if (x.Code != s_.targetCode) continue;
            targetSet[k].Set(PosOf(x.Col, x.Row));
            ++targetCells[k];
        }
    }
    std::vector<char> alive(n, 1);
    for (std::size_t p = 0; p < n; ++p) {
        const TGroup& g = list[p];
        int shared = 0;
        for (const TCellRef& x : g.Cells)
            if (x.Code == s_.targetCode && inGroups[PosOf(x.Col, x.Row)] >= 2) ++shared;

        bool dominated = false;
        auto dominates = [&](std::size_t q) {
            return q != p && alive[q] && targetCells[q] > targetCells[p] &&
                   targetSet[p].SubsetOf(list[q].Positions);
        };
        if (targetSet[p].Empty()) {
            for (std::size_t q = 0; q < n && !dominated; ++q) dominated = dominates(q);
        } else {
            for (int q : byPos[targetSet[p].First()])
                if ((dominated = dominates(static_cast<std::size_t>(q)))) break;
        }

        if (shared == g.Count || dominated) {
            alive[p] = 0;
            g.Positions.ForEach([&](int x) { --inGroups[x]; });
        }
    }
    KeepAlive(list, alive);
}

void TCarnoGrid::WriteResultFormula() {
    std::vector<std::string> terms;
    for (const TGroup& g : resultList_) terms.push_back(GroupToTerm(g));
    resultFormula_ = JoinTerms(terms, GlueMethod);
}

void Gluer::Run() {
    g_.coveredList_.clear();
    g_.resultList_.clear();
    g_.levelList_.clear();
    if (g_.Progress) g_.Progress->SetMax(cells_);
    PrepareNeighbours();
    FirstPass();
    if (g_.Progress) g_.Progress->SetMax(g_.Progress->Max() + targetCount_ * targetCount_);
    GlueLevels();
    Select();
    for (const TGroup& single : g_.levelList_[0].Groups) g_.resultList_.push_back(single);
    PruneSubsets();
    PruneRedundant();
    if (g_.Progress) g_.Progress->SetPosition(g_.Progress->Max());
    g_.WriteResultFormula();
}

void TCarnoGrid::Glue() {
    Gluer(*this).Run();
}

std::string TCarnoGrid::ResultText() const {
    return resultFormula_.empty() && !resultList_.empty() ? SettingsFor(GlueMethod).constant
                                                          : resultFormula_;
}

std::vector<std::string> TCarnoGrid::ResultTermTexts() const {
    std::vector<std::string> texts;
    for (const TGroup& g : resultList_) {
        std::string term = GroupToTerm(g);
        texts.push_back(term.empty() ? SettingsFor(GlueMethod).constant : term);
    }
    return texts;
}

bool TCarnoGrid::Test() {
    if (!CheckCells()) return false;
    Glue();
    FillTree();
    return true;
}

void TCarnoGrid::UseResult(std::vector<TGroup> groups) {
    resultList_ = std::move(groups);
    WriteResultFormula();
    if (TreeView) TreeView->Clear();
    FillTree();
}

void TCarnoGrid::FillTree() {
    if (!TreeView) return;
    const int root = TreeView->AddRoot(ResultText());
    for (const std::string& term : ResultTermTexts()) {
        TreeView->AddChild(root, term);
    }
}

bool TCarnoGrid::CanGlue(const TGroup& g1, const TGroup& g2) const {
    auto holds = [](const TGroup& g, int col, int row) {
        return std::any_of(g.Cells.begin(), g.Cells.end(),
                           [&](const TCellRef& x) { return x.Col == col && x.Row == row; });
    };
    int matched = 0;
    for (const TCellRef& x : g1.Cells) {
        for (const neighbours::Pos& q : neighbours::OfCell(x.Col, x.Row, MapColumns(), MapRows())) {
            if (holds(g2, q.col, q.row) && !holds(g1, q.col, q.row)) {
                ++matched;
                break;
            }
        }
    }
    int shared = 0;
    for (const TCellRef& a : g1.Cells)
        for (const TCellRef& b : g2.Cells)
            if (a.Col == b.Col && a.Row == b.Row) ++shared;
    return (g1.Count == matched && g2.Count == matched) ||
           (shared == 0 && g1.Count + g2.Count == MapColumns() * MapRows());
}

std::string TCarnoGrid::GroupToTerm(const TGroup& g) const {
    if (g.Cells.empty()) return {};
    const FormSettings s = SettingsFor(GlueMethod);
    std::string code = CellCode(g.Cells[0].Col, g.Cells[0].Row);
    for (std::size_t k = 1; k < g.Cells.size(); ++k) {
        const std::string other = CellCode(g.Cells[k].Col, g.Cells[k].Row);
        for (std::size_t i = 0; i < code.size(); ++i)
            if (code[i] != other[i]) code[i] = '*';
    }
    std::vector<FormulaLiteral> literals;
    for (int k = 1; k <= static_cast<int>(code.size()); ++k) {
        const char bit = code[k - 1];
        if (bit == '0' || bit == '1') literals.push_back({VarName(k), bit == s.negatedBit});
    }
    return WriteTerm(literals, GlueMethod);
}
