// mapwright-cli vhdl: the VHDL text the advanced tool writes for a result formula.

#include "advmin/Vhdl.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/MessageCapture.h"
#include "input/StringParcer.h"
#include "platform/Translate.h"

namespace cli {

namespace {
const char* kVhdlUsage = "usage: mapwright-cli vhdl --formula F --names A,B,...";
}

int RunVhdl(const Argv& argv, std::ostream& out, std::ostream& err) {
    try {
        const Args args(argv, {{"formula", true}, {"names", true}, {"help", false}});
        if (args.Has("help")) {
            out << kVhdlUsage << '\n';
            return 0;
        }
        if (!args.Positional().empty()) throw UsageError("unexpected argument " + args.Positional()[0]);
        const auto formula = args.Value("formula");
        const auto names = args.Value("names");
        if (!formula || !names) throw UsageError("--formula and --names are required");
        TStringParcer parcer;
        parcer.Text = *names;
        parcer.Split(',');
        if (names->empty()) throw InputError("--names: no names given");
        out << VhdlText(ValueOrFileContent(*formula), parcer.Items, true, VhdlTimestamp());
        return 0;
    } catch (const UsageError& e) {
        err << "mapwright-cli vhdl: " << e.what() << '\n' << kVhdlUsage << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "mapwright-cli vhdl: " << e.what() << '\n';
        return 1;
    } catch (const VhdlError& e) {
        MessageCapture messages(err);
        platform::ShowMessage(platform::TranslateText(e.what()), platform::MsgIcon::Error,
                              platform::MsgButtons::Ok);
        return 1;
    }
}

}  // namespace cli
