// The one-file page driven in Chromium (web/drive/main.mjs): 200 seeded maps of 2 to 8
// variables, both forms, with don't cares, opened by link and compared with what mapwright-cli
// analyze and explain answer for the same maps; maps clicked and typed in, formulas, bad input,
// files, pictures, screenshots, a phone screen and accessibility.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "OutsideTool.h"
#include "TempFolder.h"
#include "cli/CliRun.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Cli;

struct Case {
    int vars = 0;
    bool pos = false;
    std::string table;  // by minterm: '1', '0' or '-' (don't care)
    std::string formula;
};

std::string List(const std::string& table, char value) {
    std::string out;
    for (std::size_t m = 0; m < table.size(); ++m)
        if (table[m] == value) out += (out.empty() ? "" : ",") + std::to_string(m);
    return out;
}

std::string Quote(const std::string& text) {
    std::string q = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + '"';
}

// The CLI's JSON answers for the case, as the page must show them.
std::string Expected(const Case& c) {
    std::vector<std::string> args{"--vars", std::to_string(c.vars), "--json"};
    if (c.pos) args.push_back("--pos");
    if (!c.formula.empty()) {
        args.insert(args.end(), {"--formula", c.formula});
    } else {
        const std::pair<const char*, char> lists[] = {
            {"--ones", '1'}, {"--zeros", '0'}, {"--dc", '-'}};
        for (const auto& [option, value] : lists)
            if (const std::string l = List(c.table, value); !l.empty())
                args.insert(args.end(), {option, l});
    }
    std::string json;
    for (const char* command : {"analyze", "explain"}) {
        std::vector<std::string> call{command};
        call.insert(call.end(), args.begin(), args.end());
        const auto run = Cli(call);
        EXPECT_EQ(run.status, 0) << run.err;
        json += std::string(",\"") + command + "\":" + run.out;
    }
    return json;
}

std::string CaseJson(const Case& c) {
    return "{\"vars\":" + std::to_string(c.vars) + ",\"pos\":" + (c.pos ? "true" : "false") +
           ",\"ones\":" + Quote(List(c.table, '1')) + ",\"zeros\":" + Quote(List(c.table, '0')) +
           ",\"dc\":" + Quote(List(c.table, '-')) + ",\"table\":" + Quote(c.table) +
           ",\"formula\":" + Quote(c.formula) + ",\"formulaType\":\"SOP\"" + Expected(c) + "}";
}

std::string ArrayJson(const std::vector<Case>& cases) {
    std::string out = "[";
    for (std::size_t i = 0; i < cases.size(); ++i) out += (i ? ",\n" : "") + CaseJson(cases[i]);
    return out + "]";
}

std::vector<Case> SeededMaps(int count) {
    std::mt19937 random(20261208);
    std::vector<Case> cases;
    for (int i = 0; i < count; ++i) {
        Case c;
        c.vars = 2 + i % 7;
        c.pos = (i / 7) % 2 == 1;
        const int dcShare = static_cast<int>(random() % 30);  // up to 30 % don't cares
        for (int m = 0; m < (1 << c.vars); ++m) {
            const int r = static_cast<int>(random() % 100);
            c.table += r < dcShare ? '-' : (r % 2 ? '1' : '0');
        }
        cases.push_back(c);
    }
    return cases;
}

TEST(WebPage, AgreesWithTheCommandLineInChromium) {
    MW_REQUIRE_PROGRAM("chromium");
    MW_REQUIRE_PROGRAM("node");
    MW_REQUIRE_PROGRAM("em++");
    const fs::path page = fs::path(MW_BUILD_DIR) / "web" / "mapwright.html";
    ASSERT_TRUE(fs::exists(page)) << page << " was not built (the mw_web target builds it)";
    const char* bin = std::getenv("MW_BIN_DIR");
    ASSERT_NE(bin, nullptr);

    const std::vector<Case> seeded = SeededMaps(200);
    const std::vector<Case> typed(seeded.begin(), seeded.begin() + 3);  // 2, 3 and 4 variables
    std::vector<Case> formulas(2);
    formulas[0].vars = 4;
    formulas[0].formula = "|A*B+C*D+A*|C*|D";
    formulas[1].vars = 3;
    formulas[1].formula = "A*|B+|A*C";

    testing_support::TempFolder folder;
    const fs::path cases = folder.Path() / "cases.json";
    std::ofstream(cases) << "{\"page\":" << Quote(page.string())
                         << ",\"cli\":" << Quote(std::string(bin) + "/mapwright-cli")
                         << ",\"chromium\":" << Quote(*testing_support::FindProgram("chromium"))
                         << ",\"folder\":" << Quote(folder.Path().string()) << ",\"germanFile\":"
                         << Quote(std::string(MW_SOURCE_DIR) + "/resources/Languages/german.lng")
                         << ",\"seeded\":" << ArrayJson(seeded) << ",\"typed\":" << ArrayJson(typed)
                         << ",\"formulas\":" << ArrayJson(formulas) << "}";
    const fs::path log = folder.Path() / "drive.log";
    const std::string command = "node " + std::string(MW_SOURCE_DIR) + "/web/drive/main.mjs " +
                                cases.string() + " > " + log.string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::stringstream output;
    output << std::ifstream(log).rdbuf();
    EXPECT_EQ(status, 0) << output.str();
    EXPECT_NE(output.str().find(" passed, 0 failed"), std::string::npos) << output.str();
    std::cout << output.str();
}

}  // namespace
