// Reading the core's answer into the tree, the exchange file's place and life, and the whole
// analysis run through the registered core, including cores that are missing or answer badly.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "platform/Message.h"

namespace {

void SetDefaultNames() {
    for (int i = 0; i < 23; ++i) VarNames[i] = std::string(1, static_cast<char>('A' + i));
}

void Answer(const std::string& text) {
    std::ofstream(ExchangeFilePath(), std::ios::binary) << text;
}

std::string RegistryFile() {
    const char* bin = std::getenv("MW_BIN_DIR");
    return std::string(bin ? bin : ".") + "/classes.reg";
}

MemoryResultTree TreeWithOldContent() {
    MemoryResultTree tree;
    tree.AddChild(tree.AddRoot("old"), "o");
    return tree;
}

TEST(Ocxint, ResultLinesBecomeRootsAndTerms) {
    SetDefaultNames();
    MemoryResultTree tree;
    Answer("<sop>x4*|x3*+x1*</sop>\nONE_FUN\n<r>ZERO_FUN</r>\nx2*|x1*\n");
    std::vector<bool> minimum;
    ASSERT_TRUE(ReadCoreResults(tree, 4, &minimum));
    ASSERT_EQ(tree.roots.size(), 4u);
    EXPECT_EQ(tree.roots[0].text, "A*|B+D");
    EXPECT_EQ(tree.roots[0].children, (std::vector<std::string>{"A*|B", "D"}));
    EXPECT_EQ(tree.roots[1].text, "1");
    EXPECT_EQ(tree.roots[2].text, "0");
    EXPECT_EQ(tree.roots[3].text, "C*|D");
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(tree.roots[i].children.empty());
    EXPECT_EQ(tree.NodeCount(), 6);
    EXPECT_EQ(minimum, (std::vector<bool>{false, false, false, false}));
    DeleteExchangeFile();
    EXPECT_FALSE(std::filesystem::exists(ExchangeFilePath()));

    EXPECT_EQ(CleanResultLine("x1*+x2*|x3*"), "x1+x2*|x3");
    EXPECT_EQ(CutResultLine("<a b=\"c\">x1*</a>"), "x1*");
    EXPECT_EQ(CutResultLine("x1*"), "x1*");
    EXPECT_EQ(CutResultLine("<a>x1*"), "x1*");
    EXPECT_EQ(CutResultLine("x1*</a>"), "");  // the first '>' is the closing tag's
    EXPECT_EQ(TermToNames("y12*|z1", 12), "A*|L");
}

TEST(Ocxint, StatsComeFromTheFirstLineOnly) {
    SetDefaultNames();
    MemoryResultTree tree;
    Answer(
        "<result minimum=\"true\" nodes=\"12\" stopped=\"time limit\" bad=\"a\"b\" X=\"1\" amp=\"a&b\">x1*</result>\n"
        "<result minimum=\"true\" nodes=\"99\">x2*</result>\n");
    CoreStats stats;
    ASSERT_TRUE(ReadCoreResults(tree, 2, nullptr, &stats));
    EXPECT_EQ(stats, (CoreStats{{"nodes", "12"}, {"stopped", "time limit"}}))
        << "quotes, capitals and other signs are skipped";
    Answer("x1*\n");
    ASSERT_TRUE(ReadCoreResults(tree, 2, nullptr, &stats));
    EXPECT_TRUE(stats.empty());
    DeleteExchangeFile();
}

TEST(Ocxint, BadAnswersLeaveTheTreeAlone) {
    SetDefaultNames();
    for (const char* answer :
         {"x5*\n", "x0*\n", "x1*+q*\n", "x1*\n\nx2*\n", "\n", "garbage\n", "|x1*x\n", "|x*\n"}) {
        MemoryResultTree tree = TreeWithOldContent();
        Answer(answer);
        EXPECT_THROW(ReadCoreResults(tree, 4), CoreAnswerError) << answer;
        EXPECT_EQ(tree.roots.size(), 1u);
        EXPECT_EQ(tree.roots[0].text, "old");
    }
    DeleteExchangeFile();
    MemoryResultTree tree = TreeWithOldContent();
    EXPECT_FALSE(ReadCoreResults(tree, 4));  // no file at all
    EXPECT_EQ(tree.roots[0].text, "old");
    EXPECT_NO_THROW(DeleteExchangeFile());
}

TEST(Ocxint, ExchangeFileIsPrivateAndNotInTheCurrentFolder) {
    const std::filesystem::path file(ExchangeFilePath());
    struct stat st {};
    ASSERT_EQ(stat(file.parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_NE(std::filesystem::weakly_canonical(file.parent_path()),
              std::filesystem::current_path());
}

TEST(Ocxint, AnalysisRunThroughTheRegisteredCore) {
    SetDefaultNames();
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    TTrimmer core(ExchangeFilePath(), RegistryFile());
    ASSERT_TRUE(SetCoreVariableCount(core, 4)) << (sink.Texts().empty() ? "" : sink.Texts()[0]);
    MemoryResultTree tree;
    std::vector<bool> minimum;
    const auto function = FunctionFromLists(4, "8-11,1,3,5,7,13,15", "", "");
    ASSERT_TRUE(function);
    ASSERT_TRUE(RunCoreAnalysis(core, *function, 4, tree, &minimum));
    ASSERT_EQ(tree.roots.size(), 1u);
    EXPECT_EQ(tree.roots[0].text, "D+A*|B");
    EXPECT_EQ(minimum, std::vector<bool>{true});
    EXPECT_FALSE(std::filesystem::exists(ExchangeFilePath())) << "the exchange file is left behind";
    EXPECT_TRUE(sink.Texts().empty());

    // A function string of the wrong length: the core says so, the tree keeps its content.
    ASSERT_FALSE(RunCoreAnalysis(core, "0101", 4, tree, nullptr));
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("16"), std::string::npos) << sink.Texts()[0];
    EXPECT_EQ(tree.roots[0].text, "D+A*|B");
    EXPECT_FALSE(std::filesystem::exists(ExchangeFilePath()));
    EXPECT_FALSE(SetCoreVariableCount(core, 40));
}

TEST(Ocxint, MissingOrBrokenCoresGiveAMessage) {
    testing_support::TempFolder folder;
    const std::string registry = folder / "classes.reg";
    std::ofstream(registry) << "# nothing registered\n";
    std::ofstream(folder / "broken.so") << "not a library";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"# empty\n", "not registered"},
        {std::string(CLASS_Trimmer) + "=missing.so\n", "cannot be loaded"},
        {std::string(CLASS_Trimmer) + "=broken.so\n", "cannot be loaded"},
        {std::string(CLASS_Trimmer) + "=libm.so.6\n", "no entry point"},
    };
    for (const auto& [content, expected] : cases) {
        std::ofstream(registry, std::ios::trunc) << content;
        platform::RecordingMessageSink sink;
        platform::ScopedMessageSink scope(&sink);
        TTrimmer core(ExchangeFilePath(), registry);
        MemoryResultTree tree = TreeWithOldContent();
        EXPECT_FALSE(RunCoreAnalysis(core, "0110", 2, tree));
        ASSERT_EQ(sink.Texts().size(), 1u);
        EXPECT_NE(sink.Texts()[0].find(expected), std::string::npos) << sink.Texts()[0];
        EXPECT_EQ(tree.roots[0].text, "old");
        EXPECT_FALSE(std::filesystem::exists(ExchangeFilePath()));
    }
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    TTrimmer core(ExchangeFilePath(), folder / "no-such.reg");
    EXPECT_FALSE(SetCoreVariableCount(core, 4));
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("registry"), std::string::npos);
}

