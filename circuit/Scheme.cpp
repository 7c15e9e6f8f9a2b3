#include "circuit/Scheme.h"

#include <algorithm>
#include <string_view>

#include "circuit/SchemeGeometry.h"
#include "input/StringParcer.h"
#include "platform/Colour.h"

namespace {

std::string Cut(const std::string& name) {
    return name.substr(0, std::min(name.size(), kSchemeNameLength));
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    TStringParcer parcer;
    parcer.Text = text;
    parcer.Split(separator);
    return text.empty() ? std::vector<std::string>{} : parcer.Items;
}

struct Form {
    TGateKind term, output;
    bool finalInverter;
    bool invertPlain;  // pins are the complement of literals written without "|"
};

// The NAND and NOR forms draw the formula's complement in two levels where the form does not
// fit it directly (a product of sums in NAND, a sum of products in NOR), hence the inverter.
Form FormOf(TSchemeType scheme, TFormulaType formula) {
    const bool sop = formula == ftDNF;
    switch (scheme) {
        case stAND_OR:
            return sop ? Form{gkAND, gkOR, false, false} : Form{gkOR, gkAND, false, false};
        case stNOR:
            return Form{gkNOR, gkNOR, sop, sop};
        case stNAND:
        default:
            return Form{gkNAND, gkNAND, !sop, !sop};
    }
}

char TermSeparator(TFormulaType type) {
    return type == ftDNF ? '+' : '*';
}
char LiteralSeparator(TFormulaType type) {
    return type == ftDNF ? '*' : '+';
}

// Terms and literals as the splitting below finds them (empty pieces are skipped), counted in
// one pass without building anything.
struct Counts {
    std::size_t terms = 0, literals = 0;
};

Counts CountPieces(const std::string& formula, char termSep, char literalSep) {
    Counts c;
    bool inTerm = false, inLiteral = false;
    for (const char ch : formula) {
        if (ch == termSep) {
            inTerm = inLiteral = false;
        } else if (ch == literalSep) {
            inLiteral = false;
        } else {
            if (!inTerm) ++c.terms;
            if (!inLiteral) ++c.literals;
            inTerm = inLiteral = true;
        }
    }
    return c;
}

}  // namespace

std::optional<SchemeFormulaError> CheckSchemeFormula(const std::string& formula,
                                                     TFormulaType type) {
    if (formula.size() > kMaxSchemeFormulaLength)
        return SchemeFormulaError{"The formula is too long.", 0};
    for (std::size_t i = 0; i < formula.size(); ++i)
        if (static_cast<unsigned char>(formula[i]) < 0x20 || formula[i] == 0x7F)
            return SchemeFormulaError{"The formula may only be one line of names and signs.",
                                      static_cast<int>(i) + 1};
    const char termSep = TermSeparator(type), literalSep = LiteralSeparator(type);
    const std::string_view text(formula);
    const auto at = [](std::size_t i) { return static_cast<int>(i) + 1; };
    int terms = 0;
    for (std::size_t i = 0; i < formula.size();) {
        if (formula[i] == termSep) {
            ++i;
            continue;
        }
        const std::size_t termEnd = std::min(formula.find(termSep, i), formula.size());
        int literals = 0;
        for (std::size_t j = i; j < termEnd;) {
            if (formula[j] == literalSep) {
                ++j;
                continue;
            }
            // Looked for inside the term only: a search to the end of the text for every
            // literal made a long sum of one-letter terms take seconds.
            const std::size_t literalEnd =
                std::min(text.substr(0, termEnd).find(literalSep, j), termEnd);
            const std::size_t nameStart = formula[j] == '|' ? j + 1 : j;
            if (text.substr(0, literalEnd).find_first_not_of(' ', nameStart) ==
                std::string_view::npos)
                return SchemeFormulaError{"A literal of the formula has no name.", at(j)};
            ++literals;
            j = literalEnd;
        }
        // Literal signs alone would make a gate without inputs.
        if (literals == 0)
            return SchemeFormulaError{"A term of the formula has no literals.", at(i)};
        ++terms;
        i = termEnd;
    }
    if (!formula.empty() && terms == 0) return SchemeFormulaError{"The formula has no terms.", 0};
    return std::nullopt;
}

void TScheme::AddFlow(int x, int y, int gap) {
    TFlow flow;
    flow.Y = y;
    flow.Gap = gap;
    flow.X = flows_.empty() ? x : x + flows_.back().Right + netSpace_;
    flows_.push_back(std::move(flow));
}

void TScheme::AddGate(TGateKind kind, const std::string& name, int pinStep) {
    TFlow& flow = flows_.back();
    flow.Gates.push_back(TGate{kind, Cut(name), {}, 0, 0, pinStep});
    flow.Height += 2 * GridStep + flow.Gap;
}

void TScheme::AddPin(TPinKind kind, const std::string& name, bool inverted) {
    TFlow& flow = flows_.back();
    flow.Gates.back().Pins.push_back(TPin{kind, Cut(name), 0, 0, inverted});
    flow.Right = flow.X + 12 * GridStep;
    flow.Height += 3 * GridStep;
}

