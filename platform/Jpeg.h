#pragma once
// JPEG pictures through libjpeg itself, with the codec's default settings (no quality change).

#include <QImage>
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The picture as JPEG bytes; nullopt (with the codec's message in *error) when it cannot be
// coded, such as an empty picture or one larger than the format allows.
std::optional<std::string> EncodeJpeg(const QImage& picture, std::string* error);

// Decodes JPEG bytes into an RGB picture; a null image (with *error) for anything that is not
// a whole JPEG picture of at most maxPixels pixels.
QImage DecodeJpeg(const std::string& bytes, std::size_t maxPixels, std::string* error);

// Encodes and writes through WriteFileAtomically; false with *error on any failure.
bool WriteJpegFile(const std::string& path, const QImage& picture, std::string* error);

}  // namespace platform
