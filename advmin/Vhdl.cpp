#include "advmin/Vhdl.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <set>

#include "engine/FormulaText.h"

namespace {

const char* kVersion = "1.2";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

const std::set<std::string>& ReservedWords() {
    static const std::set<std::string> words = {"abs",
                                                "access",
                                                "after",
                                                "alias",
                                                "all",
                                                "and",
                                                "architecture",
                                                "array",
                                                "assert",
                                                "assume",
                                                "assume_guarantee",
                                                "attribute",
                                                "begin",
                                                "block",
                                                "body",
                                                "buffer",
                                                "bus",
                                                "case",
                                                "component",
                                                "configuration",
                                                "constant",
                                                "context",
                                                "cover",
                                                "default",
                                                "disconnect",
                                                "downto",
                                                "else",
                                                "elsif",
                                                "end",
                                                "entity",
                                                "exit",
                                                "fairness",
                                                "file",
                                                "for",
                                                "force",
                                                "function",
                                                "generate",
                                                "generic",
                                                "group",
                                                "guarded",
                                                "if",
                                                "impure",
                                                "in",
                                                "inertial",
                                                "inout",
                                                "is",
                                                "label",
                                                "library",
                                                "linkage",
                                                "literal",
                                                "loop",
                                                "map",
                                                "mod",
                                                "nand",
                                                "new",
                                                "next",
                                                "nor",
                                                "not",
                                                "null",
                                                "of",
                                                "on",
                                                "open",
                                                "or",
                                                "others",
                                                "out",
                                                "package",
                                                "parameter",
                                                "port",
                                                "postponed",
                                                "procedure",
                                                "process",
                                                "property",
                                                "protected",
                                                "pure",
                                                "range",
                                                "record",
                                                "register",
                                                "reject",
                                                "release",
                                                "rem",
                                                "report",
                                                "restrict",
                                                "restrict_guarantee",
                                                "return",
                                                "rol",
                                                "ror",
                                                "select",
                                                "sequence",
                                                "severity",
                                                "shared",
                                                "signal",
                                                "sla",
                                                "sll",
                                                "sra",
                                                "srl",
                                                "strong",
                                                "subtype",
                                                "then",
                                                "to",
                                                "transport",
                                                "type",
                                                "unaffected",
                                                "units",
                                                "until",
                                                "use",
                                                "variable",
                                                "vmode",
                                                "vprop",
                                                "vunit",
                                                "wait",
                                                "when",
                                                "while",
                                                "with",
                                                "xnor",
                                                "xor"};
    return words;
}

// Names the text itself declares or uses: a port of the same name would clash.
bool UsedByText(const std::string& lower) {
    static const std::set<std::string> used = {
        "boolean_function", "ssas",           "f_out", "z",  "delay", "ieee", "std",
        "std_logic",        "std_logic_1164", "time",  "ns", "work"};
    if (used.count(lower)) return true;
    return lower.size() > 1 && lower[0] == 'k' &&
           lower.find_first_not_of("0123456789", 1) == std::string::npos;
}

// One term's expression: "A and not B".
std::string TermExpression(const FormulaTerm& term) {
    std::string out;
    bool first = true;
    for (const FormulaLiteral& literal : term.literals) {
        const bool negated = literal.negated;
        out += first ? (negated ? "not " : "") : (negated ? " and not " : " and ");
        out += literal.name;
        first = false;
    }
    return out;
}

void CheckFormula(const std::string& formula, const std::vector<std::string>& ports) {
    if (formula == "0" || formula == "1") return;
    std::set<std::string> known;
    for (const std::string& p : ports) known.insert(Lower(p));
    const ParsedFormula parsed = ReadFormula(formula, gmDNF);
    if (parsed.terms.empty()) throw VhdlError("There is no formula to write as VHDL.");
    for (const FormulaTerm& term : parsed.terms) {
        if (term.literals.empty()) throw VhdlError("The formula has an empty term.");
        for (const FormulaLiteral& literal : term.literals)
            if (!known.count(Lower(literal.name)))
                throw VhdlError("The formula uses \"" + literal.name +
                                "\", which is not one of the variables.");
    }
}

}  // namespace

std::string HdlNameTooLong(const std::string& name) {
    return "The name \"" + name.substr(0, 32) + "...\" is longer than " +
           std::to_string(kMaxHdlNameLength) + " characters, more than the HDL tools accept.";
}

std::optional<std::string> VhdlNameProblem(const std::string& name) {
    const auto bad = [&](const std::string& why) { return "The name \"" + name + "\" " + why; };
    if (name.empty()) return bad("is empty.");
    if (name.size() > kMaxHdlNameLength) return HdlNameTooLong(name);
    if (!std::isalpha(static_cast<unsigned char>(name[0])) ||
        static_cast<unsigned char>(name[0]) > 127)
        return bad("is not a VHDL identifier: it must start with a letter.");
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = name[i];
        if (c == '_') {
            if (i + 1 == name.size() || name[i + 1] == '_')
                return bad(
                    "is not a VHDL identifier: an underscore must stand between letters or digits.");
        } else if (c > 127 || !std::isalnum(c)) {
            return bad(
                "is not a VHDL identifier: only letters, digits and underscores are allowed.");
        }
    }
    const std::string lower = Lower(name);
    if (ReservedWords().count(lower)) return bad("is a VHDL reserved word.");
    if (UsedByText(lower)) return bad("is used by the generated VHDL text itself.");
    return std::nullopt;
}

