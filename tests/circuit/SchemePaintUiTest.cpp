// The drawn circuit, read back pixel by pixel: every gate kind in both symbol systems at every
// scale keeps its body clear of wires, draws its pins, labels and bars, and nothing reaches
// the picture's edge. Fonts need the GUI application, hence a widget suite.

#include <gtest/gtest.h>

#include <QApplication>

#include "circuit/Scheme.h"
#include "circuit/SchemeControl.h"
#include "circuit/SchemeGeometry.h"

namespace {

constexpr int kSteps[] = {7, 9, 11, 15};

struct Form {
    const char* formula;
    TFormulaType type;
    TSchemeType scheme;
};
// Together every gate kind: NAND, NOT, AND, OR, NOR.
constexpr Form kForms[] = {
    {"A*|B*C+|D+B*|C", ftDNF, stNAND},   {"A+|B*|C+D*B", ftCNF, stNAND},
    {"A*|B*C+|D+B*|C", ftDNF, stAND_OR}, {"A+|B*|C+D*B", ftCNF, stAND_OR},
    {"A*|B*C+|D+B*|C", ftDNF, stNOR},
};

TScheme Drawn(const Form& f, TGateSystem system, int step) {
    TScheme s;
    s.GridStep = step;
    s.TopMarg = 4;
    s.LeftMarg = 5;
    s.GateSystem = system;
    s.SchemeType = f.scheme;
    s.FormulaType = f.type;
    s.Formula = f.formula;
    s.PaperColor = 0xF0FBFF;  // cream: the paper is not simply white
    s.BuildScheme();
    s.SchemeWidth();
    s.SchemeHeight();
    s.DrawToBitmap();
    return s;
}

class Picture {
  public:
    explicit Picture(const QImage& image) : image_(image), paper_(image.pixel(0, 0)) {}
    bool Ink(int x, int y) const { return image_.pixel(x, y) != paper_; }
    bool Dark(int x, int y) const { return qGray(image_.pixel(x, y)) < 128; }
    // No ink in the rectangle [x1, x2] x [y1, y2].
    bool Clear(int x1, int y1, int x2, int y2) const {
        for (int x = x1; x <= x2; ++x)
            for (int y = y1; y <= y2; ++y)
                if (Ink(x, y)) return false;
        return true;
    }
    bool AnyInk(int x1, int y1, int x2, int y2) const { return !Clear(x1, y1, x2, y2); }

