#include "platform/Translate.h"

#include "platform/Text.h"

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

Plural PluralOf(long long n, const std::string& rule) {
    const unsigned long long a =
        n < 0 ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    if (rule == "zero-one-other") return a <= 1 ? Plural::One : Plural::Many;
    if (rule == "one-few-many") {
        const unsigned long long last = a % 10, lastTwo = a % 100;
        if (last == 1 && lastTwo != 11) return Plural::One;
        if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) return Plural::Few;
        return Plural::Many;
    }
    return a == 1 ? Plural::One : Plural::Many;
}

Plural PluralOf(long long n) {
    return PluralOf(n, Trim(TranslateText("Plural rule")));
}

}  // namespace platform
