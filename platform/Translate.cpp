#include "platform/Translate.h"

namespace platform {

namespace {
Translator& CurrentTranslator() {
    static Translator translator;
    return translator;
}
}  // namespace

std::string TranslateText(const std::string& english) {
    const Translator& t = CurrentTranslator();
    return t ? t(english) : english;
}

std::string FileFailureText(const std::string& english, const std::string& path, const std::string& reason) {
    return TranslateText(english) + "\n" + path + ": " + reason;
}

void SetTranslator(Translator translator) { CurrentTranslator() = std::move(translator); }

}  // namespace platform
