// mapwright-cli circuit: pictures and the printed page from the command line.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "TempFolder.h"
#include "circuit/PictureChecks.h"
#include "circuit/PictureFile.h"
#include "cli/Commands.h"
#include "platform/Bitmap.h"
#include "platform/Jpeg.h"

namespace {

using picture_checks::U32;
using testing_support::ReadAll;
using testing_support::TempFolder;

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Circuit(std::vector<std::string> args) {
    args.insert(args.begin(), "circuit");
    std::ostringstream out, err;
    const int status = cli::RunCommand(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CircuitCli, PicturesInEveryFormatAndThePrintedPage) {
    TempFolder folder;
    CliRun r =
        Circuit({"--formula", "a*|b+c", "--out", folder / "c.jpg", "--pdf", folder / "c.pdf"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "324x243\n");  // the worked placement at the default Medium scale
    std::string error;
    const QImage jpeg = platform::DecodeJpeg(ReadAll(folder / "c.jpg"), 1 << 22, &error);
    EXPECT_EQ(jpeg.size(), QSize(324, 243)) << error;
    EXPECT_GT(qGray(jpeg.pixel(2, 2)), 240);  // white paper

    const std::string pdf = ReadAll(folder / "c.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(picture_checks::PdfPageCount(pdf), 1);
    EXPECT_TRUE(picture_checks::PdfHasPicture(pdf, 324, 243));

    r = Circuit({"--formula", "a+b*c", "--type", "POS", "--scheme", "NOR", "--gates", "EU",
                 "--scale", "Small", "--paper", "#FF0000", "--out", folder / "c.bmp"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bmp = ReadAll(folder / "c.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(std::to_string(U32(bmp, 18)) + "x" + std::to_string(U32(bmp, 22)) + "\n", r.out);
    EXPECT_EQ(bmp.substr(54, 3), std::string("\x00\x00\xFF", 3));  // red paper, blue-green-red

    r = Circuit({"--formula", "a", "--out", folder / "c.PNG"});
    EXPECT_EQ(r.status, 0) << r.err;
    QImage png;
    EXPECT_TRUE(png.load(QString::fromStdString(folder / "c.PNG")));
}

TEST(CircuitCli, BadInputIsRefusedWithoutWriting) {
    TempFolder folder;
    const std::string out = folder / "c.jpg";
    EXPECT_EQ(Circuit({"--out", out}).status, 2);
    EXPECT_EQ(Circuit({"--formula", "a"}).status, 2);
    EXPECT_EQ(Circuit({"--formula", "a", "--scale", "huge", "--out", out}).status, 2);
    EXPECT_EQ(Circuit({"--formula", "a", "--scheme", "XOR", "--out", out}).status, 2);
    EXPECT_EQ(Circuit({"--formula", "a", "--paper", "12345G", "--out", out}).status, 2);
    EXPECT_EQ(Circuit({"--formula", "a", "--out", folder / "c.gif"}).status, 1);
    EXPECT_EQ(Circuit({"--formula", "", "--out", out}).status, 1);
    CliRun r = Circuit({"--formula", "a+*+b", "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Position: 3."), std::string::npos) << r.err;
    std::string big = "a";
    for (int i = 0; i < 400; ++i) big += "+a*b*c";
    r = Circuit({"--formula", big, "--scale", "Huge", "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("too large"), std::string::npos);
    r = Circuit({"--formula", "a", "--out", folder / "no/such/c.jpg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Can't save the picture."), std::string::npos);
    EXPECT_EQ(folder.EntryCount(), 0u);
}

}  // namespace

TEST(CircuitCli, HelpNamesEveryPictureFormatTheOutputTakes) {
    const CliRun r = Circuit({"--help"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t at = r.out.find("--out FILE");
    ASSERT_NE(at, std::string::npos) << r.out;
    const std::string list = r.out.substr(at + 10, r.out.find(']', at) - at - 10);
    std::vector<std::string> named;
    for (std::size_t i = 0; i < list.size();) {
        const std::size_t end = std::min(list.find('|', i), list.size());
        named.push_back(list.substr(i, end - i));
        i = end + 1;
    }
    for (const std::string& ext : named)
        EXPECT_TRUE(PictureKindOfName("c" + ext)) << ext << " is named but not written";
    for (const char* ext : {".svg", ".tex", ".png", ".jpg", ".bmp"})
        EXPECT_NE(std::find(named.begin(), named.end(), ext), named.end()) << ext << ": " << list;
}
