// Texts and files far larger than any real input are refused with a message before they are
// read whole, and what the user had stays as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "advmin/FunctionLists.h"
#include "advmin/ocxint.h"
#include "circuit/Scheme.h"
#include "cli/CliRun.h"
#include "engine/CarnoGrid.h"
#include "engine/ResultTree.h"
#include "input/Formula.h"
#include "input/Sets.h"
#include "platform/Message.h"

namespace {

using testing_support::Cli;
using testing_support::TempFolder;
using testing_support::WriteAll;

// A sets or formula text of the largest accepted length, and one character more.
std::string Padded(const std::string& text, std::size_t length) {
    return text + std::string(length - text.size(), ' ');
}

std::vector<std::string> Cells(const TCarnoGrid& map) {
    std::vector<std::string> cells;
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) cells.push_back(map.Cells(c, r));
    return cells;
}

TEST(TextLimits, ASetsTextBeyondTheLimitIsRefusedAndTheMapKept) {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    TCarnoGrid map;
    map.SetCells(1, 1, "*");
    const auto before = Cells(map);
    EXPECT_FALSE(AnalyzeWorkString(map, Padded("0-15", TCarnoGrid::kMaxTextLength + 1), "1"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The text is too long."});
    EXPECT_EQ(Cells(map), before);

    messages.Clear();
    EXPECT_TRUE(AnalyzeWorkString(map, Padded("0-15", TCarnoGrid::kMaxTextLength), "1"));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(Cells(map), std::vector<std::string>(16, "1"));
}

TEST(TextLimits, AFormulaBeyondTheLimitIsRefusedAndFillsNothing) {
    TCarnoGrid map;
    const std::string longest = Padded("A*B", TCarnoGrid::kMaxTextLength);
    EXPECT_EQ(ValidateFormulaString(map, longest), 0);
    EXPECT_EQ(ValidateFormulaString(map, longest + " "), TCarnoGrid::kTextTooLong);
    AnalyzeFormulaString(map, longest + " ");
    EXPECT_EQ(Cells(map), std::vector<std::string>(16, ""));
    AnalyzeFormulaString(map, longest);
    const auto cells = Cells(map);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), "1"), 4);  // A*B covers a quarter of the map

    // The command line says so instead of naming a position.
    const TempFolder folder;
    WriteAll(folder / "f.txt", longest + " ");
    const auto r = Cli({"analyze", "--formula", "@" + (folder / "f.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The text is too long."), std::string::npos) << r.err;
}

TEST(TextLimits, ACircuitFormulaBeyondTheLimitIsRefused) {
    EXPECT_FALSE(CheckSchemeFormula(std::string(kMaxSchemeFormulaLength, 'A'), ftDNF));
    const auto error = CheckSchemeFormula(std::string(kMaxSchemeFormulaLength + 1, 'A'), ftDNF);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "The formula is too long.");
}

TEST(TextLimits, AMintermListBeyondTheLimitIsRefusedWithOneMessage) {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    std::string list(kMaxListLength + 1, ',');
    list.replace(0, 3, "0-5");
    EXPECT_FALSE(FunctionFromLists(4, "1", list, ""));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The list is too long."});
    list.pop_back();
    messages.Clear();
    EXPECT_EQ(FunctionFromLists(4, "1", list, "").value_or(""), std::string(16, '0'));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(FileLimits, AHugeCoreAnswerIsRefusedUnreadAndTheResultsKept) {
    MemoryResultTree tree;
    tree.AddRoot("kept");
    WriteExchangeFile("<r>x1</r>\n");
    std::filesystem::resize_file(ExchangeFilePath(), std::uintmax_t{4} << 30);
    try {
        ReadCoreResults(tree, 4);
        ADD_FAILURE() << "a 4 GB answer was read";
    } catch (const CoreAnswerError& e) {
        EXPECT_NE(std::string(e.what()).find("larger than 512 MB"), std::string::npos) << e.what();
    }
    ASSERT_EQ(tree.roots.size(), 1u);
    EXPECT_EQ(tree.roots[0].text, "kept");
    DeleteExchangeFile();
}

TEST(FileLimits, AHugeFileGivenToTheCommandLineIsRefusedUnread) {
    const TempFolder folder;
    const std::string path = folder / "huge.txt";
    WriteAll(path, "0-3");
    std::filesystem::resize_file(path, std::uintmax_t{4} << 30);
    for (const char* option : {"--ones", "--formula", "--table"}) {
        const auto r = Cli({"analyze", option, "@" + path});
        EXPECT_EQ(r.status, 1) << option;
        EXPECT_NE(r.err.find("is too large"), std::string::npos) << r.err;
    }
}

}  // namespace
