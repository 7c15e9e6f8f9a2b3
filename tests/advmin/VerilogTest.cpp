// The Verilog writer: its text, names Verilog would refuse, and core results compiled and
// simulated by Icarus Verilog against every minterm of their function.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "CoreOutputs.h"
#include "OutsideTool.h"
#include "TempFolder.h"
#include "advmin/Verilog.h"
#include "cli/Commands.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

TEST(Verilog, ModuleWithOnePortPerVariableAndOneAssignment) {
    const auto lines =
        Lines(VerilogText("A*|B+D", {"A", "B", "C", "D"}, {}, "01.02.2026 10:11:12"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[1], "// generated: 01.02.2026 10:11:12.");
    EXPECT_EQ(lines[4], "module Boolean_Function (");
    EXPECT_EQ(lines[5], "    input  wire A,");
    EXPECT_EQ(lines[8], "    input  wire D,");
    EXPECT_EQ(lines[9], "    output wire F");
    EXPECT_EQ(lines[10], ");");
    EXPECT_EQ(lines[11], "  assign F = (A & ~B) | D;");
    EXPECT_EQ(lines[12], "endmodule");
    EXPECT_EQ(Lines(VerilogText("|A*|B", {"A", "B"}, {"top", "y"}, "t"))[9],
              "  assign y = ~A & ~B;");
    EXPECT_EQ(Lines(VerilogText("1", {"A"}, {}, "t"))[8], "  assign F = 1'b1;");
    EXPECT_EQ(Lines(VerilogText("0", {"A"}, {}, "t"))[8], "  assign F = 1'b0;");
    EXPECT_EQ(Lines(VerilogText("A", {"A"}, {"m", "out"}, "t"))[4], "module m (");
}

TEST(Verilog, RefusesNamesVerilogWouldNotAccept) {
    for (const char* bad : {"1A", "A-B", "$A", "wire", "module", "logic", "", "\xc3\x84", "A B"}) {
        EXPECT_TRUE(VerilogNameProblem(bad)) << bad;
        EXPECT_THROW(VerilogText("A", {"A", bad}, {}, "t"), VerilogError) << bad;
        EXPECT_THROW(VerilogText("A", {"A"}, {bad, "F"}, "t"), VerilogError) << bad;
        EXPECT_THROW(VerilogText("A", {"A"}, {"m", bad}, "t"), VerilogError) << bad;
    }
    for (const char* good : {"A", "_x", "a$1", "WIRE", "Carry_In", "F"})
        EXPECT_FALSE(VerilogNameProblem(good)) << good;
    EXPECT_NO_THROW(VerilogText("A+a", {"A", "a"}, {}, "t")) << "Verilog tells letter cases apart";
    EXPECT_THROW(VerilogText("A", {"A", "A"}, {}, "t"), VerilogError);
    EXPECT_THROW(VerilogText("A", {"A", "F"}, {}, "t"), VerilogError)
        << "the output clashes with a port";
    EXPECT_THROW(VerilogText("A", {"A"}, {"A", "F"}, "t"), VerilogError)
        << "the module clashes with a port";
    EXPECT_THROW(VerilogText("A*E", {"A", "B"}, {}, "t"), VerilogError);
    EXPECT_THROW(VerilogText("", {"A"}, {}, "t"), VerilogError);
    EXPECT_THROW(VerilogText("A+|", {"A"}, {}, "t"), VerilogError);
}

TEST(Verilog, IcarusSimulatesEveryMintermOfCoreResults) {
    MW_REQUIRE_PROGRAM("iverilog");
    std::mt19937 rng(23);
    testing_support::TempFolder folder;
    const std::vector<std::string> names = {"Alpha", "b", "Carry_In", "d2", "E"};
    const int n = 5;
    for (int round = 0; round < 4; ++round) {
        std::string table;
        for (int m = 0; m < (1 << n); ++m) table += "0012"[rng() % 4];
        if (round == 3) table = std::string(1 << n, '1');
        std::ostringstream out, err;
        ASSERT_EQ(cli::RunCommand(
                      {"core", "--vars", "5", "--table", table, "--names", "Alpha,b,Carry_In,d2,E"},
                      out, err),
                  0)
            << err.str();
        const std::string formula = Lines(out.str()).at(0);
        std::ofstream(folder / "f.v") << VerilogText(formula, names, {"dut_module", "Out"}, "now");

        std::ofstream(folder / "tb.v")
            << "module tb;\n"
            << "  reg Alpha, b, Carry_In, d2, E;\n  wire Out;\n  integer m;\n"
            << "  dut_module dut(.Alpha(Alpha), .b(b), .Carry_In(Carry_In), .d2(d2), .E(E), .Out(Out));\n"
            << "  initial begin\n"
            << "    for (m = 0; m < " << (1 << n) << "; m = m + 1) begin\n"
            << "      {Alpha, b, Carry_In, d2, E} = m;\n"
            << "      #1 $display(\"%0d %b\", m, Out);\n"
            << "    end\n    $finish;\n  end\nendmodule\n";
        const std::string dir = folder.Path().string();
        ASSERT_EQ(Shell("cd '" + dir + "' && iverilog -Wall -o sim f.v tb.v > iverilog.log 2>&1"),
                  0)
            << formula << "\n"
            << testing_support::ReadAll(folder / "iverilog.log");
        ASSERT_EQ(Shell("cd '" + dir + "' && vvp -n sim > sim.log 2>&1"), 0) << formula;
        std::istringstream sim(testing_support::ReadAll(folder / "sim.log"));
        int seen = 0;
        for (std::string line; std::getline(sim, line);) {
            int m;
            char value;
            if (std::sscanf(line.c_str(), "%d %c", &m, &value) != 2 || m < 0 || m >= (1 << n))
                continue;
            ++seen;
            if (table[m] != '2') {
                EXPECT_EQ(value, table[m]) << formula << " minterm " << m;
            }
        }
        EXPECT_EQ(seen, 1 << n) << testing_support::ReadAll(folder / "sim.log");
    }
}

TEST(Verilog, SeveralOutputsOnePortEachAndEveryProductOnce) {
    const auto lines = Lines(
        VerilogTextOutputs({{"S", "A*|B+|A*B"}, {"C", "A*B"}, {"Z", "0"}}, {"A", "B"}, "m", "t"));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[6], "    input  wire B,");
    EXPECT_EQ(lines[7], "    output wire S,");
    EXPECT_EQ(lines[9], "    output wire Z");
    EXPECT_EQ(lines[11], "  wire k0, k1, k2;");
    EXPECT_EQ(lines[12], "  assign k0 = A & ~B;");
    EXPECT_EQ(lines[14], "  assign k2 = A & B;");
    EXPECT_EQ(lines[15], "  assign S = k0 | k1;");
    EXPECT_EQ(lines[16], "  assign C = k2;");
    EXPECT_EQ(lines[17], "  assign Z = 1'b0;");
    EXPECT_EQ(lines[18], "endmodule");
    EXPECT_THROW(VerilogTextOutputs({{"k0", "A"}}, {"A"}, "m", "t"), VerilogError)
        << "a product's wire";
    EXPECT_THROW(VerilogTextOutputs({{"A", "A"}}, {"A"}, "m", "t"), VerilogError);
    EXPECT_THROW(VerilogTextOutputs({{"m", "A"}}, {"A"}, "m", "t"), VerilogError);
    EXPECT_THROW(VerilogTextOutputs({{"y", "B"}}, {"A"}, "m", "t"), VerilogError);
}

