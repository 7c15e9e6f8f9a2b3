#pragma once
// The component the program hosts: a dispatch object whose calls come in a fixed order.
// SetVariableCount (5) sets n. Operation1 (1) reads the function string from the exchange
// file, Operation2 (2) minimizes, Operation3 (3) turns the covers into result lines and
// Operation4 (4) writes them back over the exchange file. Operation4 with nothing pending (as
// when the program changes n) does nothing. SetEffort (6), a later addition that older hosts
// never call, chooses quick (0), thorough (1, the default) or prove (2).

#include <optional>
#include <string>
#include <vector>

#include "core/Minimize.h"
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
    void ReadFunction();
    void MinimizeFunction();
    void FormatResults();
    void WriteResults();

private:
    std::string path_;
    MinimizeOptions options_;
    int vars_ = 0;
    std::optional<Problem> problem_;
    std::optional<Minimization> result_;
    std::vector<std::string> lines_;
};

}  // namespace mwcore
