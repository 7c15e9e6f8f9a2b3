#pragma once

#include <ostream>
#include <string>

#include "engine/JsonText.h"

namespace cli {

using ::JsonString;

// A JSON array of `list`, each element written by `item`.
template <class List, class Item>
void JsonList(std::ostream& out, const List& list, Item&& item) {
    out << '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) out << ',';
        item(list[i]);
    }
    out << ']';
}

inline const char* JsonBool(bool b) {
    return b ? "true" : "false";
}

}  // namespace cli
