#include "platform/Text.h"

namespace platform {

std::string Trim(std::string_view s, std::string_view blanks) {
    const std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(blanks) - b + 1));
}

}  // namespace platform
