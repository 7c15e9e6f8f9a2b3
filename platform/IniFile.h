#pragma once
// Initialization files with the desktop platform's profile semantics: sections in square
// brackets, lines of key=value; section and key names match ignoring letter case, values are
// kept as written, and a write keeps every other section, key and line of the file.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct IniFileContent;  // a file read and split into lines

class IniFile {
  public:
    // Larger files are refused (read as empty, never rewritten).
    static constexpr std::size_t kMaxSize = 16u << 20;

    // maxSize: the largest file read; a file that only has to hold a few settings takes less.
    explicit IniFile(std::string path, std::size_t maxSize = kMaxSize);
    const std::string& Path() const { return path_; }
    bool Exists() const;
    // Why the file cannot be read (the system's text), or an empty text when it can or is
    // not there.
    std::string ReadProblem() const;
    // The lines of a section in file order, split at the first '=' (a line without '=' gives
    // key = whole line, value empty); section name matched ignoring case; empty if absent.
    std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section) const;
    // Every section (the first of each name, ordered by name ignoring case) with its lines as
    // ReadSection gives them, from one reading of the file; nothing (and LastError) when the
    // file cannot be read.
    using SectionValues = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
    std::optional<std::vector<SectionValues>> ReadAllSections() const;
    // The 1-based line of key in section (as ReadString finds it), or 0 when it is not there.
    int LineOf(const std::string& section, const std::string& key) const;
    // The value of key in section (both matched ignoring case), or def.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // Sets key=value in section, creating file and section as needed, keeping everything
    // else; false and LastError() on failure.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Several writes in one atomic replace.
    bool WriteStrings(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& keyValues);
    // Several sections in one atomic replace, in order.
    bool WriteSections(const std::vector<SectionValues>& sections);
    const std::string& LastError() const { return lastError_; }

    // Times a file's bytes were read and split since the program started: the same file,
    // unchanged, is read once however many objects and calls ask for it.
    static std::size_t Parses();

  private:
    // Nothing (and LastError) when the file exists but cannot be read or is too large.
    std::shared_ptr<const IniFileContent> Load() const;

    std::string path_;
    std::size_t maxSize_;
    mutable std::string lastError_;
};

}  // namespace platform
