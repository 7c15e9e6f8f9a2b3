#pragma once

#include <ostream>
#include <string>

#include "engine/VariableName.h"

namespace cli {

// A JSON string literal, quotes included. Bytes that are not UTF-8 become U+FFFD, so the
// output is valid JSON whatever the text held.
inline std::string JsonString(const std::string& s) {
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t length = varname::Utf8SequenceLength(s, i);
        if (length != 1) {
            if (length == 0)
                out += "\xEF\xBF\xBD";
            else
                out.append(s, i, length);
            i += length ? length - 1 : 0;
            continue;
        }
        const unsigned char ch = static_cast<unsigned char>(s[i]);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
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

// A JSON array of `list`, each element written by `item`.
template <class List, class Item>
void JsonList(std::ostream& out, const List& list, Item&& item) {
    out << '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) out << ',';
        item(list[i]);
    }
    out << ']';
}

inline const char* JsonBool(bool b) {
    return b ? "true" : "false";
}

}  // namespace cli
