// mapwright-cli verilog: the Verilog module the advanced tool writes for a result formula.

#include "advmin/Verilog.h"

#include "advmin/Vhdl.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "input/StringParcer.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace cli {

namespace {
const char* kVerilogUsage =
    "usage: mapwright-cli verilog --formula F --names A,B,... [--module NAME] [--output-name NAME]";

int Run(const Invocation& call) {
    const auto formula = call.args.Value("formula");
    const auto names = call.args.Value("names");
    if (!formula || !names) throw UsageError("--formula and --names are required");
    if (names->empty()) throw InputError("--names: no names given");
    TStringParcer parcer;
    parcer.Text = *names;
    parcer.Split(',');
    VerilogNames text;
    text.module = call.args.Value("module").value_or(text.module);
    text.output = call.args.Value("output-name").value_or(text.output);
    try {
        call.out << VerilogText(ValueOrFileContent(*formula), parcer.Items, text, VhdlTimestamp());
    } catch (const VerilogError& e) {
        platform::ShowMessage(platform::TranslateText(e.what()), platform::MsgIcon::Error,
                              platform::MsgButtons::Ok);
        return 1;
    }
    return 0;
}

}  // namespace

const Subcommand kVerilogCommand{
    "verilog",
    "print the Verilog module of a formula",
    kVerilogUsage,
    {{"formula", true}, {"names", true}, {"module", true}, {"output-name", true}},
    0,
    "",
    Run};

}  // namespace cli
