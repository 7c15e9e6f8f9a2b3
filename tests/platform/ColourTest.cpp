// Contrast as WCAG 2 measures it, and colours moved just far enough to reach it.

#include <gtest/gtest.h>

#include "explain/Loops.h"
#include "platform/Colour.h"

namespace {

using platform::ContrastRatio;
using platform::WithContrast;

TEST(Contrast, RatiosOfKnownPairs) {
    EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(0xFFFFFF, 0x000000), 21.0, 0.01) << "either order";
    EXPECT_NEAR(ContrastRatio(0x777777, 0x777777), 1.0, 1e-9);
    // #767676 on white is the well-known 4.54:1 grey.
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
}

TEST(Contrast, EveryLoopColourStandsOutOnALightAndADarkMap) {
    const std::uint32_t darkBase = 0x201E1E, lightBase = 0xFFFFFF;  // 0x00BBGGRR
    for (int k = 0; k < 8; ++k) {
        const std::uint32_t colour = explain::LoopColour(k);
        for (std::uint32_t base : {darkBase, lightBase}) {
            const std::uint32_t shown = WithContrast(colour, base);
            EXPECT_GE(ContrastRatio(shown, base), 3.0) << k << " on " << base;
            if (ContrastRatio(colour, base) >= 3.0)
                EXPECT_EQ(shown, colour) << k << ": a colour that reads stays as it is";
        }
    }
}

}  // namespace