TEST(Verilog, IcarusSimulatesEveryOutputOfACoreResultForSeveralFunctions) {
    MW_REQUIRE_PROGRAM("iverilog");
    std::mt19937 rng(29);
    testing_support::TempFolder folder;
    const std::vector<std::string> inputs = {"Alpha", "b", "Carry_In", "d2", "E"};
    const std::vector<std::string> outputs = {"s", "co", "y3"};
    const int n = 5;
    std::vector<std::string> tables(3);
    for (std::string& t : tables)
        for (int m = 0; m < (1 << n); ++m) t += "0012"[rng() % 4];
    const auto results = testing_support::CoreOutputs(n, tables, inputs, outputs);
    std::ofstream(folder / "f.v") << VerilogTextOutputs(results, inputs, "dut_module", "now");
    std::ofstream(folder / "tb.v")
        << "module tb;\n"
        << "  reg Alpha, b, Carry_In, d2, E;\n  wire s, co, y3;\n  integer m;\n"
        << "  dut_module dut(.Alpha(Alpha), .b(b), .Carry_In(Carry_In), .d2(d2), .E(E), .s(s), .co(co), .y3(y3));\n"
        << "  initial begin\n"
        << "    for (m = 0; m < " << (1 << n) << "; m = m + 1) begin\n"
        << "      {Alpha, b, Carry_In, d2, E} = m;\n"
        << "      #1 $display(\"%0d %b%b%b\", m, s, co, y3);\n"
        << "    end\n    $finish;\n  end\nendmodule\n";
    const std::string dir = folder.Path().string();
    ASSERT_EQ(Shell("cd '" + dir + "' && iverilog -Wall -o sim f.v tb.v > iverilog.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "iverilog.log");
    ASSERT_EQ(Shell("cd '" + dir + "' && vvp -n sim > sim.log 2>&1"), 0);
    std::istringstream sim(testing_support::ReadAll(folder / "sim.log"));
    int seen = 0;
    for (std::string line; std::getline(sim, line);) {
        int m;
        char values[4] = {};
        if (std::sscanf(line.c_str(), "%d %3c", &m, values) != 2 || m < 0 || m >= (1 << n))
            continue;
        ++seen;
        for (int j = 0; j < 3; ++j) {
            if (tables[j][m] == '2') continue;
            EXPECT_EQ(values[j], tables[j][m]) << outputs[j] << " minterm " << m;
        }
    }
    EXPECT_EQ(seen, 1 << n) << testing_support::ReadAll(folder / "sim.log");
}

}  // namespace
