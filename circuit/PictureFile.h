#pragma once
// Circuit pictures as files: JPEG and bitmap as the save dialog offers them, PNG for scripts.

#include <QImage>
#include <optional>
#include <string>

enum class PictureKind { Jpeg, Bitmap, Png };

// The kind a file name's extension names (.jpg, .jpeg, .bmp and, when allowed, .png; any
// letter case); nullopt for any other name.
std::optional<PictureKind> PictureKindOfName(const std::string& path, bool allowPng);

// The kind the save dialog's filter entry (1-based) chooses: JPEG, JPEG, bitmap, or for the
// fourth ("All images") the file name's extension.
std::optional<PictureKind> PictureKindOfFilter(int filterIndex, const std::string& path);

// Writes the picture through WriteFileAtomically; false with *error (the reason) otherwise.
bool SavePicture(const QImage& picture, const std::string& path, PictureKind kind,
                 std::string* error);
