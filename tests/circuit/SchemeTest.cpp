// Building and placement of circuits, checked without a display: the worked placement, the
// forms, and every built circuit simulated against its formula.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "circuit/Scheme.h"
#include "circuit/SchemeGeometry.h"

namespace {

TScheme Built(const std::string& formula, TFormulaType type, TSchemeType form,
              TGateSystem system = gsUS, int step = 9) {
    TScheme s;
    s.GridStep = step;
    s.TopMarg = 4;
    s.LeftMarg = 5;
    s.GateSystem = system;
    s.SchemeType = form;
    s.FormulaType = type;
    s.Formula = formula;
    s.BuildScheme();
    return s;
}

std::pair<int, int> End(const TPin& p) {
    return {p.X, p.Y};
}
std::pair<int, int> Corner(const TGate& g) {
    return {g.X, g.Y};
}

TEST(Scheme, WorkedPlacementAtStepNine) {
    TScheme s = Built("a*|b+c", ftDNF, stNAND);
    EXPECT_EQ(s.SchemeWidth(), 324);
    EXPECT_EQ(s.SchemeHeight(), 243);
    EXPECT_EQ(s.Bitmap.size(), QSize(324, 243));
    ASSERT_EQ(s.Flows().size(), 2u);
    const auto& terms = s.Flows()[0].Gates;
    const auto& out = s.Flows()[1].Gates;
    ASSERT_EQ(terms.size(), 2u);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(Corner(terms[0]), std::make_pair(45, 36));
    EXPECT_EQ(Corner(terms[1]), std::make_pair(45, 153));
    EXPECT_EQ(Corner(out[0]), std::make_pair(216, 36));
    EXPECT_EQ(End(terms[0].Pins.back()), std::make_pair(139, 85));
    EXPECT_EQ(End(terms[1].Pins.back()), std::make_pair(139, 189));
    EXPECT_EQ(End(out[0].Pins[0]), std::make_pair(189, 63));
    EXPECT_EQ(End(out[0].Pins[1]), std::make_pair(189, 90));
    EXPECT_EQ(End(out[0].Pins[2]), std::make_pair(310, 85));
    EXPECT_EQ(out[0].Pins[2].Name, "F");
    // Where the input labels start.
    EXPECT_EQ(terms[0].Pins[0].X, 18);
    EXPECT_EQ(terms[0].Pins[1].X, 18);
    EXPECT_EQ(terms[1].Pins[0].X, 18);

    ASSERT_EQ(s.Nets().size(), 2u);
    const TNet& n0 = s.Nets()[0];
    const TNet& n1 = s.Nets()[1];
    EXPECT_EQ(std::make_tuple(n0.X1, n0.Y1, scheme::NetTrackX(n0, 0, 9), n0.X2, n0.Y2),
              std::make_tuple(139, 85, 139, 189, 63));
    EXPECT_EQ(std::make_tuple(n1.X1, n1.Y1, scheme::NetTrackX(n1, 1, 9), n1.X2, n1.Y2),
              std::make_tuple(139, 189, 148, 189, 90));
}

TEST(Scheme, GateKindsAndPolarityByForm) {
    struct Case {
        TSchemeType form;
        TFormulaType type;
        TGateKind term, output;
        bool inverter;
    };
    const Case cases[] = {
        {stNAND, ftDNF, gkNAND, gkNAND, false}, {stNAND, ftCNF, gkNAND, gkNAND, true},
        {stAND_OR, ftDNF, gkAND, gkOR, false},  {stAND_OR, ftCNF, gkOR, gkAND, false},
        {stNOR, ftCNF, gkNOR, gkNOR, false},    {stNOR, ftDNF, gkNOR, gkNOR, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.form) << "/" << int(c.type));
        const std::string formula = c.type == ftDNF ? "a*|b+c" : "a+|b*c";
        TScheme s = Built(formula, c.type, c.form);
        ASSERT_EQ(s.Flows().size(), c.inverter ? 3u : 2u);
        EXPECT_EQ(s.Nets().size(), c.inverter ? 3u : 2u);
        for (const TGate& g : s.Flows()[0].Gates) EXPECT_EQ(g.Kind, c.term);
        EXPECT_EQ(s.Flows()[1].Gates[0].Kind, c.output);
        if (c.inverter) {
            EXPECT_EQ(s.Flows()[2].Gates[0].Kind, gkNOT);
        }
        // The complement forms take the inputs in the other polarity.
        const auto& first = s.Flows()[0].Gates[0].Pins;
        EXPECT_EQ(first[0].Name, "a");
        EXPECT_EQ(first[1].Name, "b");
        EXPECT_EQ(first[0].Inverted, c.inverter);
        EXPECT_EQ(first[1].Inverted, !c.inverter);
        EXPECT_EQ(s.Flows().back().Gates[0].Pins.back().Name, "F");
    }
}

