#pragma once
// Reading back what the circuit commands write: bitmap header fields and the printed PDF.

#include <cstdint>
#include <iterator>
#include <regex>
#include <string>

namespace picture_checks {

// A little-endian 32-bit field of a file's bytes.
inline std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

inline long PdfPageCount(const std::string& pdf) {
    static const std::regex page("/Type\\s*/Page[^s]");
    return std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page),
                         std::sregex_iterator());
}

// The page holds a picture of exactly this size.
inline bool PdfHasPicture(const std::string& pdf, int width, int height) {
    return pdf.find("/Subtype /Image") != std::string::npos &&
           pdf.find("/Width " + std::to_string(width)) != std::string::npos &&
           pdf.find("/Height " + std::to_string(height)) != std::string::npos;
}

}  // namespace picture_checks
