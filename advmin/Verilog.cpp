#include "advmin/Verilog.h"

#include <algorithm>
#include <set>

#include "advmin/Vhdl.h"
#include "engine/FormulaText.h"

namespace {

const char* kVersion = "1.2";

const std::set<std::string>& Keywords() {
    static const std::set<std::string> words = {
        // Verilog 2005
        "always", "and", "assign", "automatic", "begin", "buf", "bufif0", "bufif1", "case", "casex",
        "casez", "cell", "cmos", "config", "deassign", "default", "defparam", "design", "disable",
        "edge", "else", "end", "endcase", "endconfig", "endfunction", "endgenerate", "endmodule",
        "endprimitive", "endspecify", "endtable", "endtask", "event", "for", "force", "forever",
        "fork", "function", "generate", "genvar", "highz0", "highz1", "if", "ifnone", "incdir",
        "include", "initial", "inout", "input", "instance", "integer", "join", "large", "liblist",
        "library", "localparam", "macromodule", "medium", "module", "nand", "negedge", "nmos",
        "nor", "noshowcancelled", "not", "notif0", "notif1", "or", "output", "parameter", "pmos",
        "posedge", "primitive", "pull0", "pull1", "pulldown", "pullup", "pulsestyle_ondetect",
        "pulsestyle_onevent", "rcmos", "real", "realtime", "reg", "release", "repeat", "rnmos",
        "rpmos", "rtran", "rtranif0", "rtranif1", "scalared", "showcancelled", "signed", "small",
        "specify", "specparam", "strong0", "strong1", "supply0", "supply1", "table", "task", "time",
        "tran", "tranif0", "tranif1", "tri", "tri0", "tri1", "triand", "trior", "trireg",
        "unsigned", "use", "uwire", "vectored", "wait", "wand", "weak0", "weak1", "while", "wire",
        "wor", "xnor", "xor",
        // SystemVerilog 2017 adds
        "accept_on", "alias", "always_comb", "always_ff", "always_latch", "assert", "assume",
        "before", "bind", "bins", "binsof", "bit", "break", "byte", "chandle", "checker", "class",
        "clocking", "const", "constraint", "context", "continue", "cover", "covergroup",
        "coverpoint", "cross", "dist", "do", "endchecker", "endclass", "endclocking", "endgroup",
        "endinterface", "endpackage", "endprogram", "endproperty", "endsequence", "enum",
        "eventually", "expect", "export", "extends", "extern", "final", "first_match", "foreach",
        "forkjoin", "global", "iff", "ignore_bins", "illegal_bins", "implements", "implies",
        "import", "inside", "int", "interconnect", "interface", "intersect", "join_any",
        "join_none", "let", "local", "logic", "longint", "matches", "modport", "nettype", "new",
        "nexttime", "null", "package", "packed", "priority", "program", "property", "protected",
        "pure", "rand", "randc", "randcase", "randsequence", "ref", "reject_on", "restrict",
        "return", "s_always", "s_eventually", "s_nexttime", "s_until", "s_until_with", "sequence",
        "shortint", "shortreal", "soft", "solve", "static", "string", "strong", "struct", "super",
        "sync_accept_on", "sync_reject_on", "tagged", "this", "throughout", "timeprecision",
        "timeunit", "type", "typedef", "union", "unique", "unique0", "until", "until_with",
        "untyped", "var", "virtual", "void", "wait_order", "weak", "wildcard", "with", "within"};
    return words;
}

bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// One term: "A & ~B".
std::string TermExpression(const FormulaTerm& term) {
    std::string out;
    for (const FormulaLiteral& literal : term.literals) {
        if (!out.empty()) out += " & ";
        out += literal.negated ? "~" + literal.name : literal.name;
    }
    return out;
}

void CheckLiterals(const FormulaTerm& term, const std::set<std::string>& known) {
    if (term.literals.empty()) throw VerilogError("The formula has an empty term.");
    for (const FormulaLiteral& literal : term.literals)
        if (!known.count(literal.name))
            throw VerilogError("The formula uses \"" + literal.name +
                               "\", which is not one of the variables.");
}

// The sum of products of a formula that is not a constant; refused when it has no terms.
ParsedFormula Products(const std::string& formula, const std::set<std::string>& known) {
    ParsedFormula parsed = ReadFormula(formula, gmDNF);
    if (parsed.terms.empty()) throw VerilogError("There is no formula to write as Verilog.");
    for (const FormulaTerm& term : parsed.terms) CheckLiterals(term, known);
    return parsed;
}

// The wires of the products: a port of such a name would clash.
bool IsProductWire(const std::string& name) {
    return name.size() > 1 && name[0] == 'k' &&
           name.find_first_not_of("0123456789", 1) == std::string::npos;
}

std::string Expression(const std::string& formula, const std::vector<std::string>& ports) {
    if (formula == "0") return "1'b0";
    if (formula == "1") return "1'b1";
    const ParsedFormula parsed = Products(formula, {ports.begin(), ports.end()});
    std::string out;
    for (const FormulaTerm& term : parsed.terms) {
        if (!out.empty()) out += " | ";
        const bool bracket = parsed.terms.size() > 1 && term.literals.size() > 1;
        out += bracket ? "(" + TermExpression(term) + ")" : TermExpression(term);
    }
    return out;
}

// The comment every generated module opens with.
std::string Banner(const std::string& generated) {
    return "//\n// generated: " + generated + ".\n// by Mapwright v" + kVersion + "\n//\n";
}

}  // namespace

