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

std::vector<std::string_view> SplitLines(std::string_view text, LoneCr loneCr) {
    const char* ends = loneCr == LoneCr::EndsLine ? "\r\n" : "\n";
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(ends);
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

bool HasCrLfLineEnds(std::string_view text) {
    for (std::size_t at = text.find('\r'); at != std::string_view::npos;
         at = text.find('\r', at + 1))
        if (at + 1 == text.size() || text[at + 1] == '\n') return true;
    return false;
}

}  // namespace platform
