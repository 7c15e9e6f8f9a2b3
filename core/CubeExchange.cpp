#include "core/CubeExchange.h"

#include <cstdio>
#include <map>

namespace mwcore {

namespace {

std::string LineName(std::size_t line) {
    return "line " + std::to_string(line);
}

// The input part as a table cube: column 0 is the most significant variable.
Cube TableCube(const std::string& inputs) {
    Cube c{0, 0};
    const int n = static_cast<int>(inputs.size());
    for (int i = 0; i < n; ++i) {
        if (inputs[i] == '-') continue;
        const uint32_t bit = 1u << (n - 1 - i);
        c.mask |= bit;
        if (inputs[i] == '1') c.val |= bit;
    }
    return c;
}

}  // namespace

CubeInput ParseCubeExchange(const std::string& text, int vars, int outputs) {
    CubeInput in;
    in.vars = vars;
    in.outputs = outputs;
    std::size_t at = 0, line = 0;
    bool typed = false;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string row = text.substr(at, end - at);
        at = end + 1;
        ++line;
        if (!row.empty() && row.back() == '\r') row.pop_back();
        if (!typed) {
            if (row != ".type fd" && row != ".type fdr")
                throw FormatError(LineName(line) + ": \".type fd\" or \".type fdr\" expected");
            in.offGiven = row == ".type fdr";
            typed = true;
            continue;
        }
        if (row.empty() && at >= text.size()) break;  // the final line break
        if (row.size() != static_cast<std::size_t>(vars + 1 + outputs) || row[vars] != ' ')
            throw FormatError(LineName(line) + ": a row has " + std::to_string(vars) +
                              " input characters, a blank and " + std::to_string(outputs) +
                              " output characters");
        std::string inputs = row.substr(0, vars), outs = row.substr(vars + 1);
        if (inputs.find_first_not_of("01-") != std::string::npos)
            throw FormatError(LineName(line) + ": input characters are 0, 1 and -");
        if (outs.find_first_not_of(in.offGiven ? "10-~" : "1-~") != std::string::npos)
            throw FormatError(LineName(line) + ": output characters are " +
                              (in.offGiven ? "1, 0, - and ~" : "1, - and ~"));
        in.inputs.push_back(std::move(inputs));
        in.outputParts.push_back(std::move(outs));
    }
    if (!typed) throw FormatError("the exchange file is empty");
    return in;
}

CubeProblem CubeProblemOf(const CubeInput& in) {
    CubeProblem p(in.vars, in.outputs);
    const cubes::Shape& s = p.shape;
    const auto add = [&](cubes::CubeList& list, const std::string& inputs, int j) {
        cubes::Word* w = list.Add();
        s.Universe(w);
        std::fill(w + s.inWords, w + s.Width(), 0);
        for (int i = 0; i < in.vars; ++i)
            if (inputs[i] != '-') cubes::Shape::SetLiteral(w, i, inputs[i] == '1');
        cubes::Shape::SetOutput(w + s.inWords, j);
    };
    // Output by output, as the PLA reader lists them.
    for (int j = 0; j < in.outputs; ++j)
        for (std::size_t r = 0; r < in.inputs.size(); ++r) {
            const char c = in.outputParts[r][j];
            if (c == '1') add(p.on, in.inputs[r], j);
            if (c == '-') add(p.dc, in.inputs[r], j);
            if (c == '0' && in.offGiven) add(p.off, in.inputs[r], j);
        }
    p.offGiven = in.offGiven;
    return p;
}

bool TableProblemOf(const CubeInput& in, MultiProblem& p, std::vector<MultiCube>& given,
                    int* clash) {
    p = MultiProblem(in.vars, in.outputs);
    std::map<Cube, Outputs> rows;
    for (std::size_t r = 0; r < in.inputs.size(); ++r) {
        const Cube c = TableCube(in.inputs[r]);
        for (int j = 0; j < in.outputs; ++j) {
            const char o = in.outputParts[r][j];
            if (o == '1') {
                p.AddOn(j, c);
                rows[c].set(j);
            }
            if (o == '-') p.AddDc(j, c);
            if (o == '0' && in.offGiven) p.AddOff(j, c);
        }
    }
    given.clear();
    for (const auto& [c, out] : rows) given.push_back({c, out});
    return p.Finish(!in.offGiven, clash);
}

std::vector<std::string> CubeResultLines(const CubeMinimization& m, const cubes::Shape& s) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", m.stats.seconds);
    const std::string claim = m.minimum ? " minimum=\"true\"" : " minimum=\"false\"";
    std::vector<std::string> lines;
    for (int j = 0; j < s.outputs; ++j) {
        std::string line = "<result output=\"" + std::to_string(j + 1) + "\"" + claim;
        if (j == 0)
            line += " products=\"" + std::to_string(m.cover.Size()) + "\" nodes=\"0\" work=\"" +
                    std::to_string(m.stats.work) + "\" proven=\"" + (m.minimum ? "true" : "false") +
                    "\" seconds=\"" + seconds + "\" stopped=\"" + StoppedByName(m.stats.stoppedBy) +
                    "\"";
        line += ">";
        std::string terms;
        bool any = false, one = false;
        for (std::size_t k = 0; k < m.cover.Size(); ++k) {
            const cubes::Word* c = m.cover[k];
            if (!cubes::Shape::Output(c + s.inWords, j)) continue;
            if (any) terms += '+';
            any = true;
            bool literal = false;
            for (int i = 0; i < s.vars; ++i) {
                const int v = cubes::Shape::Literal(c, i);
                if (v == 2) continue;
                literal = true;
                if (v == 0) terms += '|';
                terms += 'x' + std::to_string(s.vars - i) + '*';
            }
            one = one || !literal;
        }
        line += !any ? "ZERO_FUN" : one ? "ONE_FUN" : terms;
        lines.push_back(line + "</result>");
    }
    return lines;
}

std::vector<std::string> MinimizeCubeInput(const CubeInput& in, const MinimizeOptions& options) {
    if (UsesCubes(in.vars, in.outputs)) {
        const CubeProblem p = CubeProblemOf(in);
        return CubeResultLines(MinimizeCubes(p, options), p.shape);
    }
    MultiProblem p;
    std::vector<MultiCube> given;
    int clash = 0;
    if (!TableProblemOf(in, p, given, &clash))
        throw FormatError("output " + std::to_string(clash + 1) +
                          " is both 1 and 0 for some inputs");
    return MultiResultLines(MinimizeMulti(p, options, given), in.outputs);
}

}  // namespace mwcore
