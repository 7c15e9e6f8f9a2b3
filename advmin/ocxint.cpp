#include "advmin/ocxint.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "advmin/FunctionLists.h"
#include "advmin/StaleFolders.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "engine/FormulaText.h"
#include "platform/LineEnds.h"
#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "platform/Translate.h"

std::array<std::string, kMaxCoreInputs> VarNames;

namespace {

// The private folder, made at the first use of the core and removed with its content at exit,
// also when the program is ended by SIGTERM, SIGINT or SIGHUP. The handler may only use
// async-signal-safe calls, so the names it removes are kept as plain character arrays.
class ExchangeFolder {
  public:
    static ExchangeFolder& Instance() {
        static ExchangeFolder folder;
        return folder;
    }
    const std::string& File() {
        if (file_.empty()) Make();
        return file_;
    }
    ~ExchangeFolder() {
        if (folder_.empty()) return;
        made_ = 0;
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

  private:
    void Make() {
        const char* tmp = getenv("TMPDIR");
        const std::string parent = tmp && *tmp ? tmp : "/tmp";
        // Folders of hosts that were killed would otherwise stay with their 2^n-byte files.
        advmin::RemoveStaleFolders(parent, "mapwright-");
        std::string pattern = parent + "/mapwright-XXXXXX";
        if (pattern.size() + 16 > sizeof signalFolder_)
            throw std::runtime_error("The temporary folder's name is too long: " + pattern);
        if (!mkdtemp(pattern.data()))  // mkdtemp makes the folder with owner-only rights
            throw std::runtime_error("Cannot create a private temporary folder in " + pattern +
                                     ": " + std::strerror(errno));
        folder_ = pattern;
        advmin::RecordOwner(folder_);
        file_ = folder_ + "/exchange";
        std::memcpy(signalFolder_, folder_.c_str(), folder_.size() + 1);
        std::memcpy(signalFile_, file_.c_str(), file_.size() + 1);
        const std::string owner = folder_ + "/" + advmin::kOwnerFile;
        std::memcpy(signalOwner_, owner.c_str(), owner.size() + 1);
        made_ = 1;
        for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
            struct sigaction old {};
            // An ignored signal (nohup) stays ignored; a handler of someone else's stays theirs.
            if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
            struct sigaction action {};
            action.sa_handler = OnSignal;
            action.sa_flags = SA_RESETHAND;
            sigemptyset(&action.sa_mask);
            sigaction(sig, &action, nullptr);
        }
    }

    static void OnSignal(int sig) {
        if (made_) {
            unlink(signalFile_);
            unlink(signalOwner_);
            rmdir(signalFolder_);
        }
        raise(sig);  // the default action, restored by SA_RESETHAND, ends the program
    }

    std::string folder_;
    std::string file_;
    static inline char signalFolder_[4096];
    static inline char signalFile_[4096 + 16];
    static inline char signalOwner_[4096 + 16];
    static inline volatile sig_atomic_t made_ = 0;
};

bool IsDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// The core names its constants by a word standing alone.
bool IsWord(const ParsedFormula& result, const char* word) {
    if (result.terms.size() != 1 || result.terms[0].literals.size() != 1) return false;
    const FormulaLiteral& only = result.terms[0].literals[0];
    return !only.negated && only.name == word && only.position == result.terms[0].position;
}

// Why a cleaned result cannot be shown, or an empty text when it can.
std::string ResultProblem(const std::string& result, int n) {
    if (result.empty()) return "it is empty";
    const ParsedFormula parsed = ReadFormula(result, gmDNF);
    if (IsWord(parsed, "ONE_FUN") || IsWord(parsed, "ZERO_FUN")) return "";
    if (parsed.terms.empty()) return "it has no terms";
    for (const FormulaTerm& term : parsed.terms) {
        if (term.literals.empty()) return "a term has no literals";
        // The core numbers its variables: "X3", "|X3".
        for (const FormulaLiteral& literal : term.literals) {
            const std::string number = literal.name.size() > 1 ? literal.name.substr(1) : "";
            if (!IsDigits(number) || number.size() > 3)
                return "\"" + LiteralText(literal) + "\" is not a literal";
            const int k = std::stoi(number);
            if (k < 1 || k > n)
                return "variable number " + number + " is outside 1.." + std::to_string(n);
        }
    }
    return "";
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::string bytes, error;
    switch (platform::ReadFileLimited(path, kMaxCoreAnswerSize, &bytes, &error)) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::TooLarge:
            throw CoreAnswerError("The core's answer is larger than " +
                                  std::to_string(kMaxCoreAnswerSize >> 20) + " MB.");
        case platform::ReadStatus::Missing:
        case platform::ReadStatus::Failed:
            throw CoreAnswerError("Cannot read the core's answer: " + error);
    }
    std::vector<std::string> lines;
    for (const std::string_view line : platform::SplitLines(bytes)) lines.emplace_back(line);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool ClaimsMinimum(const std::string& line) {
    const std::size_t open = line.find('>');
    return open != std::string::npos &&
           line.substr(0, open).find("minimum=\"true\"") != std::string::npos;
}

bool IsStatsValue(const std::string& v) {
    return v.find_first_not_of(
               "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789. ") ==
           std::string::npos;
}

}  // namespace

