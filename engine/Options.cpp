#include "engine/Options.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

const char* BoolText(bool on) {
    return on ? "true" : "false";
}

// A whole number with blanks around it and an optional sign, as the dialog's boxes take it.
std::optional<long long> Number(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t\r\n\v\f");
    if (begin == std::string::npos) return std::nullopt;
    const std::size_t end = text.find_last_not_of(" \t\r\n\v\f") + 1;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (*first == '+') ++first;
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
    return value;
}

}  // namespace

void ReadOptions(const SettingsSection& section, Options& o, bool withLook) {
    for (const auto& [rawKey, value] : section) {
        // The tips window's key keeps its letter case.
        if (rawKey == "ShowTips") o.ShowTips = value == "true";
        const std::string key = Upper(rawKey);
        const bool on = value == "true";
        if (key == "MOVABLECOLROW") {
            o.MovableColRow = on;
        } else if (key == "SIZINGCOLROW") {
            o.SizingColRow = on;
        } else if (key == "DRAWFOCUS") {
            o.DrawFocus = on;
        } else if (key == "BITSAVE") {
            o.BitSave = on;
        } else if (key == "ASKEXIT") {
            o.AskExit = on;
        } else if (key == "FORMULANOTATION") {
            o.Notation = value == "textbook" ? FormulaNotation::Textbook : FormulaNotation::AsTyped;
        } else if (key == "APPEARANCE") {
            o.Appearance = value == "dark" || value == "light" ? value : "system";
        } else if (key == "GLUEMETHOD") {
            o.GlueMethod = value == "SOP" ? gmDNF : gmKNF;
        } else if (key == "ANALYSISGIVES") {
            o.ExactMinimum = value == "Minimum";
        } else if (key == "MAXSOLUTIONS") {
            const auto n = Number(value);
            if (n && *n >= 1 && *n <= Options::kMaxSolutionsListed) o.MaxSolutions = int(*n);
        } else if (key == "PRODUCTSCOLOR" && withLook) {
            // A value that is not a colour is left out rather than guessed at.
            const auto colour = Number(value);
            if (colour && *colour >= 0 && *colour <= 0xFFFFFF)
                o.ProductsColor = static_cast<std::uint32_t>(*colour);
        } else if (key == "MAPFONT" && withLook) {
            o.MapFont = value;
        } else if (key == "RESULTFONT" && withLook) {
            o.ResultFont = value;
        }
    }
}

SettingsSection OptionsSection(const Options& o, bool withLook) {
    SettingsSection values{
        {"MovableColRow", BoolText(o.MovableColRow)},
        {"SizingColRow", BoolText(o.SizingColRow)},
        {"DrawFocus", BoolText(o.DrawFocus)},
        {"BitSave", BoolText(o.BitSave)},
        {"AskExit", BoolText(o.AskExit)},
        {"GlueMethod", o.GlueMethod == gmDNF ? "SOP" : "POS"},
        {"FormulaNotation", o.Notation == FormulaNotation::Textbook ? "textbook" : "typed"},
        {"Appearance", o.Appearance},
    };
    if (withLook) {
        values.push_back({"ProductsColor", std::to_string(o.ProductsColor)});
        values.push_back({"MapFont", o.MapFont.value_or("")});
        values.push_back({"ResultFont", o.ResultFont.value_or("")});
    }
    values.push_back({"AnalysisGives", o.ExactMinimum ? "Minimum" : "Gluing"});
    values.push_back({"MaxSolutions", std::to_string(o.MaxSolutions)});
    return values;
}

void ReadLanguage(const SettingsSection& section, Options& o) {
    for (const auto& [key, value] : section) {
        if (key == "SupportedLanguages")
            o.SupportedLanguages = value;
        else if (key == "CurrentLanguage")
            o.CurrentLanguage = value;
    }
}

SettingsSection LanguageSection(const Options& o) {
    SettingsSection values;
    if (o.SupportedLanguages) values.push_back({"SupportedLanguages", *o.SupportedLanguages});
    if (o.CurrentLanguage) values.push_back({"CurrentLanguage", *o.CurrentLanguage});
    return values;
}