TEST(FunctionLists, ReadingAsTheToolDoes) {
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    EXPECT_EQ(FunctionFromLists(4, "1,3,5-7", "", "2"), "0121011100000000");
    EXPECT_EQ(FunctionFromLists(4, "7-5", "", ""), FunctionFromLists(4, "5-7", "", ""));
    EXPECT_EQ(FunctionFromLists(4, "16,14-16,15", "", ""), "0000000000000001");
    EXPECT_EQ(FunctionFromLists(4, "3", "", "3"), "0002000000000000");
    // As the sets dialog reads it: "5-" is 0 to 5.
    EXPECT_EQ(FunctionFromLists(4, "0-15", "4", "5-"), "2222221111111111");
    const auto wide = FunctionFromLists(10, "700", "", "");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->find('1'), 700u);
    EXPECT_EQ(std::count(wide->begin(), wide->end(), '1'), 1);
    EXPECT_TRUE(sink.Texts().empty());
    for (const char* bad : {"1,a", "1 ,2", "3;4"}) {
        EXPECT_FALSE(FunctionFromLists(4, "", "", bad));
        EXPECT_FALSE(FunctionFromLists(4, bad, "x", ""));  // one message for the first bad list
    }
    EXPECT_EQ(sink.Texts(), std::vector<std::string>(6, "Invalid symbol in string."));
}

}  // namespace
