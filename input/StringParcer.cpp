#include "input/StringParcer.h"

void TStringParcer::Split(char c) {
    if (Text.empty()) return;
    Items.clear();
    std::size_t i = 0;
    while (i < Text.size()) {
        while (i < Text.size() && Text[i] == c) ++i;
        if (i == Text.size()) break;
        const std::size_t end = Text.find(c, i);
        const std::size_t stop = end == std::string::npos ? Text.size() : end;
        Items.push_back(Text.substr(i, stop - i));
        i = stop;
    }
}

std::string TStringParcer::Join(const std::string& separator) const {
    std::string out;
    for (std::size_t k = 0; k < Items.size(); ++k) {
        if (k) out += separator;
        out += Items[k];
    }
    return out;
}