std::optional<std::string> VerilogNameProblem(const std::string& name) {
    const auto bad = [&](const std::string& why) { return "The name \"" + name + "\" " + why; };
    if (name.empty()) return bad("is empty.");
    if (name.size() > kMaxHdlNameLength) return HdlNameTooLong(name);
    if (!IsLetter(name[0]) && name[0] != '_')
        return bad("is not a Verilog identifier: it must start with a letter or an underscore.");
    for (unsigned char c : name)
        if (!IsLetter(c) && !(c >= '0' && c <= '9') && c != '_' && c != '$')
            return bad(
                "is not a Verilog identifier: only letters, digits, underscores and $ are allowed.");
    if (Keywords().count(name)) return bad("is a Verilog keyword.");
    return std::nullopt;
}

std::string VerilogText(const std::string& formula, const std::vector<std::string>& ports,
                        const VerilogNames& names, const std::string& generated) {
    std::set<std::string> seen;
    for (const std::string* name : {&names.module, &names.output})
        if (auto problem = VerilogNameProblem(*name)) throw VerilogError(*problem);
    for (const std::string& p : ports) {
        if (auto problem = VerilogNameProblem(p)) throw VerilogError(*problem);
        if (!seen.insert(p).second)
            throw VerilogError("The name \"" + p + "\" is given to two ports.");
    }
    if (!seen.insert(names.output).second)
        throw VerilogError("The name \"" + names.output + "\" is given to two ports.");
    if (seen.count(names.module))
        throw VerilogError("The name \"" + names.module +
                           "\" is given to the module and to a port.");
    const std::string expression = Expression(formula, ports);

    std::string t;
    const auto line = [&](const std::string& s) { t += s + "\n"; };
    t += Banner(generated);
    line("module " + names.module + " (");
    for (const std::string& p : ports) line("    input  wire " + p + ",");
    line("    output wire " + names.output);
    line(");");
    line("  assign " + names.output + " = " + expression + ";");
    line("endmodule");
    return t;
}

std::string VerilogTextOutputs(const std::vector<std::pair<std::string, std::string>>& outputs,
                               const std::vector<std::string>& ports, const std::string& module,
                               const std::string& generated) {
    std::set<std::string> seen;
    if (auto problem = VerilogNameProblem(module)) throw VerilogError(*problem);
    const auto port = [&](const std::string& name) {
        if (auto problem = VerilogNameProblem(name)) throw VerilogError(*problem);
        if (IsProductWire(name))
            throw VerilogError("The name \"" + name + "\" is used by the generated text itself.");
        if (!seen.insert(name).second)
            throw VerilogError("The name \"" + name + "\" is given to two ports.");
    };
    for (const std::string& p : ports) port(p);
    for (const auto& output : outputs) port(output.first);
    if (seen.count(module))
        throw VerilogError("The name \"" + module + "\" is given to the module and to a port.");
    if (outputs.empty()) throw VerilogError("There is no formula to write as Verilog.");
    const std::set<std::string> known(ports.begin(), ports.end());
    std::vector<FormulaTerm> products;
    std::vector<std::string> sums;
    for (const auto& [name, formula] : outputs) {
        if (formula == "0" || formula == "1") {
            sums.push_back(formula == "0" ? "1'b0" : "1'b1");
            continue;
        }
        std::string sum;
        for (const FormulaTerm& term : Products(formula, known).terms) {
            const auto at =
                std::find_if(products.begin(), products.end(),
                             [&](const FormulaTerm& p) { return p.literals == term.literals; });
            if (!sum.empty()) sum += " | ";
            sum += "k" + std::to_string(at - products.begin());
            if (at == products.end()) products.push_back(term);
        }
        sums.push_back(sum);
    }

    std::string t;
    const auto line = [&](const std::string& s) { t += s + "\n"; };
    t += Banner(generated);
    line("module " + module + " (");
    for (const std::string& p : ports) line("    input  wire " + p + ",");
    for (std::size_t j = 0; j < outputs.size(); ++j)
        line("    output wire " + outputs[j].first + (j + 1 < outputs.size() ? "," : ""));
    line(");");
    if (!products.empty()) {
        std::string wires = "  wire ";
        for (std::size_t i = 0; i < products.size(); ++i)
            wires += (i ? ", k" : "k") + std::to_string(i);
        line(wires + ";");
    }
    for (std::size_t i = 0; i < products.size(); ++i)
        line("  assign k" + std::to_string(i) + " = " + TermExpression(products[i]) + ";");
    for (std::size_t j = 0; j < outputs.size(); ++j)
        line("  assign " + outputs[j].first + " = " + sums[j] + ";");
    line("endmodule");
    return t;
}
