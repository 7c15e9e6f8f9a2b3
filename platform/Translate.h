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

// Marks a text the language files translate where it is not passed to TranslateText at once
// (a list of items translated each time the language changes); returns it unchanged.
constexpr const char* ToTranslate(const char* english) {
    return english;
}

}  // namespace platform
