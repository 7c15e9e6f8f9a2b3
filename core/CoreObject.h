#pragma once
// The component the program hosts: a dispatch object whose calls come in a fixed order.
// SetVariableCount (5) sets n. Operation1 (1) reads the function string from the exchange
// file, Operation2 (2) minimizes, Operation3 (3) turns the covers into result lines and
// Operation4 (4) writes them back over the exchange file. Operation4 with nothing pending (as
// when the program changes n) does nothing. Later additions that older hosts never call:
// SetEffort (6) chooses quick (0), thorough (1, the default) or prove (2); SetOutputCount (7)
// sets how many functions of the n inputs the exchange file holds, one string per line, to be
// minimized together with shared products (1, the default, is the single function above);
// Cancel (8), the one call that may come from another thread while Operation2 runs, stops it
// with the best cover found so far. A Cancel before Operation1 is forgotten by it.
// SetCubeInput (9): 1 makes the exchange file hold the rows of a PLA instead of function
// strings (CubeExchange.h), for any width up to kMaxCubeVars; SetVariableCount then takes
// counts past the tables' and SetOutputCount says how many outputs the rows have. 0 goes back
// to function strings (a count past theirs must then be set again).

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/CubeExchange.h"
#include "core/ExchangeFormat.h"
#include "core/Minimize.h"
#include "core/MultiMinimize.h"
#include "core/Problem.h"

namespace mwcore {

struct CallError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class CoreObject {
  public:
    CoreObject(std::string exchangePath, MinimizeOptions options);

    void SetVariableCount(int n);
    void SetEffort(int effort);
    void SetOutputCount(int k);
    void SetCubeInput(int on);
    void ReadFunction();
    void MinimizeFunction();
    void FormatResults();
    void WriteResults();
    // Safe from any thread at any time.
    void Cancel() { cancel_->store(true); }

  private:
    void ReadFunctions(const std::string& text);
    void ReadCubes();
    MinimizeOptions MultiOptionsNow() const;

    std::string path_;
    MinimizeOptions options_;
    int vars_ = 0;
    int outputs_ = 1;
    bool cubes_ = false;
    std::optional<CubeInput> cubeInput_;
    std::unique_ptr<std::atomic<bool>> cancel_ = std::make_unique<std::atomic<bool>>(false);
    std::optional<Problem> problem_;
    std::optional<Minimization> result_;
    std::optional<MultiProblem> multiProblem_;
    std::optional<MultiMinimization> multiResult_;
    std::vector<std::string> lines_;
    bool answerPending_ = false;  // Operation3 came: Operation4 writes the result's text
};

}  // namespace mwcore
