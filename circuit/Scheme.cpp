#include "circuit/Scheme.h"

#include <algorithm>

#include "circuit/SchemeGeometry.h"
#include "engine/FormulaText.h"
#include "platform/Colour.h"
#include "platform/QtColour.h"

namespace {

std::string Cut(const std::string& name) {
    return name.substr(0, std::min(name.size(), kSchemeNameLength));
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

// Terms and literals as the circuit draws them: a term of literal signs alone counts none.
struct Counts {
    std::size_t terms = 0, literals = 0;
};

Counts CountPieces(const ParsedFormula& formula) {
    Counts c;
    for (const FormulaTerm& term : formula.terms) {
        if (!term.literals.empty()) ++c.terms;
        c.literals += term.literals.size();
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
    const ParsedFormula parsed = ReadFormula(formula, type);
    for (const FormulaTerm& term : parsed.terms) {
        // Literal signs alone would make a gate without inputs.
        if (term.literals.empty())
            return SchemeFormulaError{"A term of the formula has no literals.", term.position};
        for (const FormulaLiteral& literal : term.literals)
            if (literal.name.find_first_not_of(' ') == std::string::npos)
                return SchemeFormulaError{"A literal of the formula has no name.",
                                          literal.position};
    }
    if (!formula.empty() && parsed.terms.empty())
        return SchemeFormulaError{"The formula has no terms.", 0};
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
    const ParsedFormula parsed = ReadFormula(Formula, FormulaType);
    const Counts counts = CountPieces(parsed);
    const double firstColumn =
        (4.0 * counts.terms + 3.0 * (counts.literals + counts.terms) + TopMarg) * s;
    if (firstColumn > kMaxSchemeSide) {
        tooLarge_ = true;
        return;
    }
    const Form form = FormOf(SchemeType, FormulaType);
    const std::vector<FormulaTerm>& terms = parsed.terms;
    std::size_t longest = 0;
    for (const FormulaTerm& term : terms)
        for (const FormulaLiteral& l : term.literals)
            longest = std::max(longest, std::min(LiteralText(l).size(), kSchemeNameLength));
    // Input labels sit left of the first column; a long name gets the room it needs there
    // (a glyph is at most one em wide) instead of running into its gate.
    const int labelPixels = GateSystem == gsUS ? std::max(kPictureLabelPixels, ScreenLabelPixels(s))
                                               : kPictureLabelPixels;
    const int extra = std::max(0, static_cast<int>(longest) * labelPixels + 8 - LeftMarg * s);

    AddFlow(LeftMarg * s + extra, TopMarg * s, 2 * s);
    netSpace_ = static_cast<int>(terms.size()) * s;
    for (std::size_t t = 0; t < terms.size(); ++t) {
        AddGate(form.term, "Gate" + std::to_string(t), 3 * s);
        for (const FormulaLiteral& literal : terms[t].literals)
            AddPin(pkInput, literal.name, literal.negated != form.invertPlain);
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
