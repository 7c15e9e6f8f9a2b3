#pragma once
// Colours are kept as the platform colour value the files and settings use, 0x00BBGGRR (red
// in the low byte). These are the only conversions to and from other spellings (Qt's beside
// it, in QtColour.h).

#include <cstdint>
#include <string>

namespace platform {

// From the 0xRRGGBB of "#RRGGBB" texts.
std::uint32_t FromRgb(std::uint32_t rgb);
// "#RRGGBB", as HTML writes a colour.
std::string HtmlColour(std::uint32_t bgr);
// Black or white, whichever reads on a background of this colour (perceived lightness with
// the ITU-R BT.601 weights): the map's values over the term highlight, on screen and in HTML.
std::uint32_t ContrastingText(std::uint32_t bgr);
// The contrast ratio of two colours as WCAG 2 defines it, 1 to 21.
double ContrastRatio(std::uint32_t bgr1, std::uint32_t bgr2);
// colour itself where it stands out from background by ratio at least, else the nearest step
// towards white (on a dark background) or black (on a light one) that does.
std::uint32_t WithContrast(std::uint32_t bgr, std::uint32_t background, double ratio = 3.0);

}  // namespace platform
