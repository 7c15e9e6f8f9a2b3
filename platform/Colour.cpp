#include "platform/Colour.h"

#include <algorithm>
#include <cmath>
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

namespace {

double Linear(unsigned channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t bgr) {
    return 0.2126 * Linear(Red(bgr)) + 0.7152 * Linear(Green(bgr)) + 0.0722 * Linear(Blue(bgr));
}

}  // namespace

double ContrastRatio(std::uint32_t bgr1, std::uint32_t bgr2) {
    const double a = Luminance(bgr1), b = Luminance(bgr2);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::uint32_t WithContrast(std::uint32_t bgr, std::uint32_t background, double ratio) {
    const bool towardsWhite = Luminance(background) < 0.18;
    std::uint32_t c = bgr;
    for (int step = 1; step <= 20 && ContrastRatio(c, background) < ratio; ++step) {
        const auto mix = [&](unsigned channel) {
            const unsigned target = towardsWhite ? 255 : 0;
            return static_cast<std::uint32_t>(
                std::lround(channel + (static_cast<double>(target) - channel) * step / 20.0));
        };
        c = mix(Red(bgr)) | (mix(Green(bgr)) << 8) | (mix(Blue(bgr)) << 16);
    }
    return c;
}

}  // namespace platform