namespace {

void CheckPorts(const std::vector<std::string>& ports, std::set<std::string>& seen) {
    for (const std::string& p : ports) {
        if (auto problem = VhdlNameProblem(p)) throw VhdlError(*problem);
        if (!seen.insert(Lower(p)).second)
            throw VhdlError("The name \"" + p +
                            "\" is given to two variables (VHDL ignores letter case).");
    }
}

void Header(std::string& t, const std::string& generated) {
    const auto line = [&](const std::string& s) { t += s + "\n"; };
    line("--");
    line("-- generated: " + generated + ".");
    line(std::string("-- by Mapwright v") + kVersion);
    line("--");
    line(" ");
    line("-- libraries declarations");
    line("library IEEE;");
    line("use IEEE.std_logic_1164.all;");
    line(" ");
    line("-- entity declaration");
    line("entity  Boolean_Function  is");
    line("  generic(delay : time := 1 ns);");
    line("  port(");
}

}  // namespace

std::string VhdlText(const std::string& formula, const std::vector<std::string>& ports,
                     bool hasResult, const std::string& generated) {
    std::set<std::string> seen;
    CheckPorts(ports, seen);
    if (hasResult) CheckFormula(formula, ports);

    std::string t;
    const auto line = [&](const std::string& s) { t += s + "\n"; };
    Header(t, generated);
    for (const std::string& p : ports) line("      " + p + ": in std_logic;");
    line("      F_Out : out std_logic -- Function out");
    line("      );");
    line("end Boolean_Function;");
    if (!hasResult) return t;

    const std::vector<FormulaTerm> terms = ReadFormula(formula, gmDNF).terms;
    line(" ");
    line(" ");
    line("-- Simple Signal Assignment Statement");
    line("architecture SSAS of Boolean_Function is");
    std::string signals = "signal  z ";
    for (std::size_t i = 0; i < terms.size(); ++i) signals += ", k" + std::to_string(i);
    line(signals + " : std_logic;");
    line("begin");
    line("  --  first level of signal flow");
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const std::string expression = formula == "0"   ? "'0'"
                                       : formula == "1" ? "'1'"
                                                        : TermExpression(terms[i]);
        line("  k" + std::to_string(i) + " <= " + expression + ";");
    }
    line("  --  second level of signal flow");
    std::string second = "  z  <= k0";
    for (std::size_t i = 1; i < terms.size(); ++i) second += " or k" + std::to_string(i);
    line(second + ";");
    line("  --  Out of signal");
    line("  F_Out <= z after delay;");
    line("end SSAS;");
    return t;
}

std::string VhdlTextOutputs(const std::vector<std::pair<std::string, std::string>>& outputs,
                            const std::vector<std::string>& ports, const std::string& generated) {
    std::set<std::string> seen;
    CheckPorts(ports, seen);
    if (outputs.empty()) throw VhdlError("There is no formula to write as VHDL.");
    for (const auto& [name, formula] : outputs) {
        if (auto problem = VhdlNameProblem(name)) throw VhdlError(*problem);
        if (!seen.insert(Lower(name)).second)
            throw VhdlError("The name \"" + name +
                            "\" is given to two ports (VHDL ignores letter case).");
        CheckFormula(formula, ports);
    }
    // Each product once, numbered as first met.
    std::vector<FormulaTerm> products;
    std::vector<std::vector<std::size_t>> uses(outputs.size());
    for (std::size_t j = 0; j < outputs.size(); ++j) {
        const std::string& formula = outputs[j].second;
        if (formula == "0" || formula == "1") continue;
        for (const FormulaTerm& term : ReadFormula(formula, gmDNF).terms) {
            const auto at =
                std::find_if(products.begin(), products.end(),
                             [&](const FormulaTerm& p) { return p.literals == term.literals; });
            uses[j].push_back(static_cast<std::size_t>(at - products.begin()));
            if (at == products.end()) products.push_back(term);
        }
    }

    std::string t;
    const auto line = [&](const std::string& s) { t += s + "\n"; };
    Header(t, generated);
    for (const std::string& p : ports) line("      " + p + ": in std_logic;");
    for (std::size_t j = 0; j < outputs.size(); ++j)
        line("      " + outputs[j].first + " : out std_logic" +
             (j + 1 < outputs.size() ? ";" : " -- Function out"));
    line("      );");
    line("end Boolean_Function;");
    line(" ");
    line(" ");
    line("-- Simple Signal Assignment Statement");
    line("architecture SSAS of Boolean_Function is");
    if (!products.empty()) {
        std::string signals = "signal  ";
        for (std::size_t i = 0; i < products.size(); ++i)
            signals += (i ? ", k" : "k") + std::to_string(i);
        line(signals + " : std_logic;");
    }
    line("begin");
    line("  --  first level of signal flow: every product once");
    for (std::size_t i = 0; i < products.size(); ++i)
        line("  k" + std::to_string(i) + " <= " + TermExpression(products[i]) + ";");
    line("  --  second level of signal flow: each output");
    for (std::size_t j = 0; j < outputs.size(); ++j) {
        const std::string& formula = outputs[j].second;
        std::string sum = formula == "0" ? "'0'" : formula == "1" ? "'1'" : "";
        for (std::size_t i = 0; i < uses[j].size(); ++i)
            sum += (i ? " or k" : "k") + std::to_string(uses[j][i]);
        line("  " + outputs[j].first + " <= " + sum + " after delay;");
    }
    line("end SSAS;");
    return t;
}

std::string VhdlTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M:%S", &local);
    return buf;
}
