#include "engine/JsonText.h"

#include "engine/VariableName.h"

std::string JsonString(const std::string& s) {
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
