// Drawing a formula as a circuit, as the circuit command and dialog do it (check, build, size,
// draw), for inputs of up to the accepted 1 MB: each must finish well under a second.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>

#include "circuit/Scheme.h"

namespace {

constexpr std::size_t kAccepted = kMaxSchemeFormulaLength;

// piece repeated (joined by join) until the text holds about `size` characters.
std::string Repeat(const std::string& piece, const std::string& join, std::size_t size) {
    std::string out = piece;
    while (out.size() + join.size() + piece.size() <= size) out += join + piece;
    return out;
}

std::string Input(int kind) {
    switch (kind) {
        case 0:
            return Repeat("A", "+", kAccepted);  // half a million terms
        case 1:
            return Repeat("A", "*", kAccepted);  // one term of half a million literals
        case 2:
            return Repeat("|LONGNAME10", "*", kAccepted / 2) + "+" +
                   Repeat("B", "+", kAccepted / 2);
        case 3:
            return "A" + std::string(kAccepted - 1, ' ');  // one literal of blanks
        case 4:
            return Repeat("ABCDEFGHIJ", "", kAccepted);  // one name, cut to ten characters
        default: {                                       // the tallest circuit that fits, padded
            std::string fits = Repeat("ABCDEFGHIJ", "+", 358 * 11);  // 358 terms at step 9
            return fits + std::string(kAccepted - fits.size(), '+');
        }
    }
}

void DrawFormula(benchmark::State& state) {
    const std::string formula = Input(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const bool valid = !CheckSchemeFormula(formula, ftDNF);
        TScheme scheme;
        scheme.GridStep = 9;
        scheme.Formula = formula;
        scheme.BuildScheme();
        if (valid && !scheme.TooLarge()) {
            scheme.SchemeWidth();
            scheme.SchemeHeight();
            scheme.DrawToBitmap();
        }
        state.counters["drawn"] = valid && !scheme.TooLarge();
        benchmark::DoNotOptimize(scheme.Bitmap);
    }
    state.SetLabel(std::to_string(formula.size()) + " bytes");
}
BENCHMARK(DrawFormula)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace

// Labels are drawn with the application's fonts.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
