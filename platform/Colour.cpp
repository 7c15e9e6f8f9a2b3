#include "platform/Colour.h"

#include <cstdio>

namespace platform {

namespace {
unsigned Red(std::uint32_t bgr) {
    return bgr & 0xFF;
}
unsigned Green(std::uint32_t bgr) {
    return (bgr >> 8) & 0xFF;
}
unsigned Blue(std::uint32_t bgr) {
    return (bgr >> 16) & 0xFF;
}
}  // namespace

std::uint32_t FromRgb(std::uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::string HtmlColour(std::uint32_t bgr) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", Red(bgr), Green(bgr), Blue(bgr));
    return buf;
}

std::uint32_t ContrastingText(std::uint32_t bgr) {
    const double light = 0.299 * Red(bgr) + 0.587 * Green(bgr) + 0.114 * Blue(bgr);
    return light >= 140 ? 0x000000 : 0xFFFFFF;
}

}  // namespace platform
