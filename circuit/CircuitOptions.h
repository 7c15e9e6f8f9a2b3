#pragma once
// How a formula is drawn as a circuit: the one value the circuit dialog fills, the view
// rescales, and the command line and the advanced tool set.

#include <array>
#include <cstdint>

#include "circuit/GateTypes.h"

struct CircuitOptions {
    // The grid step of each scale, Small to Huge.
    static constexpr std::array<int, 4> kScaleSteps = {7, 9, 11, 15};
    static constexpr std::array<const char*, 4> kScaleNames = {"Small", "Medium", "Large", "Huge"};
    static constexpr int kMediumScale = 1;

    TFormulaType FormulaType = ftDNF;
    TSchemeType SchemeType = stNAND;
    TGateSystem GateSystem = gsUS;
    int ScaleIndex = kMediumScale;
    std::uint32_t PaperColor = 0xFFFFFF;  // 0x00BBGGRR
    int TopMarg = 4;                      // in grid steps
    int LeftMarg = 5;

    int GridStep() const { return kScaleSteps[static_cast<std::size_t>(ScaleIndex)]; }
    bool CanScaleUp() const { return ScaleIndex < int(kScaleSteps.size()) - 1; }
    bool CanScaleDown() const { return ScaleIndex > 0; }
};
