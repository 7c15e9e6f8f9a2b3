// Several functions in the advanced tool's files and answers: Boolean function files with a
// section per output (one output exactly as before), PLA files of type fd, the core's answer
// per output with the shared products, and a run through the registered core with Cancel.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "TempFolder.h"
#include "advmin/FunctionLists.h"
#include "advmin/Outputs.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "files/Pla.h"
#include "platform/Message.h"

namespace {

using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

std::string RandomFunction(std::mt19937& rng, int n) {
    std::string f(std::size_t{1} << n, '0');
    for (char& c : f) c = "0012"[rng() % 4];
    return f;
}

TEST(OutputsFile, OneOutputIsWrittenAsAlwaysAndSeveralReadBack) {
    const TempFolder folder;
    ASSERT_TRUE(FileOfOutputs(5, {{"F1", {"1,3", "4", "7-9"}}}).Write(folder / "one.bf"));
    EXPECT_EQ(ReadAll(folder / "one.bf"), "[Boolean Function]\nVarCount=5\n1=1,3\n0=4\n*=7-9\n");
    // A lone output with a name of its own keeps it.
    ASSERT_TRUE(FileOfOutputs(5, {{"carry", {"1", "", ""}}}).Write(folder / "named.bf"));
    EXPECT_EQ(ReadAll(folder / "named.bf"),
              "[Boolean Function]\nVarCount=5\nName=carry\n1=1\n0=\n*=\n");

    const std::vector<OutputFunction> three = {
        {"s", {"1,2", "", "3"}}, {"c", {"3", "0", ""}}, {"F3", {"", "", ""}}};
    ASSERT_TRUE(FileOfOutputs(4, three).Write(folder / "three.bf"));
    const auto read = BooleanFunctionFile::Read(folder / "three.bf");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->VarCount, 4);
    EXPECT_EQ(OutputsOfFile(*read, {}), three);

    // Rewritten with one output: the file says so, and neither a name nor a section of before
    // comes back.
    ASSERT_TRUE(FileOfOutputs(4, {{"F1", {"5", "", ""}}}).Write(folder / "three.bf"));
    const auto again = BooleanFunctionFile::Read(folder / "three.bf");
    ASSERT_TRUE(again);
    EXPECT_EQ(OutputsOfFile(*again, {}), (std::vector<OutputFunction>{{"F1", {"5", "", ""}}}));

    // A count that names a missing section gives an output with nothing given; a count out of
    // range is refused with a message.
    WriteAll(folder / "short.bf", "[Boolean Function]\nVarCount=4\nOutputs=2\n1=1\n");
    const auto shortFile = BooleanFunctionFile::Read(folder / "short.bf");
    ASSERT_TRUE(shortFile);
    EXPECT_EQ(OutputsOfFile(*shortFile, {"x", {"", "9", ""}}),
              (std::vector<OutputFunction>{{"F1", {"1", "9", ""}}, {"F2", {"", "", ""}}}));
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    for (const char* count : {"0", "129", "two"}) {
        WriteAll(folder / "bad.bf",
                 std::string("[Boolean Function]\nVarCount=4\nOutputs=") + count + "\n");
        EXPECT_FALSE(BooleanFunctionFile::Read(folder / "bad.bf")) << count;
    }
    ASSERT_EQ(messages.Texts().size(), 3u);
    EXPECT_EQ(messages.Texts()[0].rfind("The file's count of functions is not valid.", 0), 0u);
}

TEST(OutputsPla, FunctionsComeBackFromTheFileWritten) {
    EXPECT_EQ(BlocksOf(0, 255, 8).size(), 1u);
    const auto blocks = BlocksOf(5, 12, 4);  // 5, 6-7, 8-11, 12
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[2].first, 8u);
    EXPECT_EQ(blocks[2].freeBits, 2);
    std::mt19937 rng(5);
    for (int n : {4, 7, 10}) {
        for (unsigned first = 0; first < std::min(40u, 1u << n); ++first) {
            const unsigned last = std::min<unsigned>((1u << n) - 1, first + rng() % 300);
            unsigned next = first;
            for (const MintermBlock& b : BlocksOf(first, last, n)) {
                EXPECT_EQ(b.first, next);
                EXPECT_EQ(b.first % (1u << b.freeBits), 0u) << "aligned";
                next += 1u << b.freeBits;
            }
            EXPECT_EQ(next, last + 1);
        }
        std::vector<std::string> functions = {RandomFunction(rng, n), RandomFunction(rng, n),
                                              std::string(1u << n, '1')};
        const std::string text = PlaOfFunctions(n, functions, {}, {"a", "b", "c"});
        pla::Error error;
        const auto file = pla::ReadText(text, &error);
        ASSERT_TRUE(file) << error.message;
        EXPECT_EQ(file->outputNames, (std::vector<std::string>{"a", "b", "c"}));
        EXPECT_TRUE(file->inputNames.empty());
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(file->FunctionString(j), functions[j]) << "n " << n << " output " << j;
        const std::vector<OutputFunction> outputs = OutputsOfPla(*file);
        ASSERT_EQ(outputs.size(), 3u);
        EXPECT_EQ(outputs[2].lists[0], "0-" + std::to_string((1 << n) - 1));
        EXPECT_EQ(
            FunctionFromLists(n, outputs[0].lists[0], outputs[0].lists[1], outputs[0].lists[2]),
            functions[0]);
    }
}

