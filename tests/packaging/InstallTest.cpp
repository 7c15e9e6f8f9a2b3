// The program installed to a prefix as a desktop program, and its Debian package: what lands
// where, that the desktop's validators accept the entry and the metainfo, and that the
// installed programs start and find what ships with them.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "OutsideTool.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
};

// Runs a shell command line, its standard error joined to its output.
Outcome Shell(const std::string& command) {
    Outcome r;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), p))
        r.out.append(buffer.data(), n);
    const int raw = ::pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

const char* const kShipped[] = {
    "bin/mapwright",
    "bin/mapwright-cli",
    "lib/mapwright/mapwright",
    "lib/mapwright/mapwright-cli",
    "lib/mapwright/libmwcore.so",
    "lib/mapwright/classes.reg",
    "lib/mapwright/Languages/english.lng",
    "lib/mapwright/Languages/german.lng",
    "lib/mapwright/Reports/Include/report.inc",
    "lib/mapwright/help/mwr.html",
    "lib/mapwright/help/hh",
    "share/applications/io.github.mapwright.Mapwright.desktop",
    "share/icons/hicolor/scalable/apps/io.github.mapwright.Mapwright.svg",
    "share/metainfo/io.github.mapwright.Mapwright.metainfo.xml",
    "share/mime/packages/mapwright.xml",
    "share/man/man1/mapwright.1",
    "share/man/man1/mapwright-cli.1",
};

class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(fs::path(MW_BUILD_DIR) / "bin/mapwright") ||
            !fs::exists(fs::path(MW_BUILD_DIR) / "bin/help/hh"))
            GTEST_SKIP() << "the program is not built in " << MW_BUILD_DIR;
        const Outcome install = Shell("cmake --install " + Quoted(MW_BUILD_DIR) + " --prefix " +
                                      Quoted(prefix.Path().string()));
        ASSERT_EQ(install.status, 0) << install.out;
    }
    std::string At(const std::string& relative) const { return prefix / relative; }
    testing_support::TempFolder prefix;
};

TEST_F(Installed, EveryPartLandsWhereTheDesktopLooks) {
    for (const char* file : kShipped) EXPECT_TRUE(fs::exists(At(file))) << file;
    EXPECT_TRUE(fs::is_symlink(At("bin/mapwright")));
    EXPECT_TRUE(fs::is_symlink(At("bin/mapwright-cli")));
}

TEST_F(Installed, DesktopEntryValidates) {
    MW_REQUIRE_PROGRAM("desktop-file-validate");
    const Outcome v = Shell("desktop-file-validate " +
                            Quoted(At("share/applications/io.github.mapwright.Mapwright.desktop")));
    EXPECT_EQ(v.status, 0) << v.out;
    EXPECT_EQ(v.out, "") << "warnings or hints";
}

TEST_F(Installed, MetainfoValidates) {
    MW_REQUIRE_PROGRAM("appstreamcli");
    const Outcome v =
        Shell("appstreamcli validate --no-net " +
              Quoted(At("share/metainfo/io.github.mapwright.Mapwright.metainfo.xml")));
    EXPECT_EQ(v.status, 0) << v.out;
}

TEST_F(Installed, ProgramsStartFromThePrefixAndFindWhatShipsWithThem) {
    const Outcome help = Shell(Quoted(At("bin/mapwright")) + " --help");
    ASSERT_EQ(help.status, 0) << help.out;
    const std::string folder = fs::canonical(At("lib/mapwright")).string() + "/";
    EXPECT_NE(help.out.find("Program folder: " + folder + "\n"), std::string::npos) << help.out;
    for (const char* part : {"languages: found", "help: found", "report templates: found"})
        EXPECT_NE(help.out.find(part), std::string::npos) << help.out;

    // A window shown offscreen, then quit, from a folder that holds none of the program's files.
    const Outcome shown =
        Shell("cd / && QT_QPA_PLATFORM=offscreen MAPWRIGHT_QUIT_AFTER_SHOW=1 XDG_CONFIG_HOME=" +
              Quoted(prefix / "config") + " timeout 60 " + Quoted(At("bin/mapwright")));
    EXPECT_EQ(shown.status, 0) << shown.out;
    // The installed folder is shared even where it could be written: settings go to the user's.
    EXPECT_TRUE(fs::exists(prefix / "config/mapwright/mapwright.ini"));
    EXPECT_FALSE(fs::exists(At("lib/mapwright/mapwright.ini")));

    const Outcome cli = Shell("cd / && " + Quoted(At("bin/mapwright-cli")) + " analyze --ones 1,3");
    EXPECT_EQ(cli.status, 0) << cli.out;
    EXPECT_NE(cli.out.find("|A"), std::string::npos) << cli.out;
}

TEST(Package, HoldsTheInstalledFilesUnderUsr) {
    if (!fs::exists(fs::path(MW_BUILD_DIR) / "bin/mapwright") ||
        !fs::exists(fs::path(MW_BUILD_DIR) / "bin/help/hh"))
        GTEST_SKIP() << "the program is not built in " << MW_BUILD_DIR;
    MW_REQUIRE_PROGRAM("dpkg-deb");
    MW_REQUIRE_PROGRAM("dpkg-shlibdeps");
    testing_support::TempFolder out;
    const Outcome pack =
        Shell("cpack --config " + Quoted(std::string(MW_BUILD_DIR) + "/CPackConfig.cmake") +
              " -B " + Quoted(out.Path().string()) + " -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip");
    ASSERT_EQ(pack.status, 0) << pack.out;
    std::string deb;
    for (const auto& entry : fs::directory_iterator(out.Path()))
        if (entry.path().extension() == ".deb") deb = entry.path().string();
    ASSERT_FALSE(deb.empty()) << pack.out;
    const Outcome list = Shell("dpkg-deb -c " + Quoted(deb));
    ASSERT_EQ(list.status, 0) << list.out;
    for (const char* file : kShipped)
        EXPECT_NE(list.out.find(std::string("./usr/") + file), std::string::npos) << file;
    const Outcome fields = Shell("dpkg-deb -f " + Quoted(deb) + " Package Depends");
    EXPECT_NE(fields.out.find("Package: mapwright"), std::string::npos) << fields.out;
    EXPECT_NE(fields.out.find("libqt6widgets6"), std::string::npos)
        << "shared libraries found: " << fields.out;
}

}  // namespace
