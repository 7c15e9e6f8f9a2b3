#pragma once
// The Verilog text of a sum-of-products formula: a module with one input port per variable
// and one output, driven by a continuous assignment. Names Verilog would not accept (not an
// identifier, a keyword, a name given twice) are refused with a VerilogError.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct VerilogError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Why `name` cannot name a port or module, or nothing when it can. Keywords of SystemVerilog
// count too, so that the text also passes tools that read it as SystemVerilog.
std::optional<std::string> VerilogNameProblem(const std::string& name);

struct VerilogNames {
    std::string module = "Boolean_Function";
    std::string output = "F";
};

// ports: the variables in order; the formula's terms are joined by "+", literals by "*", "|"
// negates. generated: the date and time for the header.
std::string VerilogText(const std::string& formula, const std::vector<std::string>& ports,
                        const VerilogNames& names, const std::string& generated);

// Several outputs of the same inputs: one output port per output, named by it; every product
// the outputs have in common is one wire k<i>. outputs: (name, formula) in port order.
std::string VerilogTextOutputs(const std::vector<std::pair<std::string, std::string>>& outputs,
                               const std::vector<std::string>& ports, const std::string& module,
                               const std::string& generated);
