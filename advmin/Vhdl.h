#pragma once
// The VHDL text of a two-level formula: an entity with one input port per variable and the
// output F_Out, and an architecture that ANDs each term into a signal k<i> and ORs them.
// Names that VHDL would not accept (not an identifier, a reserved word, a name the text
// itself uses) are refused with a VhdlError rather than written.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct VhdlError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Longest name written into VHDL or Verilog: the tools that read them (GHDL among them) refuse
// longer identifiers.
constexpr std::size_t kMaxHdlNameLength = 1023;

// "The name "…" is longer than …": the start of an overlong name, not all of it.
std::string HdlNameTooLong(const std::string& name);

// Why `name` cannot be a port, or nothing when it can.
std::optional<std::string> VhdlNameProblem(const std::string& name);

// ports: the variable list's names in order. hasResult: there is a result to implement (else
// only the entity is written). generated: the date and time for the header.
std::string VhdlText(const std::string& formula, const std::vector<std::string>& ports,
                     bool hasResult, const std::string& generated);

// Several outputs of the same inputs: one output port per output, named by it, and every
// product the outputs have in common made once. outputs: (name, formula) in port order.
std::string VhdlTextOutputs(const std::vector<std::pair<std::string, std::string>>& outputs,
                            const std::vector<std::string>& ports, const std::string& generated);

// The current local date and time as the header shows them.
std::string VhdlTimestamp();
