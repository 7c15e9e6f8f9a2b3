#include "platform/PathText.h"

namespace platform {

namespace {

constexpr char16_t kStrayByte = 0xDC00;  // + the byte (0x80..0xFF)

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t SequenceAt(const std::string& s, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > s.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

QString PathText(const std::string& bytes) {
    QString text;
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t code = 0;
        const std::size_t length = SequenceAt(bytes, at, code);
        if (length == 0) {
            text +=
                QChar(static_cast<char16_t>(kStrayByte + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        text += QString::fromUcs4(&code, 1);
        at += length;
    }
    return text;
}

std::string PathBytes(const QString& text) {
    std::string bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                          QChar::isLowSurrogate(text[i + 1].unicode());
        if (!pair && unit >= kStrayByte + 0x80 && unit <= kStrayByte + 0xFF) {
            bytes += static_cast<char>(unit - kStrayByte);
            continue;
        }
        const QString one = text.mid(i, pair ? 2 : 1);
        bytes += one.toUtf8().toStdString();
        if (pair) ++i;
    }
    return bytes;
}

}  // namespace platform
