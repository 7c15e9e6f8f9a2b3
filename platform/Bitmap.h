#pragma once
// Windows bitmap files: 24 bits per pixel, rows bottom-up, each padded to 4 bytes.

#include <QImage>
#include <optional>
#include <string>

namespace platform {

// The picture as the bytes of a bitmap file; nullopt for an empty picture or one whose file
// would pass the format's 4 GB.
std::optional<std::string> EncodeBitmap(const QImage& picture);

// Encodes and writes through WriteFileAtomically; false with *error on any failure.
bool WriteBitmapFile(const std::string& path, const QImage& picture, std::string* error);

}  // namespace platform
