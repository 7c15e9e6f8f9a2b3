#pragma once

#include <string>

namespace cli {

// A JSON string literal, quotes included.
inline std::string JsonString(const std::string& s) {
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char ch : s) {
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (ch < 0x20) {
                    out += "\\u00";
                    out += hex[ch >> 4];
                    out += hex[ch & 15];
                } else {
                    out += static_cast<char>(ch);
                }
        }
    }
    return out + "\"";
}

}  // namespace cli
