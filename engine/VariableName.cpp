#include "engine/VariableName.h"

#include "platform/Translate.h"

namespace varname {

std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    std::size_t length = 0;
    unsigned min = 0, value = 0;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF)
        length = 2, min = 0x80, value = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF)
        length = 3, min = 0x800, value = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4)
        length = 4, min = 0x10000, value = b & 0x07;
    else
        return 0;
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    return length;
}

namespace {

// The name as it can be shown: what is not printable becomes "?".
std::string Shown(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = Utf8SequenceLength(name, i);
        const unsigned char b = static_cast<unsigned char>(name[i]);
        if (n == 0 || (n == 1 && (b < 0x20 || b == 0x7F))) {
            out += '?';
            i += n ? n : 1;
        } else {
            out.append(name, i, n);
            i += n;
        }
    }
    return out;
}

}  // namespace

bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string Problem(const std::string& name) {
    std::string why;
    if (name.empty())
        why = platform::TranslateText("A name cannot be empty.");
    else if (!IsUtf8(name))
        why = platform::TranslateText("A name must be UTF-8 text.");
    else if (name.find_first_of("+*|") != std::string::npos)
        why = platform::TranslateText(
            "A name cannot hold \"+\", \"*\" or \"|\": a formula reads them as operators.");
    else
        for (const unsigned char c : name)
            if (c <= 0x20 || c == 0x7F)
                why = platform::TranslateText("A name cannot hold blanks or control characters.");
    if (why.empty()) return {};
    return platform::TranslateText("Invalid variable name:") + " \"" + Shown(name) + "\"\n" + why;
}

}  // namespace varname
