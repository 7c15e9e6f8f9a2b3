#include "advmin/FunctionLists.h"

#include <QString>
#include <algorithm>

#include "input/SetsText.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/Translate.h"

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
    std::string s = text;
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    sets_text::ForEachRange(s, static_cast<long long>(function.size()) - 1,
                            [&](long long lo, long long hi) {
                                std::fill(function.begin() + lo, function.begin() + hi + 1, symbol);
                            });
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
    // A file's sets must agree; only what is typed into the lists is settled by their order.
    for (int k = 1; content.VarCount && k <= static_cast<int>(content.More.size()) + 1; ++k)
        if (const auto clash = content.Clash(fileName, k, *content.VarCount)) {
            platform::SayFileError("The file gives a minterm two values.", fileName, *clash);
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
