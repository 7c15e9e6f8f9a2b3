#include "files/Pla.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

namespace pla {

void Bits::Set(int b) {
    const std::size_t w = static_cast<std::size_t>(b) / 64;
    if (words_.size() <= w) words_.resize(w + 1, 0);
    words_[w] |= std::uint64_t{1} << (b % 64);
}

int Bits::Count() const {
    int n = 0;
    for (std::uint64_t w : words_) n += std::popcount(w);
    return n;
}

void Bits::Trim() {
    while (!words_.empty() && words_.back() == 0) words_.pop_back();
}

Bits Bits::Without(const Bits& o) const {
    Bits r = *this;
    for (std::size_t w = 0; w < std::min(r.words_.size(), o.words_.size()); ++w)
        r.words_[w] &= ~o.words_[w];
    r.Trim();
    return r;
}

Bits& Bits::operator|=(const Bits& o) {
    if (words_.size() < o.words_.size()) words_.resize(o.words_.size(), 0);
    for (std::size_t w = 0; w < o.words_.size(); ++w) words_[w] |= o.words_[w];
    return *this;
}

Bits& Bits::operator&=(const Bits& o) {
    if (words_.size() > o.words_.size()) words_.resize(o.words_.size());
    for (std::size_t w = 0; w < words_.size(); ++w) words_[w] &= o.words_[w];
    Trim();
    return *this;
}

Bits operator^(const Bits& a, const Bits& b) {
    Bits r = a.words_.size() >= b.words_.size() ? a : b;
    const Bits& s = a.words_.size() >= b.words_.size() ? b : a;
    for (std::size_t w = 0; w < s.words_.size(); ++w) r.words_[w] ^= s.words_[w];
    r.Trim();
    return r;
}

bool operator<(const Bits& a, const Bits& b) {
    for (std::size_t w = std::max(a.words_.size(), b.words_.size()); w-- > 0;)
        if (a.Word(w) != b.Word(w)) return a.Word(w) < b.Word(w);
    return false;
}

namespace {

bool HasOff(Type t) {
    return t == Type::FR || t == Type::FDR;
}
bool HasDc(Type t) {
    return t == Type::FD || t == Type::FDR;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// A row's output as which set it joins, by output character and type.
enum class Join { None, On, Off, Dc, Bad };
Join JoinOf(char c, Type type) {
    switch (c) {
        case '1':
        case '4':
            return Join::On;
        case '0':
            return HasOff(type) ? Join::Off : Join::None;
        case '-':
        case '2':
            return HasDc(type) ? Join::Dc : Join::None;
        case '~':
            return Join::None;
        default:
            return Join::Bad;
    }
}

// Every point of up to kMappedInputs inputs as a bit; a cube is painted or tested word by word,
// visiting only the words its upper bits allow.
constexpr int kMappedInputs = 20;
constexpr std::uint64_t kMapWork = std::uint64_t{1} << 27;
struct PointMap {
    explicit PointMap(int inputs) : inputs(inputs), words((std::size_t{1} << inputs) / 64 + 1, 0) {}
    template <class F>
    void ForWords(const Cube& c, F&& f) const {
        const auto care = static_cast<std::uint32_t>(c.care.Low());
        const auto value = static_cast<std::uint32_t>(c.value.Low());
        const std::uint32_t all = inputs >= 32 ? ~0u : (std::uint32_t{1} << inputs) - 1;
        std::uint64_t low = 0;  // the cube's points within one word
        for (std::uint32_t j = 0; j < 64 && j <= all; ++j)
            if ((j & care & 63) == (value & 63)) low |= std::uint64_t{1} << j;
        const std::uint32_t free = ~care & all & ~63u, fixed = value & ~63u;
        for (std::uint32_t sub = 0;; sub = (sub - free) & free) {
            if (!f((fixed | sub) >> 6, low)) return;
            if (((sub - free) & free) == 0) return;
        }
    }
    void Paint(const Cube& c) {
        ForWords(c, [&](std::size_t w, std::uint64_t bits) {
            words[w] |= bits;
            return true;
        });
    }
    bool Meets(const Cube& c) const {
        bool met = false;
        ForWords(c, [&](std::size_t w, std::uint64_t bits) {
            met = (words[w] & bits) != 0;
            return !met;
        });
        return met;
    }
    int inputs;
    std::vector<std::uint64_t> words;
};

class Reader {
  public:
    Reader(const Limits& limits) : limits_(limits) {}

    bool Line(std::string line, int number) {
        number_ = number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        const auto words = Words(line);
        if (words.empty()) return true;
        const bool first = !seenAny_;
        seenAny_ = true;
        if (words[0][0] == '.') {
            if (!pending_.empty()) return WidthFault();
            return Directive(words);
        }
        // A bare word before everything names the PLA (as in some classic files): skipped.
        if (first && words.size() == 1 &&
            words[0].find_first_not_of("01-~24|") != std::string::npos)
            return true;
        return Row(words);
    }

    bool ended() const { return ended_; }

    std::optional<Pla> Finish(Error* error) {
        if (!pending_.empty()) {
            WidthFault();
            if (error) *error = this->error;
            return std::nullopt;
        }
        if (pla_.inputs == 0) return Fail(error, 0, "the file has no '.i' line: it is not a PLA");
        if (pla_.outputs == 0) return Fail(error, 0, "the file has no '.o' line: it is not a PLA");
        if (!CheckOverlaps(error)) return std::nullopt;
        return std::move(pla_);
    }

    Error error;

  private:
    bool Fail(int line, std::string message) {
        // A NUL from the file would end the message wherever it is shown as a C string.
        for (std::size_t at = message.find('\0'); at != std::string::npos;
             at = message.find('\0', at + 2))
            message.replace(at, 1, "\\0");
        error.line = line;
        error.message = line > 0 ? "line " + std::to_string(line) + ": " + message : message;
        return false;
    }
    std::nullopt_t Fail(Error* out, int line, std::string message) {
        Fail(line, std::move(message));
        if (out) *out = error;
        return std::nullopt;
    }

    std::optional<long> Number(const std::vector<std::string>& words) {
        if (words.size() != 2) {
            Fail(number_, "'" + words[0] + "' takes one number");
            return std::nullopt;
        }
        long value = 0;
        const char* end = words[1].data() + words[1].size();
        const auto [ptr, ec] = std::from_chars(words[1].data(), end, value);
        if (ec != std::errc() || ptr != end || value < 0) {
            Fail(number_, "'" + words[1] + "' is not a number");
            return std::nullopt;
        }
        return value;
    }

    bool Directive(const std::vector<std::string>& w) {
        const std::string& d = w[0];
        if (d == ".e" || d == ".end") {
            ended_ = true;
            return true;
        }
        if (d == ".i" || d == ".o") {
            const bool in = d == ".i";
            int& field = in ? pla_.inputs : pla_.outputs;
            const auto n = Number(w);
            if (!n) return false;
            if (*n == 0) return Fail(number_, "'" + d + " 0': a PLA needs at least one");
            const int limit = in ? limits_.maxInputs : limits_.maxOutputs;
            if (*n > limit)
                return Fail(number_, std::to_string(*n) + (in ? " inputs" : " outputs") +
                                         ": at most " + std::to_string(limit) + " can be taken");
            if (field != 0 && field != *n)
                return Fail(number_, "'" + d + "' is given twice with different numbers");
            if (pla_.rows > 0) return Fail(number_, "'" + d + "' comes after the first product");
            field = static_cast<int>(*n);
            if (!in) {
                pla_.functions.assign(pla_.outputs, {});
                lines_.assign(pla_.outputs, {});
            }
            return true;
        }
        if (d == ".ilb" || d == ".ob") {
            const bool in = d == ".ilb";
            const int count = in ? pla_.inputs : pla_.outputs;
            if (count == 0) return Fail(number_, "'" + d + "' before '" + (in ? ".i" : ".o") + "'");
            const int given = static_cast<int>(w.size()) - 1;
            // Some classic files name only the first outputs: the rest get their usual names.
            if (given != count && !(!in && given < count))
                return Fail(number_, "'" + d + "' gives " + std::to_string(given) + " names for " +
                                         std::to_string(count) + (in ? " inputs" : " outputs"));
            (in ? pla_.inputNames : pla_.outputNames).assign(w.begin() + 1, w.end());
            if (given < count) {
                pla_.warnings.push_back("line " + std::to_string(number_) + ": '.ob' names " +
                                        std::to_string(given) + " of " + std::to_string(count) +
                                        " outputs; the others are named by their number");
                for (int o = given; o < count; ++o) pla_.outputNames.push_back(pla_.OutputName(o));
            }
            return true;
        }
        if (d == ".p") return Number(w).has_value();
        if (d == ".type") {
            static const std::pair<const char*, Type> types[] = {
                {"f", Type::F}, {"fd", Type::FD}, {"fr", Type::FR}, {"fdr", Type::FDR}};
            if (w.size() != 2) return Fail(number_, "'.type' takes one of f, fd, fr, fdr");
            if (pla_.rows > 0) return Fail(number_, "'.type' comes after the first product");
            for (const auto& [name, type] : types)
                if (w[1] == name) {
                    pla_.type = type;
                    return true;
                }
            return Fail(number_, "unknown type '" + w[1] + "' (f, fd, fr or fdr)");
        }
        return Fail(number_, "unknown directive '" + d + "'");
    }

    // A product may run over several lines (long output parts are wrapped in some files).
    bool Row(const std::vector<std::string>& words) {
        if (pla_.inputs == 0) return Fail(number_, "a product before '.i'");
        if (pla_.outputs == 0) return Fail(number_, "a product before '.o'");
        if (pending_.empty()) pendingLine_ = number_;
        for (const std::string& w : words)
            for (char c : w)
                if (c != '|') pending_ += c;
        const std::size_t width = static_cast<std::size_t>(pla_.inputs + pla_.outputs);
        if (pending_.size() < width) return true;
        if (pending_.size() > width) return WidthFault();
        const std::string row = std::move(pending_);
        pending_.clear();
        const int at = number_;
        number_ = pendingLine_;
        const bool ok = Product(row);
        number_ = at;
        return ok;
    }

    bool WidthFault() {
        const std::size_t width = static_cast<std::size_t>(pla_.inputs + pla_.outputs);
        return Fail(pendingLine_, "the product has " + std::to_string(pending_.size()) +
                                      " characters, " + std::to_string(pla_.inputs) +
                                      " inputs and " + std::to_string(pla_.outputs) +
                                      " outputs need " + std::to_string(width));
    }

    bool Product(const std::string& row) {
        if (++pla_.rows > limits_.maxRows)
            return Fail(number_, "more than " + std::to_string(limits_.maxRows) + " products");
        Cube cube;
        for (int i = 0; i < pla_.inputs; ++i) {
            const int bit = pla_.inputs - 1 - i;
            switch (row[i]) {
                case '0':
                    cube.care.Set(bit);
                    break;
                case '1':
                    cube.care.Set(bit);
                    cube.value.Set(bit);
                    break;
                case '-':
                case '2':
                    break;
                default:
                    return Fail(number_, std::string("input ") + std::to_string(i + 1) + " is '" +
                                             row[i] + "', not 0, 1, - or 2");
            }
        }
        for (int o = 0; o < pla_.outputs; ++o) {
            const char c = row[pla_.inputs + o];
            const Join join = JoinOf(c, pla_.type);
            if ((join == Join::On || join == Join::Off || join == Join::Dc) &&
                ++cubes_ > limits_.maxCubes)
                return Fail(number_, "more than " + std::to_string(limits_.maxCubes) +
                                         " entries of products in outputs: the file is too large");
            OutputSets& sets = pla_.functions[o];
            switch (join) {
                case Join::On:
                    sets.on.push_back(cube);
                    lines_[o].on.push_back(number_);
                    break;
                case Join::Off:
                    sets.off.push_back(cube);
                    lines_[o].off.push_back(number_);
                    break;
                case Join::Dc:
                    sets.dc.push_back(cube);
                    break;
                case Join::None:
                    break;
                case Join::Bad:
                    return Fail(number_, std::string("output ") + std::to_string(o + 1) + " is '" +
                                             c + "', not 0, 1, -, ~, 2 or 4");
            }
        }
        return true;
    }

    // A point both on and off is a contradiction the minimizer cannot honour. Reported for the
    // first on row, in file order, that holds such a point, and the first off row meeting it.
    bool CheckOverlaps(Error* out) {
        if (!HasOff(pla_.type)) return true;
        for (int o = 0; o < pla_.outputs; ++o) {
            const OutputSets& s = pla_.functions[o];
            if (s.on.empty() || s.off.empty()) continue;
            const auto clash = MapWords(s) <= kMapWork ? ClashByMaps(s) : ClashByPairs(s);
            if (!clash) continue;
            const int onLine = lines_[o].on[clash->first], offLine = lines_[o].off[clash->second];
            Fail(out, std::max(onLine, offLine),
                 "output " + std::to_string(o + 1) + " is 1 on line " + std::to_string(onLine) +
                     " and 0 on line " + std::to_string(offLine) + " for the same inputs");
            return false;
        }
        return true;
    }

    // Every pair of rows: quadratic, and each meeting asks the don't cares; for wide inputs only.
    std::optional<std::pair<std::size_t, std::size_t>> ClashByPairs(const OutputSets& s) const {
        for (std::size_t a = 0; a < s.on.size(); ++a)
            for (std::size_t b = 0; b < s.off.size(); ++b) {
                if (!s.on[a].Intersects(s.off[b])) continue;
                // Don't cares win, as everywhere else: only a point left both on and off counts.
                const Cube both{s.on[a].care | s.off[b].care, s.on[a].value | s.off[b].value};
                if (!CoveredByDc(both, s.dc)) return std::pair{a, b};
            }
        return std::nullopt;
    }

    // Words the maps below would visit to paint the output, or more than kMapWork.
    std::uint64_t MapWords(const OutputSets& s) const {
        if (pla_.inputs > kMappedInputs) return kMapWork + 1;
        const std::uint32_t upper = ((std::uint32_t{1} << pla_.inputs) - 1) & ~63u;
        std::uint64_t words = 0;
        for (const auto* set : {&s.on, &s.off, &s.dc})
            for (const Cube& c : *set)
                words += std::uint64_t{1}
                         << std::popcount(~static_cast<std::uint32_t>(c.care.Low()) & upper);
        return words;
    }

    // The same answer from bit maps of every point: linear in the rows and their sizes.
    std::optional<std::pair<std::size_t, std::size_t>> ClashByMaps(const OutputSets& s) const {
        PointMap on(pla_.inputs), off(pla_.inputs), dc(pla_.inputs);
        for (const Cube& c : s.on) on.Paint(c);
        for (const Cube& c : s.off) off.Paint(c);
        for (const Cube& c : s.dc) dc.Paint(c);
        PointMap bad = on;
        bool any = false;
        for (std::size_t w = 0; w < bad.words.size(); ++w) {
            bad.words[w] &= off.words[w] & ~dc.words[w];
            any = any || bad.words[w];
        }
        if (!any) return std::nullopt;
        for (std::size_t a = 0; a < s.on.size(); ++a) {
            if (!bad.Meets(s.on[a])) continue;
            for (std::size_t b = 0; b < s.off.size(); ++b)
                if (s.on[a].Intersects(s.off[b]) &&
                    bad.Meets({s.on[a].care | s.off[b].care, s.on[a].value | s.off[b].value}))
                    return std::pair{a, b};
        }
        return std::nullopt;
    }

    // Whether the don't cares cover a whole cube (cofactor recursion on the cube's free bits).
    bool CoveredByDc(const Cube& c, const std::vector<Cube>& dc) const {
        std::vector<Cube> touching;
        for (const Cube& d : dc)
            if (d.Intersects(c)) {
                if (!d.care.Without(c.care).Any()) return true;  // d holds all of c
                touching.push_back(d);
            }
        if (touching.empty()) return false;
        // Split on a bit some touching cube cares about and the cube does not.
        Bits free;
        for (const Cube& d : touching) free |= d.care.Without(c.care);
        std::size_t w = 0;
        while (free.Word(w) == 0) ++w;
        Bits bit;
        bit.Set(static_cast<int>(w * 64) + std::countr_zero(free.Word(w)));
        return CoveredByDc({c.care | bit, c.value}, touching) &&
               CoveredByDc({c.care | bit, c.value | bit}, touching);
    }

    struct RowLines {
        std::vector<int> on, off;
    };

    const Limits& limits_;
    Pla pla_;
    int number_ = 0;
    long cubes_ = 0;       // entries of products in outputs stored so far
    std::string pending_;  // characters of a product not yet complete
    int pendingLine_ = 0;
    bool seenAny_ = false;
    bool ended_ = false;
    std::vector<RowLines> lines_;  // per output, the line of each on and off cube
};

void Paint(std::string& s, const Cube& c, char v, int inputs) {
    const std::uint64_t free = ~c.care.Low() & ((std::uint64_t{1} << inputs) - 1);
    std::uint64_t sub = 0;
    do {
        s[c.value.Low() | sub] = v;
        sub = (sub - free) & free;
    } while (sub != 0);
}

std::string Cleaned(const std::string& name) {
    std::string out = name.empty() ? "_" : name;
    for (char& c : out)
        if (c == ' ' || c == '\t' || c == '#' || c == '\n' || c == '\r') c = '_';
    return out;
}

}  // namespace

char Pla::ValueAt(int output, std::uint64_t minterm) const {
    const OutputSets& s = functions.at(output);
    auto in = [minterm](const std::vector<Cube>& cubes) {
        return std::any_of(cubes.begin(), cubes.end(),
                           [minterm](const Cube& c) { return c.Contains(minterm); });
    };
    if (in(s.dc)) return '2';
    if (in(s.on)) return '1';
    if (!HasOff(type)) return '0';
    return in(s.off) ? '0' : '2';
}

std::string Pla::FunctionString(int output) const {
    const OutputSets& s = functions.at(output);
    std::string f(std::size_t{1} << inputs, HasOff(type) ? '2' : '0');
    for (const Cube& c : s.off) Paint(f, c, '0', inputs);
    for (const Cube& c : s.on) Paint(f, c, '1', inputs);
    for (const Cube& c : s.dc) Paint(f, c, '2', inputs);
    return f;
}

std::string Pla::InputName(int i) const {
    return i < static_cast<int>(inputNames.size()) ? inputNames[i] : "x" + std::to_string(i);
}

std::string Pla::OutputName(int o) const {
    return o < static_cast<int>(outputNames.size()) ? outputNames[o] : "f" + std::to_string(o);
}

std::optional<Pla> Read(std::istream& in, Error* error, const Limits& limits) {
    Reader reader(limits);
    std::string line;
    int number = 0;
    while (!reader.ended() && std::getline(in, line)) {
        ++number;
        if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);  // byte order mark
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!reader.Line(line, number)) {
            if (error) *error = reader.error;
            return std::nullopt;
        }
    }
    if (in.bad()) {
        if (error) *error = {number, "the file could not be read to its end"};
        return std::nullopt;
    }
    return reader.Finish(error);
}

