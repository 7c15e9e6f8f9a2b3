#include "web/JsonOut.h"

#include "engine/JsonText.h"

namespace web {

void JsonOut::Separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) out_ += ',';
    first_ = false;
}

JsonOut& JsonOut::Open(char bracket) {
    Separate();
    out_ += bracket;
    open_.push_back(bracket == '{' ? '}' : ']');
    first_ = true;
    return *this;
}

JsonOut& JsonOut::Close() {
    out_ += open_.back();
    open_.pop_back();
    first_ = false;
    return *this;
}

JsonOut& JsonOut::Key(const std::string& key) {
    Separate();
    out_ += JsonString(key) + ':';
    afterKey_ = true;
    return *this;
}

JsonOut& JsonOut::Text(const std::string& text) {
    return Raw(JsonString(text));
}

JsonOut& JsonOut::Number(long long value) {
    return Raw(std::to_string(value));
}

JsonOut& JsonOut::Bool(bool value) {
    return Raw(value ? "true" : "false");
}

JsonOut& JsonOut::Raw(const std::string& json) {
    Separate();
    out_ += json;
    return *this;
}

JsonOut& JsonOut::Numbers(const std::vector<int>& values) {
    Open('[');
    for (int v : values) Number(v);
    return Close();
}

JsonOut& JsonOut::Texts(const std::vector<std::string>& values) {
    Open('[');
    for (const std::string& v : values) Text(v);
    return Close();
}

}  // namespace web
