#pragma once
// How a sets text names minterms, for every reader of one (the sets dialog, the Boolean
// function file, the advanced tool's lists). The text has its spaces removed and holds only
// digits, "-" and ",". Items are separated by "," (empty items name nothing). An item without
// "-" is one decimal number. An item with "-" is a range: the parts before and after its first
// "-" are each read from their start as an optional sign and digits, stopping at the first
// other character, an empty part reading as 0; so "-3" and "3-" are 0 to 3, "1-2-3" is 1 to 2
// and "1--3" is -3 to 1. The ends are swapped when the first is larger. A number, or either
// end of a range, outside 0..last makes the item name nothing: with 3 variables "7-100" and
// "1--3" name nothing, "7" names the last minterm.

#include <algorithm>
#include <climits>
#include <string_view>

namespace sets_text {

// The number at the start of s as described above; saturates instead of overflowing, as any
// huge number lies off the map.
inline long long ReadNumber(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = std::min<long long>(v * 10 + (s[i] - '0'), INT_MAX);
    return negative ? -v : v;
}

// Calls name(lo, hi) for the inclusive range of every item that names minterms, in order.
template <class Name>
void ForEachRange(std::string_view text, long long last, Name&& name) {
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        const std::string_view item = text.substr(0, comma);
        text.remove_prefix(std::min(comma + 1, text.size()));
        if (item.empty()) continue;
        const std::size_t dash = item.find('-');
        long long lo = ReadNumber(item.substr(0, dash)), hi = lo;
        if (dash != std::string_view::npos) {
            hi = ReadNumber(item.substr(dash + 1));
            if (lo > hi) std::swap(lo, hi);
        }
        if (lo < 0 || hi > last) continue;
        name(lo, hi);
    }
}

}  // namespace sets_text
