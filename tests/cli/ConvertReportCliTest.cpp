#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "HtmlCheck.h"
#include "MapHelpers.h"
#include "TempFolder.h"
#include "cli/Commands.h"
#include "files/MapFile.h"
#include "platform/ProgramFolder.h"

namespace {

using testing_support::ReadAll;

namespace fs = std::filesystem;

struct Ran {
    int status;
    std::string out, err;
};

Ran Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunCommand(args, out, err);
    return {status, out.str(), err.str()};
}

class ConvertReportCli : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "Reports/Include");
        for (const char* name : {"report.inc", "ttcell1.inc", "ttcell2.inc", "ttcell3.inc"})
            fs::copy_file(fs::path(MW_SOURCE_DIR) / "resources/Reports/Include" / name,
                          dir / "Reports/Include" / name);
        platform::SetProgramFolder(dir.string());
        TCarnoGrid map;
        testing_support::FillMinterms(map, {0, 1, 2, 5, 8, 9, 10}, {15});
        ASSERT_TRUE(SaveToFile(map, (dir / "in.km").string()));
    }
    void TearDown() override {
        platform::SetProgramFolder("");
        fs::remove_all(dir);
    }
    // ctest runs the tests of this suite as parallel processes: a folder of each test's own.
    fs::path dir = fs::path(::testing::TempDir()) /
                   ("mw-convert-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(ConvertReportCli, ConvertWritesEachKindByExtension) {
    const std::string in = (dir / "in.km").string();
    EXPECT_EQ(Cli({"convert", in, (dir / "out.bf").string()}).status, 0);
    EXPECT_EQ(ReadAll((dir / "out.bf").string()),
              "[Boolean Function]\nVarCount=4\n1=0-2,5,8-10\n0=3,4,6,7,11-14\n*=15\n");
    EXPECT_EQ(Cli({"convert", in, (dir / "out.HTML").string()}).status, 0);
    EXPECT_EQ(testing_support::HtmlErrors(ReadAll((dir / "out.HTML").string())), "");
    EXPECT_EQ(Cli({"convert", in, (dir / "plain.km").string()}).status, 0);
    EXPECT_EQ(fs::file_size(dir / "plain.km"), 12u + 16u);
    EXPECT_EQ(Cli({"convert", "--packed", in, (dir / "packed.km").string()}).status, 0);
    EXPECT_EQ(fs::file_size(dir / "packed.km"), 12u + 4u);

    EXPECT_EQ(Cli({"convert", in, (dir / "out.txt").string()}).status, 2);
    EXPECT_EQ(Cli({"convert", in}).status, 2);
    const Ran missing = Cli({"convert", (dir / "nothing.km").string(), (dir / "x.km").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    std::ofstream(dir / "bad.km") << "not a map";
    const Ran bad = Cli({"convert", (dir / "bad.km").string(), (dir / "x.km").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_FALSE(fs::exists(dir / "x.km"));
}

TEST_F(ConvertReportCli, AReadOnlyOutputIsRefusedUnlessForced) {
    const std::string in = (dir / "in.km").string(), out = (dir / "out.bf").string();
    std::ofstream(out) << "old";
    fs::permissions(out, fs::perms::owner_read);
    const Ran refused = Cli({"convert", in, out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(out + ": the file is read-only"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadAll(out), "old");
    EXPECT_EQ(Cli({"convert", "--force", in, out}).status, 0);
    EXPECT_NE(ReadAll(out).find("[Boolean Function]"),
              std::string::npos);  // other content of the file stays
}

TEST_F(ConvertReportCli, ReportAsTheDialogWouldWriteIt) {
    const std::string out = (dir / "r.htm").string();
    const Ran r = Cli({"report", "--km", (dir / "in.km").string(), "--map", "--sets",
                       "--truth-table", "--each-term", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string page = ReadAll(out);
    EXPECT_NE(page.find("F(A,B,C,D)=\""), std::string::npos);
    EXPECT_NE(page.find("Term[3]"), std::string::npos);
    EXPECT_NE(page.find("0-2,5,8-10"), std::string::npos);
    EXPECT_EQ(testing_support::HtmlErrors(page), "");

    EXPECT_EQ(Cli({"report", "--km", (dir / "in.km").string(), "--pos", "--out", out}).status, 0);
    EXPECT_NE(ReadAll(out).find("Conjunctive Normal Form"), std::string::npos);
    EXPECT_EQ(Cli({"report", "--km", (dir / "in.km").string()}).status, 2);
    fs::remove(dir / "Reports/Include/report.inc");
    const Ran broken = Cli({"report", "--km", (dir / "in.km").string(), "--out", out});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("report.inc"), std::string::npos);
}

}  // namespace