void ShowCoreFailure(const std::string& detail) {
    platform::Say("The minimization core failed.", platform::MsgIcon::Error,
                  platform::MsgButtons::Ok, detail);
}

CoreStats StatsOfLine(const std::string& line) {
    CoreStats stats;
    const std::size_t end = line.find('>');
    if (end == std::string::npos) return stats;
    const std::string tag = line.substr(0, end);
    for (std::size_t at = tag.find(' '); at != std::string::npos;) {
        const std::size_t eq = tag.find("=\"", at);
        if (eq == std::string::npos) break;
        const std::size_t close = tag.find('"', eq + 2);
        if (close == std::string::npos) break;
        if (close + 1 < tag.size() && tag[close + 1] != ' ')
            break;  // a stray quote: the rest is unclear
        const std::string name = tag.substr(at + 1, eq - at - 1),
                          value = tag.substr(eq + 2, close - eq - 2);
        const bool word = !name.empty() &&
                          name.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        if (word && name != "minimum" && IsStatsValue(value)) stats.push_back({name, value});
        at = tag.find(' ', close);
    }
    return stats;
}

const std::string& ExchangeFilePath() {
    return ExchangeFolder::Instance().File();
}

void WriteExchangeFile(const std::string& function) {
    std::ofstream out(ExchangeFilePath(), std::ios::binary | std::ios::trunc);
    out << function;
    out.flush();
    if (!out) throw std::runtime_error("Cannot write the exchange file " + ExchangeFilePath());
}

std::string CutResultLine(const std::string& line) {
    const std::size_t open = line.find('>');
    const std::size_t start = open == std::string::npos ? 0 : open + 1;
    const std::size_t close = line.find("</", start);
    return line.substr(start, close == std::string::npos ? std::string::npos : close - start);
}

std::string CleanResultLine(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '*' && (i + 1 == line.size() || line[i + 1] == '+')) continue;
        out += line[i];
    }
    return out;
}

namespace {

std::string NamesOf(const FormulaTerm& term, int n) {
    std::vector<FormulaLiteral> names;
    for (const FormulaLiteral& literal : term.literals)
        names.push_back({VarNames.at(n - std::stoi(literal.name.substr(1))), literal.negated});
    return WriteTerm(names, gmDNF);
}

}  // namespace

std::string TermToNames(const std::string& term, int n) {
    const ParsedFormula parsed = ReadFormula(term, gmDNF);
    return parsed.terms.empty() ? std::string() : NamesOf(parsed.terms[0], n);
}

// Every line is checked before anything is used.
std::vector<std::string> CheckedResults(const std::vector<std::string>& lines, int n) {
    if (n < 1 || n > static_cast<int>(VarNames.size()))
        throw CoreAnswerError("The variable count " + std::to_string(n) + " is out of range.");
    if (lines.empty()) throw CoreAnswerError("The core wrote no result.");
    std::vector<std::string> results;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        results.push_back(CleanResultLine(CutResultLine(lines[i])));
        const std::string problem = ResultProblem(results.back(), n);
        if (!problem.empty())
            throw CoreAnswerError("Result line " + std::to_string(i + 1) +
                                  " is not valid: " + problem + ".");
    }
    return results;
}

OutputResult ResultOf(const std::string& result, int n) {
    const ParsedFormula parsed = ReadFormula(result, gmDNF);
    if (IsWord(parsed, "ONE_FUN")) return {"1", {}};
    if (IsWord(parsed, "ZERO_FUN")) return {"0", {}};
    OutputResult r;
    for (const FormulaTerm& t : parsed.terms) r.terms.push_back(NamesOf(t, n));
    r.formula = JoinTerms(r.terms, gmDNF);
    return r;
}

bool ReadCoreResults(ResultTree& tree, int n, std::vector<bool>* minimum, CoreStats* stats) {
    if (!std::filesystem::exists(ExchangeFilePath())) return false;
    if (n < 1 || n > static_cast<int>(VarNames.size()))
        throw CoreAnswerError("The variable count " + std::to_string(n) + " is out of range.");
    ResultsIntoTree(ReadLines(ExchangeFilePath()), tree, n, minimum, stats);
    return true;
}

void ResultsIntoTree(const std::vector<std::string>& lines, ResultTree& tree, int n,
                     std::vector<bool>* minimum, CoreStats* stats) {
    const std::vector<std::string> results = CheckedResults(lines, n);
    tree.Clear();
    if (minimum) minimum->clear();
    if (stats) *stats = StatsOfLine(lines.front());
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (minimum) minimum->push_back(ClaimsMinimum(lines[i]));
        const OutputResult r = ResultOf(results[i], n);
        // A single term is the root itself, without children.
        const int root = tree.AddRoot(r.formula);
        if (r.terms.size() >= 2)
            for (const std::string& t : r.terms) tree.AddChild(root, t);
    }
}

