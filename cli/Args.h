#pragma once
// GNU-style long options for the subcommands: "--opt VALUE" and "--opt=VALUE" alike, flags
// without a value, "--" ends the options.

#include <cstddef>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Bad input given on the command line (not a malformed command): exit status 1.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct OptionDef {
    std::string name;  // without the leading "--"
    bool takesValue;
};

class Args {
  public:
    // Throws UsageError for an unknown option, a missing value or a value given to a flag.
    Args(const std::vector<std::string>& argv, const std::vector<OptionDef>& options);

    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

  private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
};

// Parses a whole decimal number in [lo, hi]; throws UsageError naming the option otherwise.
int ParseIntOption(const std::string& option, const std::string& text, int lo, int hi);

// The largest "@FILE" read: twice a truth table of 23 variables.
constexpr std::size_t kMaxValueFileSize = 16u << 20;
// "@FILE" gives the file's content without its trailing line break; anything else itself. A
// file over kMaxValueFileSize is refused unread.
std::string ValueOrFileContent(const std::string& value);

}  // namespace cli
