#pragma once
// The platform colour value (0x00BBGGRR) at the Qt boundary.

#include <QColor>
#include <cstdint>

namespace platform {

QColor ToQColor(std::uint32_t bgr);
std::uint32_t FromQColor(const QColor& c);

}  // namespace platform
