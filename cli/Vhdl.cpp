// mapwright-cli vhdl: the VHDL text the advanced tool writes for a result formula.

#include "advmin/Vhdl.h"

#include "cli/Args.h"
#include "cli/Commands.h"
#include "input/StringParcer.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace cli {

namespace {
const char* kVhdlUsage = "usage: mapwright-cli vhdl --formula F --names A,B,...";

int Run(const Invocation& call) {
    const auto formula = call.args.Value("formula");
    const auto names = call.args.Value("names");
    if (!formula || !names) throw UsageError("--formula and --names are required");
    TStringParcer parcer;
    parcer.Text = *names;
    parcer.Split(',');
    if (names->empty()) throw InputError("--names: no names given");
    try {
        call.out << VhdlText(ValueOrFileContent(*formula), parcer.Items, true, VhdlTimestamp());
    } catch (const VhdlError& e) {
        platform::Say(e.what());
        return 1;
    }
    return 0;
}

}  // namespace

const Subcommand kVhdlCommand{"vhdl",     "print the VHDL text of a formula",
                              kVhdlUsage, {{"formula", true}, {"names", true}},
                              0,          "",
                              Run};

}  // namespace cli
