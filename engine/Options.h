#pragma once
// Options: what the user chose in the options dialog, the tips window and for the main
// window's look, as one value. The settings file's sections "Options" and "Language" are read
// into it and written from it; the dialog edits the value, every command reads the value, none
// reads the dialog's controls.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/FormulaText.h"
#include "engine/Notation.h"

struct Options {
    static constexpr int kMaxSolutionsListed = 10000;

    // The function page.
    bool MovableColRow = false;
    bool SizingColRow = false;
    bool DrawFocus = true;
    bool BitSave = false;
    bool AskExit = true;
    TGlueMethod GlueMethod = gmDNF;
    bool ExactMinimum = false;  // what the analysis gives: an exact minimum, not the gluing
    int MaxSolutions = 100;     // minimal solutions the panel lists
    FormulaNotation Notation = FormulaNotation::AsTyped;
    std::string Appearance = "system";  // "system", "light" or "dark"

    // The main window's look; the fonts only where a file named them.
    std::uint32_t ProductsColor = 0;
    std::optional<std::string> MapFont, ResultFont;

    // "Show tips at startup", only where the file says.
    std::optional<bool> ShowTips;

    // The language page: the names offered, as the file keeps them (joined by ","; the dialog
    // splits them), and the language in use; each only where the file or the user gave it.
    std::optional<std::string> SupportedLanguages;
    std::optional<std::string> CurrentLanguage;

    bool operator==(const Options&) const = default;
};

using SettingsSection = std::vector<std::pair<std::string, std::string>>;

// The keys of the section over options, names matched ignoring letter case; a value that is
// none of a key's own is read as the designed fallback, a number or colour out of range is
// left out. withLook: the main window is there to take its colour and fonts.
void ReadOptions(const SettingsSection& section, Options& options, bool withLook);
// The section in the designed order; the main window's look only withLook. "ShowTips" is the
// tips window's to write, when it closes.
SettingsSection OptionsSection(const Options& options, bool withLook);

// The section "Language", keys compared exactly, in file order; written back, the keys the
// value holds.
void ReadLanguage(const SettingsSection& section, Options& options);
SettingsSection LanguageSection(const Options& options);
