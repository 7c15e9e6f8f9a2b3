// PLAs past the minterm lists on the command line: core --pla hands the rows to the core as
// the advanced tool does, and convert writes a PLA the map cannot take as a Boolean function
// file of every output, or says why it cannot.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "WidePla.h"
#include "advmin/FunctionLists.h"
#include "cli/CliRun.h"
#include "files/BooleanFunctionFile.h"

namespace {

using testing_support::Cli;
using testing_support::CliRun;

// "name = formula" lines of core --pla's text, in order.
std::vector<std::pair<std::string, std::string>> Results(const std::string& out) {
    std::vector<std::pair<std::string, std::string>> results;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t eq = line.find(" = ");
        if (!line.starts_with("  ") && eq != std::string::npos)
            results.emplace_back(line.substr(0, eq), line.substr(eq + 3));
    }
    return results;
}

TEST(WidePlaCli, CoreTakesEveryOutputOfAFortyInputPla) {
    testing_support::TempFolder folder;
    std::string text = testing_support::WidePlaText(7, 40, 4, 60);
    std::ofstream(folder / "w.pla") << text;
    pla::Error error;
    const auto file = pla::ReadText(text, &error);
    ASSERT_TRUE(file) << error.message;
    CliRun r = Cli({"core", "--pla", folder / "w.pla"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto results = Results(r.out);
    ASSERT_EQ(results.size(), 4u) << r.out;
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back(file->InputName(i));
    for (int j = 0; j < 4; ++j) EXPECT_EQ(results[j].first, file->OutputName(j));
    for (const auto& v : testing_support::WideVectors(*file, 8, 300))
        for (int j = 0; j < 4; ++j) {
            const char e = testing_support::WideValue(*file, j, v);
            std::string unknown;
            const bool got = testing_support::FormulaValue(results[j].second, names, v, &unknown);
            ASSERT_TRUE(unknown.empty()) << unknown << " in " << results[j].second;
            if (e != '2') EXPECT_EQ(got, e == '1') << "output " << j;
        }

    // The same file in JSON, one result per output with its name and terms.
    r = Cli({"core", "--pla", folder / "w.pla", "--json", "--effort", "quick"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"variables\":40,\"results\":[{\"name\":\"f0\",\"formula\":", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("\"stats\":{\"products\":"), std::string::npos) << r.out;
}

TEST(WidePlaCli, CoreRefusesWhatItCannotNameBeforeAnyWork) {
    testing_support::TempFolder folder;
    // Input names a result could not be read back by: refused, --names gives others.
    std::string ilb = ".ilb a+b";
    for (int i = 1; i < 30; ++i) ilb += " c" + std::to_string(i);
    std::ofstream(folder / "n.pla") << ".i 30\n.o 1\n"
                                    << ilb << "\n"
                                    << std::string(30, '1') << " 1\n.e\n";
    CliRun r = Cli({"core", "--pla", folder / "n.pla"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("input 1: "), std::string::npos) << r.err;
    std::string names;
    for (int i = 0; i < 30; ++i) names += (i ? ",v" : "v") + std::to_string(i);
    r = Cli({"core", "--pla", folder / "n.pla", "--names", names});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 14), "f0 = v0*v1*v2*") << r.out;

    r = Cli({"core", "--pla", folder / "n.pla", "--vars", "4"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--pla takes no --vars"), std::string::npos) << r.err;
    r = Cli({"core", "--pla", folder / "missing.pla"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot open"), std::string::npos) << r.err;

    // More inputs than a result's literal numbers reach.
    std::ofstream(folder / "huge.pla") << ".i 1000\n.o 1\n" << std::string(1000, '-') << " 1\n.e\n";
    r = Cli({"core", "--pla", folder / "huge.pla"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("1000 inputs: the core's answer names at most 999"), std::string::npos)
        << r.err;
}

TEST(WidePlaCli, ConvertWritesEveryOutputTheMapCannotTakeAsAFunctionFile) {
    testing_support::TempFolder folder;
    const std::string text = testing_support::WidePlaText(3, 12, 3, 25);
    std::ofstream(folder / "w.pla") << text;
    CliRun r = Cli({"convert", folder / "w.pla", folder / "w.bf"});
    ASSERT_EQ(r.status, 0) << r.err;
    pla::Error error;
    const auto file = pla::ReadText(text, &error);
    ASSERT_TRUE(file);
    const auto bf = BooleanFunctionFile::Read(folder / "w.bf");
    ASSERT_TRUE(bf);
    EXPECT_EQ(bf->VarCount, 12);
    ASSERT_EQ(bf->More.size(), 2u);
    for (int j = 0; j < 3; ++j) {
        const auto& sets = j == 0 ? bf->Sets : bf->More[j - 1].Sets;
        const auto function =
            FunctionFromLists(12, sets[0].value_or(""), sets[1].value_or(""), sets[2].value_or(""));
        ASSERT_TRUE(function);
        EXPECT_EQ(*function, file->FunctionString(j)) << "output " << j;
    }
    // One output by --output: that output alone.
    r = Cli({"convert", folder / "w.pla", folder / "one.bf", "--output", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto one = BooleanFunctionFile::Read(folder / "one.bf");
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->More.empty());
    EXPECT_EQ(FunctionFromLists(12, one->Sets[0].value_or(""), one->Sets[1].value_or(""),
                                one->Sets[2].value_or("")),
              file->FunctionString(1));

    // Wider than minterm lists go: said, and nothing written.
    std::ofstream(folder / "wide.pla") << testing_support::WidePlaText(4, 30, 1, 5);
    r = Cli({"convert", folder / "wide.pla", folder / "wide.bf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("30 inputs: a Boolean function file lists minterms of at most 23"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "wide.bf"));
}

}  // namespace
