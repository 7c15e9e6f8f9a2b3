#include "platform/LineEnds.h"

namespace platform {

std::string WithCrLfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        out.append(text, i, end == std::string::npos ? std::string::npos : end - i);
        out += "\r\n";
        if (end == std::string::npos) break;
        i = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return out;
}

}  // namespace platform
