#pragma once
// Several functions minimized together by the real core through the class registry, as the
// advanced tool has it done: (output name, formula over the given names) per function.

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"

namespace testing_support {

inline std::vector<std::pair<std::string, std::string>> CoreOutputs(
    int n, const std::vector<std::string>& functions, const std::vector<std::string>& inputs,
    const std::vector<std::string>& outputs) {
    const char* bin = std::getenv("MW_BIN_DIR");
    TTrimmer core(ExchangeFilePath(), std::string(bin ? bin : ".") + "/classes.reg");
    for (int i = 0; i < n; ++i) VarNames[i] = inputs[i];
    core.Operation4();
    core.SetVariableCount(static_cast<short>(n));
    core.SetOutputCount(static_cast<short>(functions.size()));
    std::vector<std::array<std::string, 3>> lists;
    for (const std::string& f : functions)
        lists.push_back({ListOf(f, '1'), ListOf(f, '0'), ListOf(f, '2')});
    const std::atomic<bool> cancelled{false};
    const int k = static_cast<int>(functions.size());
    const OutputsAnswer answer = ReadOutputResults(CallCore(core, n, lists, cancelled), n, k);
    std::vector<std::pair<std::string, std::string>> named;
    for (int j = 0; j < k; ++j) named.emplace_back(outputs[j], answer.outputs[j].formula);
    return named;
}

}  // namespace testing_support