void TScheme::AddNet(const std::string& name, int x1, int y1, int x2, int y2) {
    nets_.push_back(TNet{Cut(name), x1, y1, x2, y2});
}

void TScheme::BuildScheme() {
    if (Formula.empty()) return;
    const int s = GridStep;
    // The first column alone is as tall as this: each term's gate takes 2s and a gap of 2s,
    // each of its pins (the literals and the output) 3s. A circuit beyond the largest picture
    // is refused here, before its gates are made.
    const Counts counts =
        CountPieces(Formula, TermSeparator(FormulaType), LiteralSeparator(FormulaType));
    const double firstColumn =
        (4.0 * counts.terms + 3.0 * (counts.literals + counts.terms) + TopMarg) * s;
    if (firstColumn > kMaxSchemeSide) {
        tooLarge_ = true;
        return;
    }
    const Form form = FormOf(SchemeType, FormulaType);
    const std::vector<std::string> terms = SplitAt(Formula, TermSeparator(FormulaType));

    std::vector<std::vector<std::string>> literals;
    std::size_t longest = 0;
    for (const std::string& term : terms) {
        literals.push_back(SplitAt(term, LiteralSeparator(FormulaType)));
        for (const std::string& l : literals.back())
            longest = std::max(longest, std::min(l.size(), kSchemeNameLength));
    }
    // Input labels sit left of the first column; a long name gets the room it needs there
    // (a glyph is at most one em wide) instead of running into its gate.
    const int labelPixels = GateSystem == gsUS ? std::max(kPictureLabelPixels, ScreenLabelPixels(s))
                                               : kPictureLabelPixels;
    const int extra = std::max(0, static_cast<int>(longest) * labelPixels + 8 - LeftMarg * s);

    AddFlow(LeftMarg * s + extra, TopMarg * s, 2 * s);
    netSpace_ = static_cast<int>(terms.size()) * s;
    for (std::size_t t = 0; t < terms.size(); ++t) {
        AddGate(form.term, "Gate" + std::to_string(t), 3 * s);
        for (const std::string& literal : literals[t]) {
            const bool bar = !literal.empty() && literal[0] == '|';
            AddPin(pkInput, bar ? literal.substr(1) : literal, bar != form.invertPlain);
        }
        AddPin(pkOutput, "", false);
    }
    AddFlow(LeftMarg * s, TopMarg * s, 2 * s);
    AddGate(form.output, "Gate0", 3 * s);
    for (std::size_t t = 0; t < terms.size(); ++t) AddPin(pkInput, "", false);
    if (!form.finalInverter) {
        AddPin(pkOutput, "F", false);
    } else {
        AddPin(pkOutput, "", false);
        AddFlow(LeftMarg * s, TopMarg * s, 2 * s);
        AddGate(gkNOT, "Gate0", 3 * s);
        AddPin(pkInput, "", false);
        AddPin(pkOutput, "F", false);
    }

    scheme::Place(flows_, GateSystem, s);
    ConnectFlows(0, 1);
    if (flows_.size() == 3) ConnectFlows(1, 2);
}

// The k-th unnamed output of one column feeds the k-th unnamed input of the next, both in
// drawing order; named pins are the circuit's own inputs and output.
void TScheme::ConnectFlows(std::size_t from, std::size_t to) {
    std::vector<TPin*> outputs;
    for (TGate& earlier : flows_[from].Gates)
        for (TPin& out : earlier.Pins)
            if (out.Kind == pkOutput && out.Name.empty()) outputs.push_back(&out);
    std::size_t next = 0;
    for (TGate& later : flows_[to].Gates)
        for (TPin& in : later.Pins) {
            if (in.Kind != pkInput || !in.Name.empty() || next == outputs.size()) continue;
            TPin& out = *outputs[next++];
            AddNet("1", out.X, out.Y, in.X, in.Y);
            // A blank name keeps both ends from being wired again.
            out.Name = " ";
            in.Name = " ";
        }
}

void TScheme::ResizeBitmap(int width, int height) {
    bitmapWidth_ = width;
    bitmapHeight_ = height;
    if (TooLarge() || width <= 0 || height <= 0) {
        Bitmap = QImage();
        return;
    }
    Bitmap = QImage(width, height, QImage::Format_RGB32);
    Bitmap.fill(platform::ToQColor(PaperColor));
}

void TScheme::SetOptions(const CircuitOptions& options) {
    FormulaType = options.FormulaType;
    SchemeType = options.SchemeType;
    GateSystem = options.GateSystem;
    GridStep = options.GridStep();
    PaperColor = options.PaperColor;
    TopMarg = options.TopMarg;
    LeftMarg = options.LeftMarg;
}

int TScheme::Width() const {
    return flows_.empty() ? 0 : flows_.back().Right;
}

int TScheme::Height() const {
    int height = 0;
    for (const TFlow& flow : flows_) height = std::max(height, flow.Height);
    return flows_.empty() ? 0 : height + flows_.front().Y;
}

int TScheme::SchemeWidth() {
    ResizeBitmap(Width(), bitmapHeight_);
    return Width();
}

int TScheme::SchemeHeight() {
    ResizeBitmap(bitmapWidth_, Height());
    return Height();
}
