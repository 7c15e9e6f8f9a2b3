#pragma once
// TScheme: a two-level formula as a gate circuit. One column (flow) of first-level gates, one
// per term, an output gate fed by all of them and, for some forms, a final inverter; each
// first-level output wired to the next column on its own vertical track. Building and
// placement are plain computation; SchemePainter draws the result.

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "circuit/CircuitOptions.h"
#include "circuit/GateTypes.h"

struct TPin {
    TPinKind Kind = pkInput;
    std::string Name;       // drawn as the pin's label
    int X = 0, Y = 0;       // outer end of the pin's line
    bool Inverted = false;  // the complement of the named signal: drawn with an overbar
};

struct TGate {
    TGateKind Kind = gkAND;
    std::string Name;
    std::vector<TPin> Pins;
    int X = 0, Y = 0;  // top-left corner
    int PinStep = 0;
};

struct TFlow {
    int Right = 0;   // X + 12 steps once a pin is added
    int Height = 0;  // accumulated height of the gates and gaps
    int X = 0, Y = 0;
    int Gap = 0;  // vertical gap between gates
    std::vector<TGate> Gates;
};

struct TNet {
    std::string Name;
    int X1 = 0, Y1 = 0;  // the output pin
    int X2 = 0, Y2 = 0;  // the input pin
};

// The pin label font of rectangular symbols, in pixels.
inline constexpr int kPictureLabelPixels = 11;
// The label font for distinctive shapes, on screen and in the picture alike: the grid step in
// points at 96 dots per inch.
inline int ScreenLabelPixels(int gridStep) {
    return (gridStep * 96 + 36) / 72;
}

// Largest picture side: the raster painter drops coordinates beyond it.
inline constexpr int kMaxSchemeSide = 32767;

// What is wrong with a formula text for drawing, with the 1-based position of the offending
// piece in the text (0 when the text as a whole is at fault).
struct SchemeFormulaError {
    std::string message;  // English; the caller translates it
    int position = 0;
};

// Longer formulas are refused unread: their circuit would be far beyond the largest picture.
inline constexpr std::size_t kMaxSchemeFormulaLength = 1u << 20;

// Checks that every term has literals and every literal names something printable. The
// empty text is no error (it draws nothing).
std::optional<SchemeFormulaError> CheckSchemeFormula(const std::string& formula, TFormulaType type);

class TScheme {
  public:
    std::uint32_t PaperColor = 0xFFFFFF;  // 0x00BBGGRR
    bool ShowGrid = false;
    int GridStep = 10;
    int TopMarg = 5;   // in grid steps
    int LeftMarg = 5;  // in grid steps; also the extra room between flows
    TGateSystem GateSystem = gsEU;
    TSchemeType SchemeType = stNAND;
    TFormulaType FormulaType = ftDNF;
    std::string Formula;

    // Every drawing option at once (form, circuit type, symbols, step, margins, paper).
    void SetOptions(const CircuitOptions& options);

    // The off-screen picture DrawToBitmap fills; SchemeWidth and SchemeHeight size it.
    QImage Bitmap;

    // Builds flows, gates and pins from the properties, places the gates and wires the nets.
    // Builds nothing for an empty formula, nor for one whose first column alone would pass the
    // largest picture (TooLarge then says so). Build once: a changed property needs a new scheme.
    void BuildScheme();

    // The picture's size (0 when nothing is built).
    int Width() const;
    int Height() const;
    bool TooLarge() const {
        return tooLarge_ || Width() > kMaxSchemeSide || Height() > kMaxSchemeSide;
    }
    // The same, each also resizing Bitmap (new area in the paper colour; no picture at all
    // when TooLarge).
    int SchemeWidth();
    int SchemeHeight();

    // Draws gates and nets on Bitmap, cleared to the paper colour first: antialiased edges
    // drawn twice would darken (no grid). Defined with the painter (SchemePainter.cpp).
    void DrawToBitmap();

    const std::vector<TFlow>& Flows() const { return flows_; }
    const std::vector<TNet>& Nets() const { return nets_; }
    int NetSpace() const { return netSpace_; }

    // Building steps, each acting on the end of the arrays.
    void AddFlow(int x, int y, int gap);
    void AddGate(TGateKind kind, const std::string& name, int pinStep);
    void AddPin(TPinKind kind, const std::string& name, bool inverted);
    void AddNet(const std::string& name, int x1, int y1, int x2, int y2);

  private:
    void ConnectFlows(std::size_t from, std::size_t to);
    void ResizeBitmap(int width, int height);

    std::vector<TFlow> flows_;
    std::vector<TNet> nets_;
    int netSpace_ = 0;
    bool tooLarge_ = false;  // refused before building: nothing was built
    int bitmapWidth_ = 0, bitmapHeight_ = 0;
};