OutputsAnswer ReadOutputResults(const std::vector<std::string>& lines, int n, int k) {
    if (static_cast<int>(lines.size()) != k)
        throw CoreAnswerError("The core wrote " + std::to_string(lines.size()) + " results for " +
                              std::to_string(k) + " functions.");
    const std::vector<std::string> results = CheckedResults(lines, n);
    OutputsAnswer answer;
    for (const std::string& result : results) answer.outputs.push_back(ResultOf(result, n));
    answer.minimum = ClaimsMinimum(lines.front());
    for (auto& stat : StatsOfLine(lines.front()))
        if (stat.first != "output") answer.stats.push_back(std::move(stat));
    return answer;
}

bool StoppedByCancel(const CoreStats& stats) {
    for (const auto& [name, value] : stats)
        if (name == "stopped" && value == "cancel") return true;
    return false;
}

namespace {

// The four calls on what is in the exchange file, and its answer; the file is gone after.
std::vector<std::string> AnswerOfExchange(TTrimmer& core, const std::atomic<bool>& cancelled) {
    core.Operation1();
    if (cancelled) core.Cancel();
    core.Operation2();
    core.Operation3();
    core.Operation4();
    if (!std::filesystem::exists(ExchangeFilePath()))
        throw CoreAnswerError("The core gave no answer.");
    std::vector<std::string> lines = ReadLines(ExchangeFilePath());
    DeleteExchangeFile();
    return lines;
}

}  // namespace

std::vector<std::string> CallCoreWithRows(TTrimmer& core, const std::string& rows,
                                          const std::atomic<bool>& cancelled) {
    try {
        WriteExchangeFile(rows);
        return AnswerOfExchange(core, cancelled);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(ExchangeFilePath(), ec);
        throw;
    }
}

std::vector<std::string> CallCore(TTrimmer& core, int n,
                                  const std::vector<std::array<std::string, 3>>& lists,
                                  const std::atomic<bool>& cancelled) {
    try {
        {
            std::ofstream out(ExchangeFilePath(), std::ios::binary | std::ios::trunc);
            for (std::size_t j = 0; j < lists.size() && out; ++j) {
                std::string function(std::size_t{1} << n, '0');
                ReadList(function, lists[j][0], '1');
                ReadList(function, lists[j][1], '0');
                ReadList(function, lists[j][2], '2');
                out << function;
                if (lists.size() > 1) out << '\n';
            }
            out.flush();
            if (!out)
                throw std::runtime_error("Cannot write the exchange file " + ExchangeFilePath());
        }
        return AnswerOfExchange(core, cancelled);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(ExchangeFilePath(),
                                ec);  // a stale function must not pass as an answer
        throw;
    }
}

void DeleteExchangeFile() {
    std::error_code ec;
    std::filesystem::remove(ExchangeFilePath(), ec);
    if (ec) throw std::runtime_error("Cannot delete the exchange file: " + ec.message());
}

bool RunCoreAnalysis(TTrimmer& core, const std::string& function, int n, ResultTree& tree,
                     std::vector<bool>* minimum, CoreStats* stats) {
    try {
        WriteExchangeFile(function);
        core.Operation1();
        core.Operation2();
        core.Operation3();
        core.Operation4();
        const bool answered = ReadCoreResults(tree, n, minimum, stats);
        DeleteExchangeFile();
        if (!answered) {
            ShowCoreFailure(platform::TranslateText("The core gave no answer."));
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(ExchangeFilePath(),
                                ec);  // a stale function must not pass as an answer
        ShowCoreFailure(e.what());
        return false;
    }
}

bool SetCoreVariableCount(TTrimmer& core, int n) {
    try {
        core.Operation4();
        core.SetVariableCount(static_cast<short>(n));
        return true;
    } catch (const std::exception& e) {
        ShowCoreFailure(e.what());
        return false;
    }
}

bool SetCoreCubeInput(TTrimmer& core, bool on) {
    try {
        core.SetCubeInput(on ? 1 : 0);
        return true;
    } catch (const std::exception& e) {
        ShowCoreFailure(e.what());
        return false;
    }
}

bool SetCoreOutputCount(TTrimmer& core, int k) {
    try {
        core.SetOutputCount(static_cast<short>(k));
        return true;
    } catch (const std::exception& e) {
        ShowCoreFailure(e.what());
        return false;
    }
}

bool SetCoreEffort(TTrimmer& core, int effort) {
    try {
        core.SetEffort(static_cast<short>(effort));
        return true;
    } catch (const std::exception& e) {
        ShowCoreFailure(e.what());
        return false;
    }
}
