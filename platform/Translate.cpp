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

void SetTranslator(Translator translator) {
    CurrentTranslator() = std::move(translator);
}

}  // namespace platform
