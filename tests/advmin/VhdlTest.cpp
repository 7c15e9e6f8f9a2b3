// The VHDL writer: the text line by line, names VHDL would refuse, and the text of real core
// results analysed and simulated by GHDL against every minterm of the function.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "CoreOutputs.h"
#include "OutsideTool.h"
#include "TempFolder.h"
#include "advmin/Vhdl.h"
#include "cli/Commands.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Vhdl, TextForATwoTermFormula) {
    const std::string text = VhdlText("A*|B+D", {"A", "B", "C", "D"}, true, "01.02.2026 10:11:12");
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[1], "-- generated: 01.02.2026 10:11:12.");
    EXPECT_EQ(lines[2], "-- by Mapwright v1.2");
    EXPECT_EQ(lines[3], "--");  // only what is true: no address of any kind
    EXPECT_EQ(text.find('@'), std::string::npos);
    EXPECT_EQ(text.find("http"), std::string::npos);
    EXPECT_EQ(lines[4], " ");
    EXPECT_EQ(lines[10], "entity  Boolean_Function  is");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[13 + i], "      " + std::string(1, "ABCD"[i]) + ": in std_logic;");
    EXPECT_EQ(lines[17], "      F_Out : out std_logic -- Function out");
    EXPECT_EQ(lines[19], "end Boolean_Function;");
    EXPECT_EQ(lines[23], "architecture SSAS of Boolean_Function is");
    EXPECT_EQ(lines[24], "signal  z , k0, k1 : std_logic;");
    EXPECT_EQ(lines[27], "  k0 <= A and not B;");
    EXPECT_EQ(lines[28], "  k1 <= D;");
    EXPECT_EQ(lines[30], "  z  <= k0 or k1;");
    EXPECT_EQ(lines[32], "  F_Out <= z after delay;");
    EXPECT_EQ(lines[33], "end SSAS;");

    EXPECT_EQ(Lines(VhdlText("1", {"A"}, true, "t"))[24], "  k0 <= '1';");
    EXPECT_EQ(Lines(VhdlText("|A*|B", {"A", "B"}, true, "t"))[25], "  k0 <= not A and not B;");
    const auto entityOnly = Lines(VhdlText("", {"A", "B"}, false, "t"));
    EXPECT_EQ(entityOnly.back(), "end Boolean_Function;");
}

TEST(Vhdl, RefusesNamesVhdlWouldNotAccept) {
    for (const char* bad : {"1A", "A__B", "B_", "_C", "A-B", "signal", "OR", "Entity", "F_Out", "z",
                            "k3", "delay", "\xc3\x84"}) {
        EXPECT_TRUE(VhdlNameProblem(bad)) << bad;
        EXPECT_THROW(VhdlText("A", {"A", bad}, true, "t"), VhdlError) << bad;
    }
    for (const char* good : {"A", "a_1", "Carry_In", "K", "kx", "ZZ"})
        EXPECT_FALSE(VhdlNameProblem(good)) << good;
    // The longest name the tools accept, and one more character.
    EXPECT_FALSE(VhdlNameProblem(std::string(1023, 'N')));
    const auto tooLong = VhdlNameProblem(std::string(1024, 'N'));
    ASSERT_TRUE(tooLong);
    EXPECT_NE(tooLong->find("longer than 1023 characters"), std::string::npos);
    EXPECT_LT(tooLong->size(), 200u) << "the message shows the start of the name";
    EXPECT_THROW(VhdlText("A", {"A", std::string(1024, 'N')}, true, "t"), VhdlError);
    EXPECT_THROW(VhdlText("A", {"A", "a"}, true, "t"), VhdlError);    // VHDL ignores case
    EXPECT_THROW(VhdlText("A*E", {"A", "B"}, true, "t"), VhdlError);  // not a port
    EXPECT_THROW(VhdlText("", {"A"}, true, "t"), VhdlError);
}

// Returns the process's exit status.
int Shell(const std::string& command) {
    return std::system(command.c_str());
}

