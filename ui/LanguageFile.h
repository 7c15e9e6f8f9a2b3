#pragma once
// Language files: the translation keys of the whole interface, the reading of a file's
// translations, messages and tips, and the rules for a key and a list value. Plain logic, so
// the tests and the translation component share it without windows.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace language {

// The keys the translation component walks: window, component and property names joined by
// dots ("Form1.N25.Caption"), or window and property ("Options.Caption").
const std::vector<std::string>& PropertyKeys();

// Program folder, "Languages/", the name in lower case, ".lng".
std::string LanguageFilePath(const std::string& programFolder, const std::string& name);

// A key cut at its dots: the names to walk down (each trimmed) and the property's name.
struct KeyPath {
    std::vector<std::string> names;
    std::string property;
};
KeyPath SplitKey(const std::string& key);

// A separator that is blank after trimming falls back to ",".
std::string NormalSeparator(const std::string& separator);

// The items of a list value: cut at each separator, each piece trimmed (adjacent separators
// give an empty item); a blank remainder after the last separator is dropped.
std::vector<std::string> SplitList(const std::string& value, const std::string& separator);

// A whole decimal number that fits an int, blanks around allowed; nothing for anything else.
std::optional<int> ParseInteger(const std::string& text);

// Key matching as the files do it: surrounding blanks ignored, ASCII letter case ignored.
struct KeyLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
using Translations = std::map<std::string, std::string, KeyLess>;

// The section "Translations" of a file, read once for a whole pass; empty values are left out
// (they keep the English text). Empty for a missing or unreadable file.
Translations ReadTranslations(const std::string& file);

// The message's translation from the section "Messages", or the text itself.
std::string TranslateMessage(const std::string& file, const std::string& text);

// "TipsCount" of the section "Tips" (the key compared exactly); nothing when missing or not a
// whole number.
std::optional<int> TipsCount(const std::string& file);

// The lines of tip k: each line of the section "Tip<k>" after its first "=".
std::vector<std::string> TipLines(const std::string& file, int k);

// A tip drawn uniformly from all tips, pick(n) giving 0..n-1; nothing when the file is missing
// or holds no tips.
std::optional<std::vector<std::string>> DrawTip(const std::string& file,
                                                const std::function<int(int)>& pick);

}  // namespace language
