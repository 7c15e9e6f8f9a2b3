#pragma once
// Texts read line by line as the platform's string lists read them: a line ends at CR LF, CR
// or LF alike, and every line written back ends with CR LF.

#include <string>

namespace platform {

// text with each line ended by CR LF, the last one too (an empty text stays empty).
std::string WithCrLfLineEnds(const std::string& text);

}  // namespace platform
