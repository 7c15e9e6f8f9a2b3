// Sets of minterm numbers: "0-3,5,6" names minterms 0, 1, 2, 3, 5 and 6. Texts of any length
// are read; positions are not limited to a byte.

#include "input/Sets.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/CarnoGrid.h"
#include "input/SetsText.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace {

std::string RunsText(std::vector<int>& numbers) {
    std::sort(numbers.begin(), numbers.end());
    std::string out;
    auto write = [&](int first, int last) {
        if (!out.empty()) out += ',';
        out += std::to_string(first);
        if (last == first + 1)
            out += ',' + std::to_string(last);
        else if (last > first + 1)
            out += '-' + std::to_string(last);
    };
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        write(numbers[i], numbers[j]);
        i = j + 1;
    }
    return out;
}

}  // namespace

bool AnalyzeWorkString(TCarnoGrid& map, const std::string& text, const std::string& value) {
    if (text.size() > TCarnoGrid::kMaxTextLength) {
        platform::Say("The text is too long.", platform::MsgIcon::Information,
                      platform::MsgButtons::Ok);
        return false;
    }
    std::string s = text;
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    if (s.find_first_not_of("0123456789-,") != std::string::npos) {
        platform::Say("Invalid symbol in string.", platform::MsgIcon::Information,
                      platform::MsgButtons::Ok);
        return false;
    }
    const long long last = (1LL << map.VariableCount()) - 1;
    auto write = [&](long long m) {
        const TCellPos p = map.PositionOfMinterm(static_cast<int>(m));
        map.SetCells(p.Col, p.Row, value);
    };
    sets_text::ForEachRange(s, last, [&](long long lo, long long hi) {
        for (long long m = lo; m <= hi; ++m) write(m);
    });
    return true;
}

void MapToSets(const TCarnoGrid& map, std::string& ones, std::string& zeros,
               std::string& dontCares) {
    std::vector<int> lists[3];
    for (int c = 1; c <= map.MapColumns(); ++c) {
        for (int r = 1; r <= map.MapRows(); ++r) {
            const std::string t = map.Cells(c, r);
            const int which = t == "1" ? 0 : t == "0" ? 1 : t == "*" ? 2 : -1;
            if (which >= 0) lists[which].push_back(map.MintermNumber(c, r));
        }
    }
    ones = RunsText(lists[0]);
    zeros = RunsText(lists[1]);
    dontCares = RunsText(lists[2]);
}
