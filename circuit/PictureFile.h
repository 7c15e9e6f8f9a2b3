#pragma once
// Circuit pictures as files. One table names every kind with its save-dialog entry and its
// extensions (JPEG, bitmap, PNG, and SVG and TeX drawn by the same painting as the screen); the
// dialog's filters, the kind a name or a filter chooses, and the command line all read it, so a
// new kind is one new row.

#include <QImage>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

enum class PictureKind { Jpeg, Bitmap, Png, Svg, Tex };

class TScheme;

struct PictureKindRow {
    PictureKind kind;
    const char* filter;             // the save dialog's entry
    std::vector<const char*> exts;  // lower case, without the dot
};

// Every kind, one row per save-dialog entry, in the dialog's order.
const std::vector<PictureKindRow>& PictureKinds();

// The save dialog's entries: one per row, then "All images" over every extension.
const QStringList& PictureSaveFilters();

// The kind a file name's extension names (any letter case); nullopt for any other name.
std::optional<PictureKind> PictureKindOfName(const std::string& path);

// The kind to write for a name chosen under a filter entry (1-based): a known extension wins
// over the filter, so the bytes always match the name; a name without an extension takes the
// entry's kind; any other extension, or no extension under "All images", chooses nothing.
std::optional<PictureKind> PictureKindOfFilter(int filterIndex, const std::string& path);

// ".jpg, .jpeg, .bmp or .png": the extensions a name may end in, for messages.
std::string PictureExtensionList();

// Writes the picture through WriteFileAtomically; false with *error (the reason) otherwise.
bool SavePicture(const QImage& picture, const std::string& path, PictureKind kind,
                 std::string* error);

// The built circuit as the kind: the raster kinds from its off-screen picture (drawn anew),
// SVG and TeX painted as vectors at the picture's size and paper colour.
bool SaveSchemePicture(TScheme& scheme, const std::string& path, PictureKind kind,
                       std::string* error);
