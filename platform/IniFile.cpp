#include "platform/IniFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Text.h"

namespace platform {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The section a header line opens, or nothing for any other line.
std::optional<std::string> HeaderName(const std::string& line) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsEntry(const std::string& line) {
    const std::string t = Trim(line);
    return !t.empty() && t[0] != ';';
}

std::string KeyOf(const std::string& line) {
    return Trim(line.substr(0, line.find('=')));
}

// Lines [first, last) of the first section of that name; first is the header's index.
struct Span {
    std::size_t header, end;
};

std::optional<Span> FindSection(const std::vector<std::string>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = HeaderName(lines[i]);
        if (!name || !SameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !HeaderName(lines[end])) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Exists() const {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0;
}

std::string IniFile::ReadProblem() const {
    Content content;
    return Load(content) ? std::string() : lastError_;
}

bool IniFile::Load(Content& content) const {
    content = Content{};
    std::string bytes;
    switch (ReadFileLimited(path_, kMaxSize, &bytes, &lastError_)) {
        case ReadStatus::Ok:
            break;
        case ReadStatus::Missing:
            return true;  // a file yet to be written is empty
        case ReadStatus::TooLarge:
            lastError_ = std::strerror(EFBIG);
            return false;
        case ReadStatus::Failed:
            return false;
    }

    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t nl = bytes.find('\n', start);
        if (nl == std::string::npos) nl = bytes.size();
        std::size_t end = nl;
        if (end > start && bytes[end - 1] == '\r') {
            --end;
            content.eol = "\r\n";
        }
        content.lines.push_back(bytes.substr(start, end - start));
        start = nl + 1;
    }
    return true;
}

std::vector<std::pair<std::string, std::string>> IniFile::ReadSection(
    const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> out;
    Content content;
    if (!Load(content)) return out;
    const auto span = FindSection(content.lines, section);
    if (!span) return out;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const std::string& line = content.lines[i];
        if (!IsEntry(line)) continue;
        // Blanks around a key are layout, as in the platform's files; the value stays as it is.
        const std::size_t eq = line.find('=');
        out.emplace_back(KeyOf(line),
                         eq == std::string::npos ? std::string() : line.substr(eq + 1));
    }
    return out;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    for (const auto& [name, value] : ReadSection(section))
        if (SameName(name, Trim(key))) return Trim(value);
    return def;
}

bool IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    return WriteStrings(section, {{key, value}});
}

bool IniFile::WriteStrings(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& keyValues) {
    return WriteSections({{section, keyValues}});
}

bool IniFile::WriteSections(const std::vector<SectionValues>& sections) {
    // Names that would read back as something else are refused rather than written.
    for (const auto& [section, keyValues] : sections) {
        if (Trim(section).empty() || HasLineBreak(section) ||
            section.find(']') != std::string::npos) {
            lastError_ = "Invalid section name";
            return false;
        }
        for (const auto& [key, value] : keyValues) {
            if (Trim(key).empty() || HasLineBreak(key) || key.find('=') != std::string::npos ||
                Trim(key)[0] == '[' || Trim(key)[0] == ';') {
                lastError_ = "Invalid key name";
                return false;
            }
            if (HasLineBreak(value)) {
                lastError_ = "Invalid value";
                return false;
            }
        }
    }
    // A file we could not read must not be replaced by what little we know of it.
    Content content;
    if (!Load(content)) return false;
    std::vector<std::string>& lines = content.lines;

    for (const auto& [section, keyValues] : sections) {
        auto span = FindSection(lines, section);
        if (!span) {
            if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
            lines.push_back("[" + section + "]");
            span = Span{lines.size() - 1, lines.size()};
        }
        for (const auto& [key, value] : keyValues) {
            bool replaced = false;
            std::size_t lastEntry = span->header;
            for (std::size_t i = span->header + 1; i < span->end; ++i) {
                const std::string& line = lines[i];
                if (!IsEntry(line)) continue;
                lastEntry = i;
                if (line.find('=') != std::string::npos && SameName(KeyOf(line), Trim(key))) {
                    lines[i] = KeyOf(line) + "=" + value;  // the file's spelling of the key stays
                    replaced = true;
                    break;
                }
            }
            if (!replaced) {
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1),
                             key + "=" + value);
                ++span->end;
            }
        }
    }

    std::string bytes;
    for (const std::string& line : lines) bytes += line + content.eol;
    std::string error;
    if (!WriteFileAtomically(path_, bytes, &error)) {
        lastError_ = error;
        return false;
    }
    lastError_.clear();
    return true;
}

}  // namespace platform