TEST(Vhdl, GhdlSimulatesEveryMintermOfCoreResults) {
    MW_REQUIRE_PROGRAM("ghdl");
    std::mt19937 rng(11);
    testing_support::TempFolder folder;
    const std::vector<std::string> names = {"Alpha", "B", "Carry_In", "d2", "E"};
    const int n = 5;
    for (int round = 0; round < 3; ++round) {
        std::string table;
        for (int m = 0; m < (1 << n); ++m) table += "0012"[rng() % 4];
        std::ostringstream out, err;
        ASSERT_EQ(cli::RunCommand(
                      {"core", "--vars", "5", "--table", table, "--names", "Alpha,B,Carry_In,d2,E"},
                      out, err),
                  0)
            << err.str();
        const std::string formula = Lines(out.str()).at(0);
        std::ofstream(folder / "f.vhd") << VhdlText(formula, names, true, "now");

        std::ostringstream tb;
        tb << "library IEEE;\nuse IEEE.std_logic_1164.all;\nuse IEEE.numeric_std.all;\n"
           << "entity tb is\nend tb;\narchitecture sim of tb is\n"
           << "  signal Alpha, B, Carry_In, d2, E, F_Out : std_logic;\n"
           << "  constant expected : string(1 to " << (1 << n) << ") := \"" << table << "\";\n"
           << "begin\n"
           << "  dut: entity work.Boolean_Function port map(Alpha, B, Carry_In, d2, E, F_Out);\n"
           << "  process\n    variable v : unsigned(4 downto 0);\n  begin\n"
           << "    for m in 0 to " << (1 << n) - 1 << " loop\n"
           << "      v := to_unsigned(m, 5);\n"
           << "      Alpha <= v(4); B <= v(3); Carry_In <= v(2); d2 <= v(1); E <= v(0);\n"
           << "      wait for 5 ns;\n"
           << "      if expected(m + 1) = '1' then assert F_Out = '1' report \"minterm \" & integer'image(m) severity failure; end if;\n"
           << "      if expected(m + 1) = '0' then assert F_Out = '0' report \"minterm \" & integer'image(m) severity failure; end if;\n"
           << "    end loop;\n    wait;\n  end process;\nend sim;\n";
        std::ofstream(folder / "tb.vhd") << tb.str();
        const std::string dir = folder.Path().string();
        const std::string ghdl = "cd '" + dir + "' && ghdl ";
        ASSERT_EQ(Shell(ghdl + "-a --std=08 f.vhd tb.vhd > ghdl.log 2>&1"), 0) << formula;
        ASSERT_EQ(Shell(ghdl + "-e --std=08 tb >> ghdl.log 2>&1"), 0) << formula;
        EXPECT_EQ(Shell(ghdl + "-r --std=08 tb --assert-level=error >> ghdl.log 2>&1"), 0)
            << formula << " for " << table;
    }
}

TEST(Vhdl, SeveralOutputsOnePortEachAndEveryProductOnce) {
    const auto lines = Lines(
        VhdlTextOutputs({{"S", "A*|B+|A*B"}, {"Carry", "A*B"}, {"Zero", "0"}}, {"A", "B"}, "t"));
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[13], "      A: in std_logic;");
    EXPECT_EQ(lines[15], "      S : out std_logic;");
    EXPECT_EQ(lines[16], "      Carry : out std_logic;");
    EXPECT_EQ(lines[17], "      Zero : out std_logic -- Function out");
    EXPECT_EQ(lines[19], "end Boolean_Function;");
    EXPECT_EQ(lines[24], "signal  k0, k1, k2 : std_logic;");
    EXPECT_EQ(lines[27], "  k0 <= A and not B;");
    EXPECT_EQ(lines[29], "  k2 <= A and B;");
    EXPECT_EQ(lines[31], "  S <= k0 or k1 after delay;");
    EXPECT_EQ(lines[32], "  Carry <= k2 after delay;");
    EXPECT_EQ(lines[33], "  Zero <= '0' after delay;");
    EXPECT_EQ(lines[34], "end SSAS;");
    EXPECT_THROW(VhdlTextOutputs({{"a", "A"}}, {"A", "B"}, "t"), VhdlError)
        << "VHDL ignores letter case";
    EXPECT_THROW(VhdlTextOutputs({{"Y", "A"}, {"y", "B"}}, {"A", "B"}, "t"), VhdlError);
    EXPECT_THROW(VhdlTextOutputs({{"out", "A"}}, {"A"}, "t"), VhdlError);
    EXPECT_THROW(VhdlTextOutputs({{"Y", "C"}}, {"A"}, "t"), VhdlError);
    EXPECT_THROW(VhdlTextOutputs({}, {"A"}, "t"), VhdlError);
}