std::optional<Pla> ReadText(const std::string& text, Error* error, const Limits& limits) {
    std::istringstream in(text);
    return Read(in, error, limits);
}

std::optional<Pla> ReadFile(const std::string& path, Error* error, const Limits& limits) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = {0, "cannot open '" + path + "'"};
        return std::nullopt;
    }
    auto result = Read(in, error, limits);
    if (!result && error && error->line == 0 && error->message.find(path) == std::string::npos)
        error->message = path + ": " + error->message;
    return result;
}

std::string InputPart(const Cube& cube, int inputs) {
    std::string s(static_cast<std::size_t>(inputs), '-');
    for (int i = 0; i < inputs; ++i)
        if (cube.care.Test(inputs - 1 - i)) s[i] = cube.value.Test(inputs - 1 - i) ? '1' : '0';
    return s;
}

namespace {
void Header(std::ostream& out, int inputs, int outputs, std::size_t rows, const char* type,
            const std::vector<std::string>& inputNames,
            const std::vector<std::string>& outputNames) {
    out << ".i " << inputs << "\n.o " << outputs << "\n";
    if (static_cast<int>(inputNames.size()) == inputs) {
        out << ".ilb";
        for (const std::string& n : inputNames) out << ' ' << Cleaned(n);
        out << "\n";
    }
    if (static_cast<int>(outputNames.size()) == outputs) {
        out << ".ob";
        for (const std::string& n : outputNames) out << ' ' << Cleaned(n);
        out << "\n";
    }
    out << ".p " << rows << "\n.type " << type << "\n";
}
}  // namespace

