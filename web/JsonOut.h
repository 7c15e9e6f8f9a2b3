#pragma once
// A small JSON writer for the page's answers: objects and arrays opened and closed in order,
// commas placed by the writer, texts escaped by the one JSON escaping (engine/JsonText.h).

#include <string>
#include <vector>

namespace web {

class JsonOut {
  public:
    JsonOut& Open(char bracket);  // '{' or '['
    JsonOut& Close();
    JsonOut& Key(const std::string& key);
    JsonOut& Text(const std::string& text);
    JsonOut& Number(long long value);
    JsonOut& Bool(bool value);
    JsonOut& Raw(const std::string& json);  // already-written JSON
    JsonOut& Numbers(const std::vector<int>& values);
    JsonOut& Texts(const std::vector<std::string>& values);
    const std::string& Str() const { return out_; }

  private:
    void Separate();
    std::string out_;
    std::vector<char> open_;  // the closing bracket of each open level
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace web