TEST(OutputsAnswer, LinesPerOutputWithTheSharedProducts) {
    for (int i = 0; i < 23; ++i) VarNames[i] = std::string(1, static_cast<char>('A' + i));
    const std::vector<std::string> lines = {
        "<result output=\"1\" minimum=\"true\" products=\"3\" proven=\"true\">x4*x3*+|x2*x1*</result>",
        "<result output=\"2\" minimum=\"true\">x4*x3*+x2*x1*</result>",
        "<result output=\"3\">ONE_FUN</result>"};
    const OutputsAnswer answer = ReadOutputResults(lines, 4, 3);
    ASSERT_EQ(answer.outputs.size(), 3u);
    EXPECT_EQ(answer.outputs[0].formula, "A*B+|C*D");
    EXPECT_EQ(answer.outputs[1].terms, (std::vector<std::string>{"A*B", "C*D"}));
    EXPECT_EQ(answer.outputs[2].formula, "1");
    EXPECT_TRUE(answer.outputs[2].terms.empty());
    EXPECT_TRUE(answer.minimum);
    EXPECT_EQ(answer.stats, (CoreStats{{"products", "3"}, {"proven", "true"}}));
    std::vector<std::vector<std::string>> terms;
    for (const auto& o : answer.outputs) terms.push_back(o.terms);
    const auto shared = SharedTerms(terms);
    EXPECT_EQ(shared[0], (std::vector<std::vector<int>>{{1}, {}}));
    EXPECT_EQ(shared[1], (std::vector<std::vector<int>>{{0}, {}}));
    EXPECT_THROW(ReadOutputResults({lines[0], lines[1]}, 4, 3), CoreAnswerError);
    EXPECT_THROW(ReadOutputResults({lines[0], lines[1], "<r>x5*</r>"}, 4, 3), CoreAnswerError);
}

std::string RegistryFile() {
    const char* bin = std::getenv("MW_BIN_DIR");
    return std::string(bin ? bin : ".") + "/classes.reg";
}

// The real core through the registry: several functions in one run, and a Cancel that came
// before the core read them still stops the run, with a verified answer.
TEST(OutputsCore, SeveralFunctionsAndCancelThroughTheRegisteredCore) {
    for (int i = 0; i < 23; ++i) VarNames[i] = std::string(1, static_cast<char>('A' + i));
    TTrimmer core(ExchangeFilePath(), RegistryFile());
    const int n = 9;
    core.Operation4();
    core.SetVariableCount(n);
    core.SetOutputCount(2);
    core.SetEffort(2);
    std::mt19937 rng(7);
    std::vector<std::string> functions = {RandomFunction(rng, n), RandomFunction(rng, n)};
    std::vector<std::array<std::string, 3>> lists;
    for (const std::string& f : functions)
        lists.push_back({ListOf(f, '1'), ListOf(f, '0'), ListOf(f, '2')});
    std::atomic<bool> cancelled{true};
    const std::vector<std::string> lines = CallCore(core, n, lists, cancelled);
    EXPECT_FALSE(std::filesystem::exists(ExchangeFilePath()));
    const OutputsAnswer answer = ReadOutputResults(lines, n, 2);
    EXPECT_TRUE(StoppedByCancel(answer.stats)) << lines[0].substr(0, 200);
    EXPECT_FALSE(answer.minimum);
    // Each output's formula is its function on every cared-for minterm.
    for (int j = 0; j < 2; ++j) {
        std::string got(functions[j].size(), '0');
        for (const std::string& term : answer.outputs[j].terms) {
            std::string product(got.size(), '1');
            std::size_t at = 0;
            for (std::size_t end; at <= term.size(); at = end + 1) {
                end = term.find('*', at);
                if (end == std::string::npos) end = term.size();
                const std::string literal = term.substr(at, end - at);
                const bool negated = literal[0] == '|';
                const int v = (negated ? literal[1] : literal[0]) - 'A';
                for (std::size_t m = 0; m < got.size(); ++m)
                    if (((m >> (n - 1 - v)) & 1) == negated) product[m] = '0';
            }
            for (std::size_t m = 0; m < got.size(); ++m)
                if (product[m] == '1') got[m] = '1';
        }
        for (std::size_t m = 0; m < got.size(); ++m) {
            if (functions[j][m] == '2') continue;
            ASSERT_EQ(got[m], functions[j][m]) << "output " << j << " minterm " << m;
        }
    }
    core.Cancel();  // between runs: forgotten by the next
    core.SetOutputCount(1);
    core.SetEffort(1);
    cancelled = false;
    CoreStats stats;
    MemoryResultTree tree;
    ResultsIntoTree(CallCore(core, n, {lists[0]}, cancelled), tree, n, nullptr, &stats);
    EXPECT_FALSE(StoppedByCancel(stats));
    EXPECT_FALSE(tree.roots.empty());
}

}  // namespace
