#include "cli/Args.h"

#include <algorithm>

#include "platform/ReadFile.h"

namespace cli {

Args::Args(const std::vector<std::string>& argv, const std::vector<OptionDef>& options) {
    auto find = [&](const std::string& name) -> const OptionDef* {
        for (const OptionDef& s : options)
            if (s.name == name) return &s;
        return nullptr;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (optionsEnded || a.size() < 2 || a.compare(0, 2, "--") != 0) {
            positional_.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        const OptionDef* option = find(name);
        if (!option) throw UsageError("unknown option --" + name);
        if (!option->takesValue) {
            if (eq != std::string::npos) throw UsageError("option --" + name + " takes no value");
            values_[name] = "";
        } else if (eq != std::string::npos) {
            values_[name] = a.substr(eq + 1);
        } else {
            if (i + 1 >= argv.size()) throw UsageError("option --" + name + " needs a value");
            values_[name] = argv[++i];
        }
    }
}

std::optional<std::string> Args::Value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

int ParseIntOption(const std::string& option, const std::string& text, int lo, int hi) {
    const std::string name = "--" + option.substr(option.find_first_not_of('-'));
    const std::string range =
        name + " must be from " + std::to_string(lo) + " to " + std::to_string(hi);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError(name + " needs a whole number");
    // Too many digits for an int is still a whole number, only out of range.
    const std::size_t lead = std::min(text.find_first_not_of('0'), text.size());
    if (text.size() - lead > 9) throw UsageError(range);
    const int v = std::stoi(text);
    if (v < lo || v > hi) throw UsageError(range);
    return v;
}

std::string ValueOrFileContent(const std::string& value) {
    if (value.empty() || value[0] != '@') return value;
    const std::string path = value.substr(1);
    std::string content, error;
    switch (platform::ReadFileLimited(path, kMaxValueFileSize, &content, &error)) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::TooLarge:
            throw InputError(path + " is too large");
        case platform::ReadStatus::Missing:
        case platform::ReadStatus::Failed:
            throw InputError("cannot read " + path + (error.empty() ? "" : ": " + error));
    }
    while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
        content.pop_back();
    return content;
}

}  // namespace cli