// The circuit as a Boolean function: each input pin reads its variable (complemented when
// Inverted), each net carries an output to an input, and the gates compute in flow order.
bool Simulate(const TScheme& s, const std::map<std::string, bool>& vars) {
    std::map<std::pair<int, int>, bool> wire;  // value at an input pin's end
    bool last = false;
    for (const TFlow& flow : s.Flows()) {
        for (const TGate& g : flow.Gates) {
            std::vector<bool> in;
            for (const TPin& p : g.Pins) {
                if (p.Kind != pkInput) continue;
                const auto w = wire.find({p.X, p.Y});
                in.push_back(w != wire.end() ? w->second : (vars.at(p.Name) != p.Inverted));
            }
            bool all = true, any = false;
            for (bool v : in) all = all && v, any = any || v;
            bool value = false;
            switch (g.Kind) {
                case gkAND:
                    value = all;
                    break;
                case gkNAND:
                    value = !all;
                    break;
                case gkOR:
                    value = any;
                    break;
                case gkNOR:
                    value = !any;
                    break;
                case gkNOT:
                    value = !in.at(0);
                    break;
            }
            for (const TNet& n : s.Nets())
                if (n.X1 == g.Pins.back().X && n.Y1 == g.Pins.back().Y) wire[{n.X2, n.Y2}] = value;
            last = value;
        }
    }
    return last;
}

bool Evaluate(const std::vector<std::vector<std::pair<std::string, bool>>>& terms,
              TFormulaType type, const std::map<std::string, bool>& vars) {
    bool result = type == ftCNF;
    for (const auto& term : terms) {
        bool t = type == ftDNF;
        for (const auto& [name, negated] : term) {
            const bool v = vars.at(name) != negated;
            t = type == ftDNF ? (t && v) : (t || v);
        }
        result = type == ftDNF ? (result || t) : (result && t);
    }
    return result;
}

TEST(Scheme, EveryFormComputesItsFormula) {
    std::mt19937 random(6);
    const std::vector<std::string> names = {"A", "B", "C", "D"};
    for (int round = 0; round < 60; ++round) {
        const TFormulaType type = round % 2 ? ftCNF : ftDNF;
        std::vector<std::vector<std::pair<std::string, bool>>> terms(1 + random() % 4);
        std::string text;
        for (auto& term : terms) {
            if (!text.empty()) text += type == ftDNF ? "+" : "*";
            std::string termText;
            for (const std::string& n : names) {
                if (random() % 2 && !(term.empty() && &n == &names.back())) continue;
                const bool negated = random() % 2;
                term.push_back({n, negated});
                if (!termText.empty()) termText += type == ftDNF ? "*" : "+";
                termText += (negated ? "|" : "") + n;
            }
            text += termText;
        }
        for (TSchemeType form : {stNAND, stAND_OR, stNOR}) {
            const TScheme s = Built(text, type, form, round % 3 ? gsUS : gsEU);
            for (int m = 0; m < 16; ++m) {
                std::map<std::string, bool> vars;
                for (int k = 0; k < 4; ++k) vars[names[k]] = (m >> k) & 1;
                ASSERT_EQ(Simulate(s, vars), Evaluate(terms, type, vars))
                    << text << " form " << int(form);
            }
        }
    }
}

TEST(Scheme, FormulaReadingAndNames) {
    TScheme s = Built("a**b+|+ABCDEFGHIJKL", ftDNF, stAND_OR);
    const auto& gates = s.Flows()[0].Gates;
    ASSERT_EQ(gates.size(), 3u);
    EXPECT_EQ(gates[0].Pins.size(), 3u);   // a, b and the output: runs of signs give no literal
    EXPECT_EQ(gates[1].Pins[0].Name, "");  // "|" alone: no name, complemented
    EXPECT_TRUE(gates[1].Pins[0].Inverted);
    EXPECT_EQ(gates[2].Pins[0].Name, "ABCDEFGHIJKL") << "names are drawn whole";
    EXPECT_EQ(gates[2].Name, "Gate2");
    // The long name gets its room before the first column; the columns keep their distance.
    EXPECT_GE(s.Flows()[0].X - 8, 12 * ScreenLabelPixels(9));
    EXPECT_EQ(s.Flows()[1].X - s.Flows()[0].Right, 5 * 9 + s.NetSpace());
    // Names alike in their first ten characters stay apart, however long, as long as the
    // picture can hold them; a name wider than the largest picture refuses the circuit.
    const TScheme apart = Built("LongVariable1*LongVariable2", ftDNF, stAND_OR);
    EXPECT_EQ(apart.Flows()[0].Gates[0].Pins[0].Name, "LongVariable1");
    EXPECT_EQ(apart.Flows()[0].Gates[0].Pins[1].Name, "LongVariable2");
    const std::string wide(2000, 'W');
    EXPECT_FALSE(Built(wide, ftDNF, stAND_OR, gsEU).TooLarge());
    const TScheme tooWide = Built(std::string(4000, 'W'), ftDNF, stAND_OR, gsEU);
    EXPECT_TRUE(tooWide.TooLarge());
    EXPECT_TRUE(tooWide.Flows().empty());
    // A single term still gets its output gate.
    TScheme one = Built("a", ftDNF, stNAND);
    EXPECT_EQ(one.Flows()[1].Gates[0].Pins.size(), 2u);
    EXPECT_EQ(one.Nets().size(), 1u);
}

