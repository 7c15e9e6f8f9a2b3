#include "platform/IniFile.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>

#include "platform/LineEnds.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Text.h"

namespace platform {

struct IniFileContent {
    std::vector<std::string> lines;  // without line ends
    std::string eol = "\n";
    // Per section name in lower case: its header line's index and the index past it.
    std::map<std::string, std::pair<std::size_t, std::size_t>> sections;
};

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

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

template <class Sections>
std::optional<Span> FindSection(const Sections& sections, const std::string& section) {
    const auto it = sections.find(Lower(section));
    if (it == sections.end()) return std::nullopt;
    return Span{it->second.first, it->second.second};
}

// The same in lines being edited.
std::optional<Span> FindSectionInLines(const std::vector<std::string>& lines,
                                       const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = HeaderName(lines[i]);
        if (!name || !SameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !HeaderName(lines[end])) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

// The file as it was last read, while it stays the same file with the same size and times: a
// start of the program reads the settings from many places.
struct Fingerprint {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{}, ctime{};
    bool operator==(const Fingerprint& o) const {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

std::optional<Fingerprint> FingerprintOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return Fingerprint{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

struct Cached {
    std::string path;
    Fingerprint print;
    std::shared_ptr<const IniFileContent> content;
};
std::mutex cacheMutex;
std::vector<Cached> cache;  // the latest last; the settings and a language file at least
constexpr std::size_t kCachedFiles = 4;
std::atomic<std::size_t> parses{0};

std::shared_ptr<const IniFileContent> CachedContent(const std::string& path,
                                                    const Fingerprint& print) {
    const std::lock_guard<std::mutex> lock(cacheMutex);
    for (const Cached& c : cache)
        if (c.path == path && c.print == print) return c.content;
    return nullptr;
}

void Remember(const std::string& path, const Fingerprint& print,
              std::shared_ptr<const IniFileContent> content) {
    const std::lock_guard<std::mutex> lock(cacheMutex);
    std::erase_if(cache, [&](const Cached& c) { return c.path == path; });
    if (cache.size() >= kCachedFiles) cache.erase(cache.begin());
    cache.push_back({path, print, std::move(content)});
}

// A file changed in place keeps its inode and may keep its size; its times tell it apart only
// once they are older than the clock's coarse steps, so a file this fresh is not remembered.
bool OldEnough(const Fingerprint& print) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return print.mtime.tv_sec + 2 < now.tv_sec;
}

std::shared_ptr<IniFileContent> Split(const std::string& bytes) {
    ++parses;
    auto content = std::make_shared<IniFileContent>();
    if (HasCrLfLineEnds(bytes)) content->eol = "\r\n";
    std::optional<std::string> open;  // the section being read, lower case
    for (const std::string_view line : SplitLines(bytes)) {
        content->lines.emplace_back(line);
        const std::size_t i = content->lines.size() - 1;
        if (const auto name = HeaderName(content->lines[i])) {
            open = Lower(*name);
            content->sections.emplace(*open, std::pair{i, i + 1});  // the first one counts
        } else if (open) {
            auto& span = content->sections[*open];
            if (span.second == i) span.second = i + 1;
        }
    }
    return content;
}

}  // namespace

IniFile::IniFile(std::string path, std::size_t maxSize)
    : path_(std::move(path)), maxSize_(maxSize) {}

bool IniFile::Exists() const {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0;
}

std::string IniFile::ReadProblem() const {
    return Load() ? std::string() : lastError_;
}

std::size_t IniFile::Parses() {
    return parses.load();
}

std::shared_ptr<const IniFileContent> IniFile::Load() const {
    const std::optional<Fingerprint> print = FingerprintOf(path_);
    // What another reader with a larger limit remembered is still too large here.
    if (print && static_cast<std::size_t>(print->size) <= maxSize_)
        if (auto known = CachedContent(path_, *print)) return known;
    std::string bytes;
    switch (ReadFileLimited(path_, maxSize_, &bytes, &lastError_)) {
        case ReadStatus::Ok:
            break;
        case ReadStatus::Missing:
            return std::make_shared<IniFileContent>();  // a file yet to be written is empty
        case ReadStatus::TooLarge:
            lastError_ = std::strerror(EFBIG);
            return nullptr;
        case ReadStatus::Failed:
            return nullptr;
    }
    std::shared_ptr<const IniFileContent> content = Split(bytes);
    if (print && OldEnough(*print)) Remember(path_, *print, content);
    return content;
}

namespace {

std::vector<std::pair<std::string, std::string>> LinesOf(const IniFileContent& content,
                                                         const Span& span) {
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const std::string& line = content.lines[i];
        if (!IsEntry(line)) continue;
        // Blanks around a key are layout, as in the platform's files; the value stays as it is.
        const std::size_t eq = line.find('=');
        out.emplace_back(KeyOf(line),
                         eq == std::string::npos ? std::string() : line.substr(eq + 1));
    }
    return out;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> IniFile::ReadSection(
    const std::string& section) const {
    const std::shared_ptr<const IniFileContent> content = Load();
    if (!content) return {};
    const auto span = FindSection(content->sections, section);
    if (!span) return {};
    return LinesOf(*content, *span);
}

std::optional<std::vector<IniFile::SectionValues>> IniFile::ReadAllSections() const {
    const std::shared_ptr<const IniFileContent> content = Load();
    if (!content) return std::nullopt;
    std::vector<SectionValues> out;
    for (const auto& [name, span] : content->sections)
        out.emplace_back(*HeaderName(content->lines[span.first]),
                         LinesOf(*content, Span{span.first, span.second}));
    return out;
}

int IniFile::LineOf(const std::string& section, const std::string& key) const {
    const std::shared_ptr<const IniFileContent> content = Load();
    if (!content) return 0;
    const auto span = FindSection(content->sections, section);
    if (!span) return 0;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const std::string& line = content->lines[i];
        if (IsEntry(line) && SameName(KeyOf(line), Trim(key))) return static_cast<int>(i + 1);
    }
    return 0;
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
    const std::shared_ptr<const IniFileContent> read = Load();
    if (!read) return false;
    IniFileContent content = *read;
    std::vector<std::string>& lines = content.lines;

    for (const auto& [section, keyValues] : sections) {
        auto span = FindSectionInLines(lines, section);
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
    // What was just written is known: the next reads need not read it again.
    if (const std::optional<Fingerprint> print = FingerprintOf(path_))
        Remember(path_, *print, Split(bytes));
    return true;
}

}  // namespace platform
