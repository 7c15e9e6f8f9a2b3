// A PLA of 40 inputs, far past the minterm lists, through the advanced tool's logic: its rows
// to the real core through the class registry, the answer read back per output, written as
// VHDL and Verilog, and both simulated (GHDL, Icarus Verilog) on seeded random input vectors
// against the file's own cubes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "OutsideTool.h"
#include "TempFolder.h"
#include "WidePla.h"
#include "advmin/Outputs.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/Verilog.h"
#include "advmin/Vhdl.h"
#include "advmin/ocxint.h"

namespace {

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

struct WideCase {
    pla::Pla file;
    std::vector<std::string> inputs, outputs;
    std::vector<std::pair<std::string, std::string>> results;  // (output, formula)
    std::vector<std::vector<bool>> vectors;
};

WideCase MinimizedWidePla() {
    WideCase w;
    pla::Error error;
    const auto file = pla::ReadText(testing_support::WidePlaText(40, 40, 3, 70), &error);
    if (!file) throw std::runtime_error(error.message);
    w.file = *file;
    const int n = w.file.inputs, k = w.file.outputs;
    for (int i = 0; i < n; ++i) w.inputs.push_back("in" + std::to_string(i));
    for (int j = 0; j < k; ++j) w.outputs.push_back("y" + std::to_string(j));
    for (int i = 0; i < n; ++i) VarNames[i] = w.inputs[i];
    const char* bin = std::getenv("MW_BIN_DIR");
    TTrimmer core(ExchangeFilePath(), std::string(bin ? bin : ".") + "/classes.reg");
    core.SetCubeInput(1);
    core.SetVariableCount(static_cast<short>(n));
    core.SetOutputCount(static_cast<short>(k));
    const std::atomic<bool> cancelled{false};
    const OutputsAnswer answer =
        ReadOutputResults(CallCoreWithRows(core, CubeRowsOf(w.file), cancelled), n, k);
    for (int j = 0; j < k; ++j) w.results.emplace_back(w.outputs[j], answer.outputs[j].formula);
    w.vectors = testing_support::WideVectors(w.file, 41, 400);
    return w;
}

std::string Bits(const std::vector<bool>& v) {
    std::string s;
    for (bool b : v) s += b ? '1' : '0';
    return s;
}

TEST(WidePlaHdl, TheCoreAnswerHoldsOnEveryVector) {
    const WideCase w = MinimizedWidePla();
    int ones = 0;
    for (const auto& v : w.vectors)
        for (int j = 0; j < w.file.outputs; ++j) {
            const char expected = testing_support::WideValue(w.file, j, v);
            std::string unknown;
            const bool got =
                testing_support::FormulaValue(w.results[j].second, w.inputs, v, &unknown);
            ASSERT_TRUE(unknown.empty()) << unknown;
            ones += expected == '1';
            if (expected != '2') EXPECT_EQ(got, expected == '1') << w.outputs[j] << " " << Bits(v);
        }
    EXPECT_GT(ones, 100) << "the vectors must try the ones, not only the zeros";
}

TEST(WidePlaHdl, GhdlSimulatesTheVhdlOnRandomVectors) {
    MW_REQUIRE_PROGRAM("ghdl");
    const WideCase w = MinimizedWidePla();
    testing_support::TempFolder folder;
    std::ofstream(folder / "f.vhd") << VhdlTextOutputs(w.results, w.inputs, "now");
    const int n = w.file.inputs, k = w.file.outputs;
    std::ostringstream tb;
    tb << "library IEEE;\nuse IEEE.std_logic_1164.all;\n"
       << "entity tb is\nend tb;\narchitecture sim of tb is\n  signal v : std_logic_vector(0 to "
       << n - 1 << ");\n  signal y : std_logic_vector(0 to " << k - 1 << ");\n"
       << "  type vectors is array (natural range <>) of std_logic_vector(0 to " << n - 1
       << ");\n  type values is array (natural range <>) of string(1 to " << k << ");\n"
       << "  constant inputs : vectors := (\n";
    for (std::size_t c = 0; c < w.vectors.size(); ++c)
        tb << "    \"" << Bits(w.vectors[c]) << "\"" << (c + 1 < w.vectors.size() ? ",\n" : ");\n");
    tb << "  constant expected : values := (\n";
    for (std::size_t c = 0; c < w.vectors.size(); ++c) {
        std::string e;
        for (int j = 0; j < k; ++j) e += testing_support::WideValue(w.file, j, w.vectors[c]);
        tb << "    \"" << e << "\"" << (c + 1 < w.vectors.size() ? ",\n" : ");\n");
    }
    tb << "  function ok(e : character; b : std_logic) return boolean is\n  begin\n"
       << "    return e = '2' or (e = '1' and b = '1') or (e = '0' and b = '0');\n"
       << "  end function;\nbegin\n  dut: entity work.Boolean_Function port map(";
    for (int i = 0; i < n; ++i) tb << "v(" << i << "), ";
    for (int j = 0; j < k; ++j) tb << "y(" << j << ")" << (j + 1 < k ? ", " : ");\n");
    tb << "  process\n  begin\n    for c in inputs'range loop\n      v <= inputs(c);\n"
       << "      wait for 5 ns;\n      for j in 0 to " << k - 1 << " loop\n"
       << "        assert ok(expected(c)(j + 1), y(j)) report \"output \" & integer'image(j) & "
          "\" at vector \" & integer'image(c) severity failure;\n"
       << "      end loop;\n    end loop;\n    report \"checked\";\n    wait;\n"
       << "  end process;\nend sim;\n";
    std::ofstream(folder / "tb.vhd") << tb.str();
    const std::string ghdl = "cd '" + folder.Path().string() + "' && ghdl ";
    ASSERT_EQ(Shell(ghdl + "-a --std=08 f.vhd tb.vhd > ghdl.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "ghdl.log");
    ASSERT_EQ(Shell(ghdl + "-e --std=08 tb >> ghdl.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "ghdl.log");
    EXPECT_EQ(Shell(ghdl + "-r --std=08 tb --assert-level=error >> ghdl.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "ghdl.log");
    EXPECT_NE(testing_support::ReadAll(folder / "ghdl.log").find("checked"), std::string::npos)
        << "the simulation must reach its end";
}

TEST(WidePlaHdl, IcarusSimulatesTheVerilogOnRandomVectors) {
    MW_REQUIRE_PROGRAM("iverilog");
    const WideCase w = MinimizedWidePla();
    testing_support::TempFolder folder;
    std::ofstream(folder / "f.v") << VerilogTextOutputs(w.results, w.inputs, "wide", "now");
    const int n = w.file.inputs, k = w.file.outputs;
    std::ostringstream tb;
    tb << "module tb;\n  reg [0:" << n - 1 << "] v;\n  wire [0:" << k - 1 << "] y;\n"
       << "  integer c;\n  reg [0:" << n - 1 << "] inputs [0:" << w.vectors.size() - 1
       << "];\n  wide dut(";
    for (int i = 0; i < n; ++i) tb << "." << w.inputs[i] << "(v[" << i << "]), ";
    for (int j = 0; j < k; ++j)
        tb << "." << w.outputs[j] << "(y[" << j << "])" << (j + 1 < k ? ", " : ");\n");
    tb << "  initial begin\n";
    for (std::size_t c = 0; c < w.vectors.size(); ++c)
        tb << "    inputs[" << c << "] = " << n << "'b" << Bits(w.vectors[c]) << ";\n";
    tb << "    for (c = 0; c < " << w.vectors.size() << "; c = c + 1) begin\n"
       << "      v = inputs[c];\n      #1 $display(\"%0d %b\", c, y);\n    end\n"
       << "    $finish;\n  end\nendmodule\n";
    std::ofstream(folder / "tb.v") << tb.str();
    const std::string dir = folder.Path().string();
    ASSERT_EQ(Shell("cd '" + dir + "' && iverilog -Wall -o sim f.v tb.v > iverilog.log 2>&1"), 0)
        << testing_support::ReadAll(folder / "iverilog.log");
    ASSERT_EQ(Shell("cd '" + dir + "' && vvp -n sim > sim.log 2>&1"), 0);
    std::istringstream sim(testing_support::ReadAll(folder / "sim.log"));
    std::size_t seen = 0;
    for (std::string line; std::getline(sim, line);) {
        std::istringstream fields(line);
        std::size_t c;
        std::string values;
        if (!(fields >> c >> values) || c >= w.vectors.size() || values.size() != std::size_t(k))
            continue;
        ++seen;
        for (int j = 0; j < k; ++j) {
            const char e = testing_support::WideValue(w.file, j, w.vectors[c]);
            if (e != '2') EXPECT_EQ(values[j], e) << w.outputs[j] << " at vector " << c;
        }
    }
    EXPECT_EQ(seen, w.vectors.size()) << testing_support::ReadAll(folder / "sim.log");
}

}  // namespace