TEST(Vhdl, GhdlSimulatesEveryOutputOfACoreResultForSeveralFunctions) {
    MW_REQUIRE_PROGRAM("ghdl");
    std::mt19937 rng(17);
    testing_support::TempFolder folder;
    const std::vector<std::string> inputs = {"Alpha", "B", "Carry_In", "d2", "E"};
    const std::vector<std::string> outputs = {"Sum", "Co", "Y3", "Always"};
    const int n = 5;
    std::vector<std::string> tables(4);
    for (int j = 0; j < 3; ++j)
        for (int m = 0; m < (1 << n); ++m) tables[j] += "0012"[rng() % 4];
    tables[3] = std::string(1 << n, '1');
    const auto results = testing_support::CoreOutputs(n, tables, inputs, outputs);
    std::ofstream(folder / "f.vhd") << VhdlTextOutputs(results, inputs, "now");

    std::ostringstream tb;
    tb << "library IEEE;\nuse IEEE.std_logic_1164.all;\nuse IEEE.numeric_std.all;\n"
       << "entity tb is\nend tb;\narchitecture sim of tb is\n"
       << "  signal Alpha, B, Carry_In, d2, E, Sum, Co, Y3, Always : std_logic;\n"
       << "  type tables is array (0 to 3) of string(1 to " << (1 << n) << ");\n"
       << "  constant expected : tables := (\"" << tables[0] << "\", \"" << tables[1] << "\", \""
       << tables[2] << "\", \"" << tables[3] << "\");\n"
       << "  function ok(e : character; v : std_logic) return boolean is\n  begin\n"
       << "    return e = '2' or (e = '1' and v = '1') or (e = '0' and v = '0');\n  end function;\n"
       << "begin\n"
       << "  dut: entity work.Boolean_Function port map(Alpha, B, Carry_In, d2, E, Sum, Co, Y3, Always);\n"
       << "  process\n    variable v : unsigned(4 downto 0);\n  begin\n"
       << "    for m in 0 to " << (1 << n) - 1 << " loop\n"
       << "      v := to_unsigned(m, 5);\n"
       << "      Alpha <= v(4); B <= v(3); Carry_In <= v(2); d2 <= v(1); E <= v(0);\n"
       << "      wait for 5 ns;\n"
       << "      assert ok(expected(0)(m + 1), Sum) report \"Sum at \" & integer'image(m) severity failure;\n"
       << "      assert ok(expected(1)(m + 1), Co) report \"Co at \" & integer'image(m) severity failure;\n"
       << "      assert ok(expected(2)(m + 1), Y3) report \"Y3 at \" & integer'image(m) severity failure;\n"
       << "      assert ok(expected(3)(m + 1), Always) report \"Always at \" & integer'image(m) severity failure;\n"
       << "    end loop;\n    wait;\n  end process;\nend sim;\n";
    std::ofstream(folder / "tb.vhd") << tb.str();
    const std::string dir = folder.Path().string();
    const std::string ghdl = "cd '" + dir + "' && ghdl ";
    ASSERT_EQ(Shell(ghdl + "-a --std=08 f.vhd tb.vhd > ghdl.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "ghdl.log");
    ASSERT_EQ(Shell(ghdl + "-e --std=08 tb >> ghdl.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "ghdl.log");
    EXPECT_EQ(Shell(ghdl + "-r --std=08 tb --assert-level=error >> ghdl.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "ghdl.log");
}

}  // namespace
