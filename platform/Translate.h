#pragma once
// Every text the user sees passes through TranslateText. Until a language is chosen the
// English text is its own translation; the translation component installs itself here.

#include <functional>
#include <string>

namespace platform {

using Translator = std::function<std::string(const std::string&)>;

std::string TranslateText(const std::string& english);

// A file's failure as the user sees it: the translated message, then the file's name and the
// system's reason, "Cannot write the map file.\nNAME: Permission denied".
std::string FileFailureText(const std::string& english, const std::string& path, const std::string& reason);

// Installs the translator; an empty function restores the identity.
void SetTranslator(Translator translator);

}  // namespace platform