void WriteCover(std::ostream& out, int inputs, int outputs, const std::vector<Product>& products,
                const std::vector<std::string>& inputNames,
                const std::vector<std::string>& outputNames) {
    Header(out, inputs, outputs, products.size(), "f", inputNames, outputNames);
    for (const Product& p : products) {
        out << InputPart(p.in, inputs) << ' ';
        for (int o = 0; o < outputs; ++o)
            out << (o < static_cast<int>(p.outputs.size()) && p.outputs[o] ? '1' : '0');
        out << '\n';
    }
    out << ".e\n";
}

std::string CoverText(int inputs, int outputs, const std::vector<Product>& products,
                      const std::vector<std::string>& inputNames,
                      const std::vector<std::string>& outputNames) {
    std::ostringstream out;
    WriteCover(out, inputs, outputs, products, inputNames, outputNames);
    return out.str();
}

void WriteFunction(std::ostream& out, int inputs, const std::vector<Cube>& on,
                   const std::vector<Cube>& dc, const std::vector<std::string>& inputNames,
                   const std::string& outputName) {
    Header(out, inputs, 1, on.size() + dc.size(), "fd", inputNames,
           outputName.empty() ? std::vector<std::string>{} : std::vector<std::string>{outputName});
    for (const Cube& c : on) out << InputPart(c, inputs) << " 1\n";
    for (const Cube& c : dc) out << InputPart(c, inputs) << " -\n";
    out << ".e\n";
}

}  // namespace pla
