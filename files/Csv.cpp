#include "files/Csv.h"

#include <vector>

#include "platform/Text.h"

namespace csv {

namespace {

struct Line {
    std::string_view text;
    int number;  // 1-based
};

std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({line, ++number});
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// How often the separator stands outside quotes.
std::size_t CountOutsideQuotes(std::string_view line, char separator) {
    std::size_t count = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == separator && !quoted)
            ++count;
    }
    return count;
}

// The fields of one line; nullopt when a quote is left open or text follows a closing quote.
std::optional<std::vector<std::string>> Fields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) return std::nullopt;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            if (i < line.size() && line[i] != separator) return std::nullopt;
            fields.push_back(field);
        } else {
            const std::size_t end = line.find(separator, i);
            fields.push_back(
                platform::Trim(line.substr(i, end == std::string_view::npos ? end : end - i)));
            i = end == std::string_view::npos ? line.size() : end;
        }
        if (i >= line.size()) return fields;
        ++i;  // the separator
    }
}

bool AllEmpty(const std::vector<std::string>& fields) {
    for (const std::string& f : fields)
        if (!f.empty()) return false;
    return true;
}

// Spreadsheets pad rows with empty fields up to their widest row.
void DropTrailingEmpty(std::vector<std::string>& fields, std::size_t keep) {
    while (fields.size() > keep && fields.back().empty()) fields.pop_back();
}

std::optional<std::string> FunctionValue(const std::string& field) {
    if (field == "0" || field == "1") return field;
    if (field == "X" || field == "x" || field == "-" || field == "*") return std::string("*");
    if (field.empty()) return std::string();
    return std::nullopt;
}

// Quotes a field only where it must be: it holds either separator (so that a reader can tell
// which one the header uses), a quote, a line break or outer blanks.
std::string Quoted(const std::string& field) {
    const bool plain = field.find_first_of("\",;\r\n") == std::string::npos &&
                       (field.empty() || (field.find_first_of(" \t") != 0 &&
                                          field.find_last_of(" \t") != field.size() - 1));
    if (plain) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::optional<FunctionTable> ParseCsv(std::string_view text, FileProblem* problem) {
    auto refuse = [&](const char* message, int line) -> std::optional<FunctionTable> {
        if (problem) *problem = {message, line};
        return std::nullopt;
    };
    if (text.size() > kMaxExchangeFileSize) return refuse("The file is too large.", 0);
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);  // a spreadsheet's byte order mark
    if (text.find('\0') != std::string_view::npos) return refuse("The file is not a text file.", 0);

    const std::vector<Line> lines = Lines(text);
    std::size_t at = 0;
    while (at < lines.size() && platform::Trim(lines[at].text).empty()) ++at;
    if (at == lines.size()) return refuse("The truth table is empty.", 0);

    const Line& header = lines[at];
    const char separator =
        CountOutsideQuotes(header.text, ';') > CountOutsideQuotes(header.text, ',') ? ';' : ',';
    auto titles = Fields(header.text, separator);
    if (!titles) return refuse("A quoted field is not closed.", header.number);
    DropTrailingEmpty(*titles, 0);
    if (titles->size() < 2)
        return refuse(
            "The header row must name the inputs and then the function, separated by commas or semicolons.",
            header.number);
    const int n = static_cast<int>(titles->size()) - 1;
    if (n < kMinInputs || n > kMaxInputs)
        return refuse("The truth table has too many inputs.", header.number);

    FunctionTable table;
    table.variableCount = n;
    table.names.assign(titles->begin(), titles->end() - 1);
    table.outputName = titles->back();
    table.values.assign(std::size_t{1} << n, std::string());
    std::vector<int> givenIn(std::size_t{1} << n, 0);  // the line that gave each minterm

    for (++at; at < lines.size(); ++at) {
        const Line& line = lines[at];
        auto fields = Fields(line.text, separator);
        if (!fields) return refuse("A quoted field is not closed.", line.number);
        if (AllEmpty(*fields)) continue;
        DropTrailingEmpty(*fields, titles->size());
        if (fields->size() != titles->size())
            return refuse("The row does not have as many fields as the header.", line.number);
        std::size_t minterm = 0;
        for (int k = 0; k < n; ++k) {
            const std::string& f = (*fields)[k];
            if (f != "0" && f != "1") return refuse("An input is not 0 or 1.", line.number);
            minterm = minterm * 2 + (f == "1" ? 1 : 0);
        }
        const auto value = FunctionValue(fields->back());
        if (!value) return refuse("The function's value is not 0, 1, X, - or empty.", line.number);
        if (givenIn[minterm] != 0 && table.values[minterm] != *value)
            return refuse("The row gives another value for inputs an earlier row gave.",
                          line.number);
        givenIn[minterm] = line.number;
        table.values[minterm] = *value;
    }
    return table;
}

std::string CsvText(const FunctionTable& table, char separator) {
    const int n = table.variableCount;
    std::string out;
    for (int k = 0; k < n; ++k) {
        const bool named = k < static_cast<int>(table.names.size()) && !table.names[k].empty();
        out += Quoted(named ? table.names[k] : std::string(1, static_cast<char>('A' + k % 26)));
        out += separator;
    }
    out += Quoted(table.outputName.empty() ? std::string("F") : table.outputName) + "\r\n";
    for (std::size_t m = 0; m < (std::size_t{1} << n); ++m) {
        for (int k = n - 1; k >= 0; --k) {
            out += (m >> k) & 1 ? '1' : '0';
            out += separator;
        }
        const std::string& v = m < table.values.size() ? table.values[m] : std::string();
        out += (v == "*" ? std::string("X") : v) + "\r\n";
    }
    return out;
}

}  // namespace csv