TEST(Scheme, OutputRowsBySystem) {
    for (TGateSystem system : {gsUS, gsEU}) {
        const TScheme s = Built("a*b*c+d", ftDNF, stAND_OR, system);
        for (const TFlow& f : s.Flows())
            for (const TGate& g : f.Gates) {
                const scheme::GateBox b = scheme::Box(g, 9);
                EXPECT_EQ(g.Pins.back().Y, system == gsUS ? b.mid : g.Pins.front().Y);
            }
    }
}

TEST(Scheme, NothingIsBuiltForAnEmptyFormula) {
    TScheme s = Built("", ftDNF, stNAND);
    EXPECT_TRUE(s.Flows().empty());
    EXPECT_EQ(s.SchemeWidth(), 0);
    EXPECT_EQ(s.SchemeHeight(), 0);
    EXPECT_TRUE(s.Bitmap.isNull());
    s.DrawToBitmap();  // nothing to draw on, and no failure
}

TEST(Scheme, TooLargeCircuitsAreRefusedBeforeAnythingIsBuilt) {
    std::string formula = "a";
    for (int i = 0; i < 400; ++i) formula += "+a*b*c";
    std::string terms, literals;  // as long as the dialog and the command line accept
    for (int i = 0; i < 100000; ++i) terms += i ? "+A" : "A", literals += i ? "*A" : "A";
    for (const std::string& f : {formula, terms, literals}) {
        TScheme s = Built(f, ftDNF, stNAND, gsUS, 15);
        EXPECT_TRUE(s.TooLarge());
        EXPECT_TRUE(s.Flows().empty());
        EXPECT_EQ(s.SchemeHeight(), 0);
        EXPECT_TRUE(s.Bitmap.isNull());
    }
    // The refusal agrees with the height a built circuit has: at step 9 each one-letter term
    // takes 90 pixels below a margin of 36, so 363 terms fit and 364 do not.
    std::string fits = "A";
    for (int i = 1; i < 363; ++i) fits += "++A";  // empty pieces make no terms
    const TScheme built = Built(fits, ftDNF, stAND_OR);
    EXPECT_FALSE(built.TooLarge());
    EXPECT_EQ(built.Height(), 363 * 90 + 36);
    EXPECT_EQ(built.Nets().size(), 363u);
    const TScheme refused = Built(fits + "+A", ftDNF, stAND_OR);
    EXPECT_TRUE(refused.TooLarge());
    EXPECT_TRUE(refused.Flows().empty());
}

TEST(SchemeFormula, ChecksTermsAndLiterals) {
    EXPECT_FALSE(CheckSchemeFormula("", ftDNF));
    EXPECT_FALSE(CheckSchemeFormula("A*|B+C", ftDNF));
    EXPECT_FALSE(CheckSchemeFormula("a**b++c", ftDNF));
    EXPECT_FALSE(CheckSchemeFormula("A+|B*C", ftCNF));
    const struct {
        const char* text;
        TFormulaType type;
        int position;
    } bad[] = {
        {"a+*+b", ftDNF, 3}, {"a*|+b", ftDNF, 3}, {"a+ +b", ftDNF, 3}, {"+", ftDNF, 0},
        {"a\nb", ftDNF, 2},  {"a*+*b", ftCNF, 3}, {"*", ftCNF, 0},
    };
    for (const auto& b : bad) {
        const auto error = CheckSchemeFormula(b.text, b.type);
        ASSERT_TRUE(error) << b.text;
        EXPECT_EQ(error->position, b.position) << b.text;
        EXPECT_FALSE(error->message.empty());
    }
}

}  // namespace
