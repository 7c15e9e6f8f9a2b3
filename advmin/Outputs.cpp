#include "advmin/Outputs.h"

#include <filesystem>
#include <map>
#include <set>

#include "advmin/FunctionLists.h"
#include "advmin/ocxint.h"
#include "files/Pla.h"
#include "files/PlaFile.h"
#include "platform/Message.h"
#include "platform/Translate.h"

std::string DefaultOutputName(int index) {
    return "F" + std::to_string(index + 1);
}

std::string OutputNamesProblem(const std::vector<OutputFunction>& outputs) {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::string& name = outputs[i].name;
        if (name.empty()) return "Output " + std::to_string(i + 1) + " has no name.";
        if (!seen.insert(name).second) return "The name \"" + name + "\" is given to two outputs.";
    }
    return "";
}

BooleanFunctionFile FileOfOutputs(int n, const std::vector<OutputFunction>& outputs) {
    BooleanFunctionFile file;
    file.VarCount = n;
    if (outputs.empty()) return file;
    for (int i = 0; i < 3; ++i) file.Sets[i] = outputs[0].lists[i];
    if (outputs.size() > 1 || outputs[0].name != DefaultOutputName(0)) file.Name = outputs[0].name;
    for (std::size_t k = 1; k < outputs.size(); ++k) {
        BooleanFunctionFile::Function& f = file.More.emplace_back();
        f.Name = outputs[k].name;
        for (int i = 0; i < 3; ++i) f.Sets[i] = outputs[k].lists[i];
    }
    return file;
}

std::vector<OutputFunction> OutputsOfFile(const BooleanFunctionFile& file,
                                          const OutputFunction& current) {
    std::vector<OutputFunction> outputs(1 + file.More.size());
    outputs[0] = current;
    outputs[0].name = file.Name && !file.Name->empty() ? *file.Name : DefaultOutputName(0);
    for (int i = 0; i < 3; ++i)
        if (file.Sets[i]) outputs[0].lists[i] = *file.Sets[i];
    for (std::size_t k = 0; k < file.More.size(); ++k) {
        const auto& f = file.More[k];
        outputs[k + 1].name =
            f.Name && !f.Name->empty() ? *f.Name : DefaultOutputName(static_cast<int>(k + 1));
        for (int i = 0; i < 3; ++i) outputs[k + 1].lists[i] = f.Sets[i].value_or("");
    }
    return outputs;
}

std::vector<OutputFunction> OutputsOfPla(const pla::Pla& file) {
    std::vector<OutputFunction> outputs;
    for (int o = 0; o < file.outputs; ++o) {
        const std::string function = file.FunctionString(o);
        outputs.push_back({file.OutputName(o),
                           {ListOf(function, '1'), ListOf(function, '0'), ListOf(function, '2')}});
    }
    return outputs;
}

bool KeptAsRows(int inputs, int outputs) {
    return inputs > kMaxListVariables || inputs >= 60 ||
           (static_cast<std::size_t>(outputs) << inputs) > kMaxFunctionCharacters;
}

std::string CubeRowsOf(const pla::Pla& file) {
    const bool offGiven = file.type == pla::Type::FR || file.type == pla::Type::FDR;
    // (kind, input part) -> output part, in the order first met.
    std::map<std::pair<int, std::string>, std::string> rows;
    std::vector<std::pair<int, std::string>> order;
    const auto add = [&](int kind, const pla::Cube& c, int j) {
        std::pair<int, std::string> key{kind, pla::InputPart(c, file.inputs)};
        auto [row, added] = rows.try_emplace(key, std::string(file.outputs, '~'));
        if (added) order.push_back(key);
        row->second[j] = "1-0"[kind];
    };
    for (int j = 0; j < file.outputs; ++j) {
        const pla::OutputSets& f = file.functions[j];
        for (const pla::Cube& c : f.on) add(0, c, j);
        for (const pla::Cube& c : f.dc) add(1, c, j);
        if (offGiven)
            for (const pla::Cube& c : f.off) add(2, c, j);
    }
    std::string text = offGiven ? ".type fdr\n" : ".type fd\n";
    for (const auto& key : order) text += key.second + " " + rows[key] + "\n";
    return text;
}

std::optional<OpenedFunctions> ReadBfFunctions(const std::string& path,
                                               const OutputFunction& current) {
    const auto content = ReadListsFile(path);
    if (!content) return std::nullopt;
    return OpenedFunctions{OutputsOfFile(*content, current), content->VarCount, {}};
}