  private:
    QImage image_;
    QRgb paper_;
};

TEST(SchemePaint, EveryGateKindInBothSystemsAtEveryScale) {
    for (const Form& f : kForms)
        for (TGateSystem system : {gsUS, gsEU})
            for (int s : kSteps) {
                SCOPED_TRACE(testing::Message() << f.formula << " form " << int(f.scheme)
                                                << " system " << int(system) << " step " << s);
                const TScheme scheme = Drawn(f, system, s);
                const QImage& image = scheme.Bitmap;
                ASSERT_FALSE(image.isNull());
                const Picture pic(image);
                const int w = image.width(), h = image.height();
                EXPECT_TRUE(pic.Clear(0, 0, w - 1, 1) && pic.Clear(0, h - 2, w - 1, h - 1) &&
                            pic.Clear(0, 0, 1, h - 1) && pic.Clear(w - 2, 0, w - 1, h - 1))
                    << "something reaches the edge";

                for (const TFlow& flow : scheme.Flows())
                    for (const TGate& g : flow.Gates) {
                        const scheme::GateBox b = scheme::Box(g, s);
                        // The body's inside: no wire, no label.
                        if (system == gsEU)
                            EXPECT_TRUE(pic.Clear(b.x + 3, b.y + s + 16 + 4, b.x + 5 * s - 3,
                                                  b.y + b.H - 3));
                        else if (g.Kind == gkNOT)
                            EXPECT_TRUE(pic.Clear(b.x + 3, b.mid - s, b.x + 2 * s, b.mid + s));
                        else if (scheme::IsOrShape(g.Kind))  // the shield narrows to its point
                            EXPECT_TRUE(pic.Clear(b.x + 5 * s / 2 + 3, b.y + b.H / 4,
                                                  b.x + 5 * s - 3, b.y + 3 * b.H / 4));
                        else
                            EXPECT_TRUE(pic.Clear(b.x + 5 * s / 2 + 3, b.y + 3, b.x + 5 * s - 3,
                                                  b.y + b.H - 3));
                        int k = 0;
                        for (const TPin& p : g.Pins) {
                            if (p.Kind == pkInput) {
                                const int row = scheme::InputRow(b, ++k);
                                EXPECT_TRUE(pic.Dark(b.x - 3 * s / 2, row)) << "input line";
                                EXPECT_TRUE(pic.Dark(b.x - 1, row) || scheme::IsOrShape(g.Kind));
                                const bool label = !p.Name.empty() && p.Name != " ";
                                EXPECT_EQ(pic.AnyInk(b.x - 3 * s, row - b.p + 3, b.x - 2, row - 3),
                                          label)
                                    << "[" << p.Name << "] " << k << " at " << b.x << "," << b.y;
                            } else {
                                const int from = scheme::OutputStartX(b, g.Kind, system);
                                EXPECT_TRUE(pic.Dark((from + p.X) / 2, p.Y)) << "output line";
                            }
                        }
                    }
                int c = 0;
                for (const TNet& n : scheme.Nets()) {
                    const int track = scheme::NetTrackX(n, c++, s);
                    if (n.Y1 != n.Y2) {
                        EXPECT_TRUE(pic.Dark(track, (n.Y1 + n.Y2) / 2)) << "net track";
                    }
                    EXPECT_TRUE(pic.Dark((track + n.X2) / 2, n.Y2)) << "net into its input";
                }
            }
}

// The OR gates' own shapes: the IEC "≥1" (wider than "&"; a lone "1" is narrower) and the US
// shield, whose two front arcs meet in a point where the AND's round front is still wide.
TEST(SchemePaint, OrGatesHaveTheirOwnSymbols) {
    auto gateOf = [](const TScheme& scheme, TGateKind kind) {
        for (const TFlow& flow : scheme.Flows())
            for (const TGate& g : flow.Gates)
                if (g.Kind == kind) return g;
        ADD_FAILURE() << "no gate of kind " << kind;
        return TGate{};
    };
    for (int s : kSteps) {
        SCOPED_TRACE(testing::Message() << "step " << s);
        const Form f{"A*|B*C+|D+B*|C", ftDNF, stAND_OR};
        const TScheme eu = Drawn(f, gsEU, s);
        const Picture euPic(eu.Bitmap);
        auto symbolWidth = [&](const TGate& g) {
            const scheme::GateBox b = scheme::Box(g, s);
            int left = -1, right = -1;
            for (int x = b.x + 3; x < b.x + 5 * s - 2; ++x)
                if (euPic.AnyInk(x, b.y + s, x, b.y + s + 18)) {
                    if (left < 0) left = x;
                    right = x;
                }
            return left < 0 ? 0 : right - left + 1;
        };
        EXPECT_GT(symbolWidth(gateOf(eu, gkOR)), symbolWidth(gateOf(eu, gkAND)) + 3);

        const TScheme us = Drawn(f, gsUS, s);
        const Picture usPic(us.Bitmap);
        // Ink in the column just behind the front's tip, away from the output line.
        auto reach = [&](const TGate& g) {
            const scheme::GateBox b = scheme::Box(g, s);
            int most = 0;
            for (int y = b.y; y <= b.y + b.H; ++y)
                if (std::abs(y - b.mid) > 2 && usPic.Ink(b.x + 7 * s, y))
                    most = std::max(most, std::abs(y - b.mid));
            return std::pair{most, b.H};
        };
        const auto [orReach, orHeight] = reach(gateOf(us, gkOR));
        const auto [andReach, andHeight] = reach(gateOf(us, gkAND));
        EXPECT_GT(orReach, 0);
        EXPECT_LT(orReach, orHeight / 5);
        EXPECT_GT(andReach, andHeight / 4);
    }
}

TEST(SchemePaint, OverbarsOnlyOverComplementedInputs) {
    const TScheme scheme = Drawn({"A*|B", ftDNF, stAND_OR}, gsUS, 9);
    const Picture pic(scheme.Bitmap);
    const TGate& g = scheme.Flows()[0].Gates[0];
    // The bar is the only ink in the band between the label's top and the line above.
    auto barAbove = [&](const TPin& p) { return pic.AnyInk(p.X, p.Y - 24, p.X + 2, p.Y - 16); };
    EXPECT_FALSE(barAbove(g.Pins[0]));
    EXPECT_TRUE(barAbove(g.Pins[1]));
}

TEST(SchemePaint, LongNamesStayOutOfTheBody) {
    for (TGateSystem system : {gsUS, gsEU})
        for (int s : kSteps) {
            SCOPED_TRACE(testing::Message() << "system " << int(system) << " step " << s);
            const TScheme scheme = Drawn({"LongName12*|WWWWWWWWWW+a", ftDNF, stAND_OR}, system, s);
            const Picture pic(scheme.Bitmap);
            const TGate& g = scheme.Flows()[0].Gates[0];
            const scheme::GateBox b = scheme::Box(g, s);
            // Right of the body's left edge and left of the symbol text: only the pin lines' ends.
            EXPECT_TRUE(pic.Clear(b.x + 2, b.y + 2, b.x + s - 1, b.y + b.p - 2));
            EXPECT_TRUE(pic.Clear(b.x + 2, b.y + b.p + 2, b.x + s - 1, b.y + 2 * b.p - 2));
            EXPECT_TRUE(pic.Clear(0, 0, 1, scheme.Bitmap.height() - 1));
            // Each label still shows.
            EXPECT_TRUE(pic.AnyInk(2, b.y + 2, b.x - 4, b.y + b.p - 3));
            EXPECT_TRUE(pic.AnyInk(2, b.y + b.p + 2, b.x - 4, b.y + 2 * b.p - 3));
        }
}

TEST(SchemePaint, TheControlShowsTheSamePictureOnItsPaper) {
    TSchemeControl control;
    control.SetGridStep(9);
    control.SetPaperColor(0x00FFFF);  // yellow
    control.SetGateSystem(gsEU);
    control.Scheme.FormulaType = ftDNF;
    control.Scheme.Formula = "a*|b+c";
    control.Scheme.TopMarg = 4;
    control.Scheme.LeftMarg = 5;
    ASSERT_TRUE(control.Build());
    EXPECT_EQ(control.size(), QSize(324, 243));
    QImage shown = control.grab().toImage();
    EXPECT_EQ(shown.pixelColor(100, 5), QColor(255, 255, 0));
    control.Scheme.DrawToBitmap();
    EXPECT_EQ(control.Scheme.Bitmap.convertToFormat(QImage::Format_RGB32),
              shown.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(shown.pixel(1, 10), qRgb(0, 0, 0));
    control.SetShowGrid(true);
    shown = control.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(1, 11), qRgb(255, 255, 0));
}

// What is saved or printed is what the view shows, labels included, in both symbol systems
// at every scale.
TEST(SchemePaint, ThePictureIsTheViewAtEveryScale) {
    for (const TGateSystem system : {gsUS, gsEU})
        for (const int step : kSteps) {
            TSchemeControl control;
            control.SetGridStep(step);
            control.SetGateSystem(system);
            control.Scheme.FormulaType = ftDNF;
            control.Scheme.Formula = "Alpha*|B+C";
            ASSERT_TRUE(control.Build());
            const QImage shown = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
            control.Scheme.DrawToBitmap();
            EXPECT_EQ(control.Scheme.Bitmap.convertToFormat(QImage::Format_RGB32), shown)
                << "system " << system << " step " << step;
        }
}

}  // namespace
