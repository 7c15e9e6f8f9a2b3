#pragma once
// Every text the user sees passes through TranslateText. Until a language is chosen the
// English text is its own translation; the translation component installs itself here.

#include <functional>
#include <string>

namespace platform {

using Translator = std::function<std::string(const std::string&)>;

std::string TranslateText(const std::string& english);

// Installs the translator; an empty function restores the identity.
void SetTranslator(Translator translator);

// The form a counted noun takes. Two-form languages never answer Few.
enum class Plural { One, Few, Many };

// By a language file's rule: "one-other" (English, German: one for 1), "zero-one-other"
// (French: one for 0 and 1) or "one-few-many" (Russian: one for 1, 21, 31..., few for 2-4,
// 22-24..., many for the rest); anything else, or no rule, reads as "one-other" so a file that
// predates the rule shows the texts it was written for.
Plural PluralOf(long long n, const std::string& rule);
// By the current language's rule: the translation of "Plural rule".
Plural PluralOf(long long n);

// Marks a text the language files translate where it is not passed to TranslateText at once
// (a list of items translated each time the language changes); returns it unchanged.
constexpr const char* ToTranslate(const char* english) {
    return english;
}

}  // namespace platform