std::optional<OpenedFunctions> ReadPlaFunctions(const std::string& path) {
    const auto say = [](const std::string& text) {
        platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok);
        return std::nullopt;
    };
    std::error_code failed;
    const auto size = std::filesystem::file_size(path, failed);
    if (!failed && size > kMaxPlaFileSize)
        return say(platform::TranslateText("The file is too large."));
    pla::Error error;
    auto file = pla::ReadFile(path, &error);
    if (!file) return say(error.message);
    if (file->inputs < kMinListVariables || file->inputs > kMaxCoreInputs || file->outputs < 1)
        return say(platform::TranslateText("The advanced tool takes PLAs of 4 to 999 inputs."));
    if (KeptAsRows(file->inputs, file->outputs)) {
        OpenedFunctions rows{{}, file->inputs, {}};
        rows.rows = std::make_unique<pla::Pla>(std::move(*file));
        return rows;
    }
    OpenedFunctions opened{OutputsOfPla(*file), file->inputs, {}};
    if (static_cast<int>(file->inputNames.size()) == file->inputs)
        opened.inputNames = file->inputNames;
    return opened;
}

std::vector<MintermBlock> BlocksOf(unsigned first, unsigned last, int n) {
    std::vector<MintermBlock> blocks;
    for (unsigned long long at = first; at <= last;) {
        int k = 0;
        while (k < n && (at & ((2ull << k) - 1)) == 0 && at + (2ull << k) - 1 <= last) ++k;
        blocks.push_back({static_cast<unsigned>(at), k});
        at += 1ull << k;
    }
    return blocks;
}

std::string PlaOfFunctions(int n, const std::vector<std::string>& functions,
                           const std::vector<std::string>& inputNames,
                           const std::vector<std::string>& outputNames) {
    const int k = static_cast<int>(functions.size());
    // Input part -> output part, in the order first met.
    std::map<std::pair<unsigned, unsigned>, std::string> rows;
    std::vector<std::pair<unsigned, unsigned>> order;
    const unsigned all = n >= 32 ? ~0u : (1u << n) - 1;
    for (int j = 0; j < k; ++j) {
        const std::string& f = functions[j];
        for (std::size_t m = 0; m < f.size();) {
            std::size_t end = m;
            while (end + 1 < f.size() && f[end + 1] == f[m]) ++end;
            if (f[m] == '1' || f[m] == '2')
                for (const MintermBlock& b :
                     BlocksOf(static_cast<unsigned>(m), static_cast<unsigned>(end), n)) {
                    const unsigned care = all & ~((1u << b.freeBits) - 1);
                    const std::pair<unsigned, unsigned> key{care, b.first & care};
                    auto [row, added] = rows.try_emplace(key, std::string(k, '~'));
                    if (added) order.push_back(key);
                    row->second[j] = f[m] == '1' ? '1' : '-';
                }
            m = end + 1;
        }
    }
    std::string t = ".i " + std::to_string(n) + "\n.o " + std::to_string(k) + "\n";
    const auto names = [&](const char* directive, const std::vector<std::string>& list) {
        if (list.empty()) return;
        t += directive;
        for (const std::string& name : list) t += " " + name;
        t += "\n";
    };
    names(".ilb", inputNames);
    names(".ob", outputNames);
    t += ".type fd\n.p " + std::to_string(order.size()) + "\n";
    for (const auto& key : order)
        t += pla::InputPart({key.first, key.second}, n) + " " + rows[key] + "\n";
    return t + ".e\n";
}

std::vector<std::vector<std::vector<int>>> SharedTerms(
    const std::vector<std::vector<std::string>>& terms) {
    std::map<std::string, std::vector<int>> owners;
    for (std::size_t j = 0; j < terms.size(); ++j)
        for (const std::string& t : terms[j])
            if (owners[t].empty() || owners[t].back() != static_cast<int>(j))
                owners[t].push_back(static_cast<int>(j));
    std::vector<std::vector<std::vector<int>>> shared(terms.size());
    for (std::size_t j = 0; j < terms.size(); ++j)
        for (const std::string& t : terms[j]) {
            std::vector<int>& others = shared[j].emplace_back();
            for (int o : owners[t])
                if (o != static_cast<int>(j)) others.push_back(o);
        }
    return shared;
}
