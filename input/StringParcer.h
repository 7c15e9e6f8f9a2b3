#pragma once
// Cuts a text at a one-character separator into items and joins items with a separator.
// Runs of separators yield no empty items and nothing is trimmed.

#include <string>
#include <vector>

class TStringParcer {
  public:
    std::string Text;
    std::vector<std::string> Items;

    // Replaces Items with the pieces of Text; an empty Text leaves Items as they were.
    void Split(char c);
    std::string Join(const std::string& separator) const;

    int Count() const { return static_cast<int>(Items.size()); }
    const std::string& Item(int i) const { return Items.at(i); }
};
