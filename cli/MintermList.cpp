#include "cli/MintermList.h"

#include "cli/Args.h"

namespace cli {

namespace {
std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

int ParseNumber(const std::string& option, const std::string& item, const std::string& text, int maxMinterm) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw InputError("--" + option + ": invalid item \"" + item + "\"");
    // Longer than any minterm number: out of range whatever the digits.
    if (text.size() > 9 || std::stoi(text) > maxMinterm)
        throw InputError("--" + option + ": " + text + " is not a minterm from 0 to " + std::to_string(maxMinterm));
    return std::stoi(text);
}
}  // namespace

std::vector<int> ParseMintermList(const std::string& option, const std::string& text, int maxMinterm) {
    std::vector<int> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string item = Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!item.empty()) {
            const std::size_t dash = item.find('-');
            if (dash == std::string::npos) {
                out.push_back(ParseNumber(option, item, item, maxMinterm));
            } else {
                const int lo = ParseNumber(option, item, Trim(item.substr(0, dash)), maxMinterm);
                const int hi = ParseNumber(option, item, Trim(item.substr(dash + 1)), maxMinterm);
                if (lo > hi) throw InputError("--" + option + ": empty range \"" + item + "\"");
                for (int m = lo; m <= hi; ++m) out.push_back(m);
            }
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

}  // namespace cli
