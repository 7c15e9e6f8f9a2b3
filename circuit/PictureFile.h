#pragma once
// Circuit pictures as files: JPEG and bitmap as the save dialog offers them, PNG for scripts,
// SVG (gates as paths) and TeX (TikZ) drawn by the same painting as the screen. The one place
// where names and filter entries become kinds.

#include <QImage>
#include <optional>
#include <string>

enum class PictureKind { Jpeg, Bitmap, Png, Svg, Tex };

class TScheme;

// The kind a file name's extension names (.jpg, .jpeg, .bmp, .svg, .tex and, when allowed,
// .png; any letter case); nullopt for any other name.
std::optional<PictureKind> PictureKindOfName(const std::string& path, bool allowPng);

// The kind the save dialog's filter entry (1-based) chooses: JPEG, JPEG, bitmap, for the
// fourth ("All images") the file name's extension among those three, then SVG and TeX.
std::optional<PictureKind> PictureKindOfFilter(int filterIndex, const std::string& path);

// Writes the picture through WriteFileAtomically; false with *error (the reason) otherwise.
bool SavePicture(const QImage& picture, const std::string& path, PictureKind kind,
                 std::string* error);

// The built circuit as the kind: the raster kinds from its off-screen picture (drawn anew),
// SVG and TeX painted as vectors at the picture's size and paper colour.
bool SaveSchemePicture(TScheme& scheme, const std::string& path, PictureKind kind, std::string* error);
