#include "core/CoreObject.h"

#include <fstream>
#include <sstream>

#include "core/ExchangeFormat.h"

namespace mwcore {

CoreObject::CoreObject(std::string exchangePath, MinimizeOptions options)
    : path_(std::move(exchangePath)), options_(options) {
    options_.cancel = cancel_.get();
}

void CoreObject::SetVariableCount(int n) {
    const int most = cubes_ ? kMaxCubeVars : kMaxVars;
    if (n < 1 || n > most)
        throw CallError("variable count " + std::to_string(n) + " is outside 1.." +
                        std::to_string(most));
    vars_ = n;
}

void CoreObject::SetCubeInput(int on) {
    if (on < 0 || on > 1) throw CallError("cube input " + std::to_string(on) + " is not 0 or 1");
    cubes_ = on == 1;
    if (!cubes_ && vars_ > kMaxVars) vars_ = 0;
}

void CoreObject::SetEffort(int effort) {
    if (effort < 0 || effort > 2)
        throw CallError("effort " + std::to_string(effort) + " is outside 0..2");
    options_.effort = static_cast<Effort>(effort);
    // Allowances end quick and thorough; a proof has none, and the safety limit gives it ten
    // minutes, as it gives the others.
    options_.timeLimitSeconds = 600;
}

void CoreObject::SetOutputCount(int k) {
    if (k < 1 || k > kMaxOutputs)
        throw CallError("output count " + std::to_string(k) + " is outside 1.." +
                        std::to_string(kMaxOutputs));
    outputs_ = k;
}

MinimizeOptions CoreObject::MultiOptionsNow() const {
    // As mapwright-cli pla chooses for each effort; the work allowances scale as the single
    // function's do.
    MinimizeOptions o = MultiOptionsFor(options_.effort);
    o.workScale = options_.workScale;
    o.cancel = cancel_.get();
    return o;
}

// Past this the tables of several functions would not fit the memory the core allows itself.
constexpr std::size_t kMaxMultiBytes = std::size_t{450} << 20;

void CoreObject::ReadFunctions(const std::string& text) {
    try {
        multiProblem_ = ParseFunctionStrings(text, vars_, outputs_);
    } catch (const FormatError& e) {
        throw CallError(e.what());
    }
}

void CoreObject::ReadFunction() {
    problem_.reset();
    result_.reset();
    multiProblem_.reset();
    multiResult_.reset();
    cubeInput_.reset();
    lines_.clear();
    answerPending_ = false;
    cancel_->store(false);
    if (vars_ == 0) throw CallError("the variable count was not set");
    if (cubes_) return ReadCubes();
    // Refused before anything is read.
    if (outputs_ > 1 && MultiProblem::BytesFor(vars_, outputs_) > kMaxMultiBytes)
        throw CallError(std::to_string(outputs_) + " functions of " + std::to_string(vars_) +
                        " variables need more memory than the core allows itself (" +
                        std::to_string(kMaxMultiBytes >> 20) + " MB)");
    std::ifstream in(path_, std::ios::binary | std::ios::ate);
    if (!in) throw CallError("cannot read the exchange file " + path_);
    // Only a line break may follow the string; anything longer is refused unread.
    const std::streamoff size = in.tellg();
    const std::streamoff expected = std::streamoff{1} << vars_;
    if (size > (expected + 2) * outputs_)
        throw CallError(
            outputs_ == 1
                ? "the function string has more than " + std::to_string(expected) + " characters"
                : "the exchange file is longer than " + std::to_string(outputs_) +
                      " function strings of " + std::to_string(expected) + " characters");
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    if (outputs_ > 1) return ReadFunctions(text.str());
    try {
        problem_ = ParseFunctionString(text.str(), vars_);
    } catch (const FormatError& e) {
        throw CallError(e.what());
    }
}

// The rows are bounded as a PLA file is: what is longer is refused unread.
constexpr std::streamoff kMaxCubeText = std::streamoff{64} << 20;

void CoreObject::ReadCubes() {
    std::ifstream in(path_, std::ios::binary | std::ios::ate);
    if (!in) throw CallError("cannot read the exchange file " + path_);
    if (in.tellg() > kMaxCubeText)
        throw CallError("the exchange file is longer than " + std::to_string(kMaxCubeText >> 20) +
                        " MB");
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    try {
        cubeInput_ = ParseCubeExchange(text.str(), vars_, outputs_);
    } catch (const FormatError& e) {
        throw CallError(e.what());
    }
}

void CoreObject::MinimizeFunction() {
    if (cubeInput_) {
        try {
            lines_ = MinimizeCubeInput(*cubeInput_, MultiOptionsNow());
        } catch (const FormatError& e) {
            throw CallError(e.what());
        } catch (const VerificationError& e) {
            throw CallError(e.what());
        }
        cubeInput_.reset();
        return;
    }
    if (multiProblem_) {
        try {
            multiResult_ = MinimizeMulti(*multiProblem_, MultiOptionsNow());
        } catch (const VerificationError& e) {
            throw CallError(e.what());
        }
        return;
    }
    if (!problem_) throw CallError("no function was read");
    try {
        result_ = Minimize(*problem_, options_);
    } catch (const VerificationError& e) {
        throw CallError(e.what());
    }
}

void CoreObject::FormatResults() {
    if (cubes_ && !lines_.empty()) return;  // the rows' answer is made with the cover
    if (!multiResult_ && !result_) throw CallError("nothing was minimized");
    // The text itself is made as it is written, a piece at a time.
    answerPending_ = true;
}

void CoreObject::WriteResults() {
    if (lines_.empty() && !answerPending_) return;
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    if (answerPending_) {
        const TextSink sink = [&](std::string_view piece) {
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        };
        if (multiResult_)
            WriteMultiResultText(*multiResult_, outputs_, sink);
        else
            WriteResultText(*result_, sink);
    }
    for (const std::string& line : lines_) out << line << '\n';
    out.flush();
    if (!out) throw CallError("cannot write the exchange file " + path_);
    lines_.clear();
    answerPending_ = false;
    problem_.reset();
    result_.reset();
    multiProblem_.reset();
    multiResult_.reset();
}

}  // namespace mwcore
