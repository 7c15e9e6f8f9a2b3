#include "core/CoreObject.h"

#include <fstream>
#include <sstream>

#include "core/ExchangeFormat.h"

namespace mwcore {

CoreObject::CoreObject(std::string exchangePath, MinimizeOptions options)
    : path_(std::move(exchangePath)), options_(options) {}

void CoreObject::SetVariableCount(int n) {
    if (n < 1 || n > kMaxVars)
        throw CallError("variable count " + std::to_string(n) + " is outside 1.." +
                        std::to_string(kMaxVars));
    vars_ = n;
}

void CoreObject::SetEffort(int effort) {
    if (effort < 0 || effort > 2) throw CallError("effort " + std::to_string(effort) + " is outside 0..2");
    options_.effort = static_cast<Effort>(effort);
    // A proof has no work limit; the safety limit then gives it ten minutes.
    options_.timeLimitSeconds = options_.effort == Effort::Prove ? 600 : 60;
}

void CoreObject::ReadFunction() {
    problem_.reset();
    result_.reset();
    lines_.clear();
    if (vars_ == 0) throw CallError("the variable count was not set");
    std::ifstream in(path_, std::ios::binary | std::ios::ate);
    if (!in) throw CallError("cannot read the exchange file " + path_);
    // Only a line break may follow the string; anything longer is refused unread.
    const std::streamoff size = in.tellg();
    const std::streamoff expected = std::streamoff{1} << vars_;
    if (size > expected + 2)
        throw CallError("the function string has more than " + std::to_string(expected) + " characters");
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    try {
        problem_ = ParseFunctionString(text.str(), vars_);
    } catch (const FormatError& e) {
        throw CallError(e.what());
    }
}

void CoreObject::MinimizeFunction() {
    if (!problem_) throw CallError("no function was read");
    try {
        result_ = Minimize(*problem_, options_);
    } catch (const VerificationError& e) {
        throw CallError(e.what());
    }
}

void CoreObject::FormatResults() {
    if (!result_) throw CallError("nothing was minimized");
    lines_ = ResultLines(*result_);
}

void CoreObject::WriteResults() {
    if (lines_.empty()) return;
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines_) out << line << '\n';
    out.flush();
    if (!out) throw CallError("cannot write the exchange file " + path_);
    lines_.clear();
    problem_.reset();
    result_.reset();
}

}  // namespace mwcore
