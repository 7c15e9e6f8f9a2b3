// How soon Cancel stops the core, as the advanced tool calls it: the component object minimizes
// on a thread of its own at effort prove, Cancel comes from this thread after a delay, and the
// time from Cancel to the end of the minimization is measured, and the time the answer then
// takes to be formatted and written. Every answer is checked to be the function (each output
// on its care set) and to say it was cancelled.
//
//   mw_bench_cancel [--delay-ms D] [--seed S] [--min-inputs M] [--max-inputs N] [--outputs K]
//
// Seeded random functions (half ones, a quarter don't cares) of 8 to 16 and 20 to 23 inputs
// (from M up to N, 23 unless told), one output and four outputs together (or K alone). The answer's
// size is shown beside the times: the advanced tool refuses an answer past its limit.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/CoreObject.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The minterms a result line's sum of products covers, as 2^n characters '1' / '0'. Each term
// marks its own minterms, so that a cover of a million terms is checked in its own size.
std::string LineTable(const std::string& line, int n) {
    const std::size_t open = line.find('>');
    const std::string result = line.substr(open + 1, line.rfind("</") - open - 1);
    std::string table(std::size_t{1} << n, result == "ONE_FUN" ? '1' : '0');
    if (result == "ONE_FUN" || result == "ZERO_FUN") return table;
    const uint32_t all = static_cast<uint32_t>(table.size() - 1);
    std::istringstream terms(result);
    for (std::string term; std::getline(terms, term, '+');) {
        uint32_t mask = 0, val = 0;
        std::istringstream literals(term);
        for (std::string literal; std::getline(literals, literal, '*');) {
            if (literal.empty()) continue;
            const bool negated = literal[0] == '|';
            const int k = std::stoi(literal.substr(negated ? 2 : 1));
            mask |= 1u << (k - 1);
            if (!negated) val |= 1u << (k - 1);
        }
        const uint32_t free = all & ~mask;
        for (uint32_t sub = free;; sub = (sub - 1) & free) {
            table[val | sub] = '1';
            if (sub == 0) break;
        }
    }
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    int delayMs = 200;
    unsigned seed = 1;
    int minInputs = 0, maxInputs = 23, onlyOutputs = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--delay-ms") delayMs = std::stoi(argv[i + 1]);
        if (a == "--seed") seed = static_cast<unsigned>(std::stoul(argv[i + 1]));
        if (a == "--min-inputs") minInputs = std::stoi(argv[i + 1]);
        if (a == "--max-inputs") maxInputs = std::stoi(argv[i + 1]);
        if (a == "--outputs") onlyOutputs = std::stoi(argv[i + 1]);
    }
    const std::string file =
        (std::filesystem::temp_directory_path() / "mw_bench_cancel.exchange").string();
    std::printf("%-8s %7s %9s %12s %13s %10s %11s %s\n", "inputs", "outputs", "ran (s)",
                "to stop (ms)", "to write (ms)", "stopped", "answer (MB)", "answer");
    std::mt19937 rng(seed);
    bool allGood = true;
    for (int outputs : {1, 4}) {
        for (int n : {8, 10, 12, 14, 16, 20, 21, 22, 23}) {
            if (n > maxInputs) break;
            std::vector<std::string> functions(outputs, std::string(std::size_t{1} << n, '0'));
            for (std::string& f : functions)
                for (char& c : f) c = "0112"[rng() % 4];
            // Skipped sizes still draw their functions: the others stay those of a whole run.
            if (n < minInputs || (onlyOutputs > 0 && outputs != onlyOutputs)) continue;
            std::string text;
            for (const std::string& f : functions) text += f + "\n";
            std::ofstream(file) << text;
            mwcore::CoreObject core(file, {});
            core.SetVariableCount(n);
            core.SetEffort(2);
            core.SetOutputCount(outputs);
            core.ReadFunction();
            const auto start = Clock::now();
            Clock::time_point cancelAt{}, end{};
            std::atomic<bool> done{false};
            std::thread worker([&] {
                core.MinimizeFunction();
                end = Clock::now();
                done = true;
            });
            while (!done && Clock::now() - start < std::chrono::milliseconds(delayMs))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            cancelAt = Clock::now();
            core.Cancel();
            worker.join();
            core.FormatResults();
            core.WriteResults();
            const auto written = Clock::now();
            const std::string answerText = Slurp(file);
            std::istringstream lines(answerText);
            std::vector<std::string> answer;
            for (std::string line; std::getline(lines, line);) answer.push_back(line);
            bool right = static_cast<int>(answer.size()) >= outputs;
            for (int j = 0; j < outputs && right; ++j) {
                const std::string got = LineTable(answer[outputs == 1 ? 0 : j], n);
                for (uint32_t m = 0; m < functions[j].size() && right; ++m)
                    right = functions[j][m] == '2' || got[m] == functions[j][m];
            }
            const bool cancelled =
                !answer.empty() && answer[0].find("stopped=\"cancel\"") != std::string::npos;
            const double ran = std::chrono::duration<double>(end - start).count();
            const double toStop =
                end > cancelAt ? std::chrono::duration<double, std::milli>(end - cancelAt).count()
                               : 0;
            const double toWrite = std::chrono::duration<double, std::milli>(written - end).count();
            std::printf(
                "%-8d %7d %9.3f %12.0f %13.0f %10s %11.1f %s\n", n, outputs, ran, toStop, toWrite,
                done && end < cancelAt ? "before"
                : cancelled            ? "cancel"
                                       : "other",
                static_cast<double>(answerText.size()) / (1 << 20), right ? "verified" : "WRONG");
            std::fflush(stdout);
            allGood = allGood && right;
        }
    }
    std::filesystem::remove(file);
    return allGood ? 0 : 1;
}
