#include "advmin/FunctionLists.h"

#include <QString>
#include <algorithm>

#include "input/StringParcer.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace {

// A whole decimal number below `limit`, else nothing (too long to matter counts as too big).
std::optional<std::size_t> Minterm(const std::string& text, std::size_t limit) {
    if (text.empty() || text.size() > 12 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::size_t value = std::stoull(text);
    if (value >= limit) return std::nullopt;
    return value;
}

}  // namespace

bool ValidateList(const std::string& text) {
    if (text.size() > kMaxListLength) {
        platform::Say("The list is too long.", platform::MsgIcon::Information,
                      platform::MsgButtons::Ok);
        return false;
    }
    if (text.find_first_not_of("0123456789-,") == std::string::npos) return true;
    platform::Say("Invalid symbol in string.", platform::MsgIcon::Information,
                  platform::MsgButtons::Ok);
    return false;
}

void ReadList(std::string& function, const std::string& text, char symbol) {
    TStringParcer parcer;
    parcer.Text = text;
    parcer.Text.erase(std::remove(parcer.Text.begin(), parcer.Text.end(), ' '), parcer.Text.end());
    if (parcer.Text.empty()) return;
    parcer.Split(',');
    const std::size_t size = function.size();
    for (const std::string& piece : parcer.Items) {
        const std::size_t dash = piece.find('-');
        if (dash == std::string::npos) {
            if (auto m = Minterm(piece, size)) function[*m] = symbol;
            continue;
        }
        auto a = Minterm(piece.substr(0, dash), size);
        auto b = Minterm(piece.substr(dash + 1), size);
        if (!a || !b) continue;
        if (*a > *b) std::swap(a, b);
        std::fill(function.begin() + *a, function.begin() + *b + 1, symbol);
    }
}

std::optional<std::string> FunctionFromLists(int n, const std::string& ones,
                                             const std::string& zeros,
                                             const std::string& dontCares) {
    if (!ValidateList(ones) || !ValidateList(zeros) || !ValidateList(dontCares))
        return std::nullopt;
    std::string function(std::size_t{1} << n, '0');
    ReadList(function, ones, '1');
    ReadList(function, zeros, '0');
    ReadList(function, dontCares, '2');
    return function;
}

std::optional<BooleanFunctionFile> ReadListsFile(const std::string& fileName) {
    const std::optional<BooleanFunctionFile> read = BooleanFunctionFile::Read(fileName);
    if (!read) return std::nullopt;
    const BooleanFunctionFile& content = *read;
    if (content.VarCount &&
        (*content.VarCount < kMinListVariables || *content.VarCount > kMaxListVariables)) {
        platform::Say("Invalid number of variables", platform::MsgIcon::Information,
                      platform::MsgButtons::Ok);
        return std::nullopt;
    }
    return content;
}

std::string ListOf(const std::string& function, char symbol) {
    std::string out;
    for (std::size_t m = 0; m < function.size();) {
        if (function[m] != symbol) {
            ++m;
            continue;
        }
        std::size_t end = m;
        while (end + 1 < function.size() && function[end + 1] == symbol) ++end;
        if (!out.empty()) out += ',';
        if (end - m >= 2)
            out += std::to_string(m) + "-" + std::to_string(end);
        else
            for (std::size_t k = m; k <= end; ++k) out += (k > m ? "," : "") + std::to_string(k);
        m = end + 1;
    }
    return out;
}
