#pragma once
// Filling a map from the command line's options, shared by the subcommands that read a map:
// --km, --vars, --names, --formula/--formula-type, --table, then --ones, --zeros and --dc in
// this order, each as the program's own command would. A subcommand's Args decide which of
// these it accepts.

#include "cli/Args.h"
#include "cli/MessageCapture.h"
#include "engine/CarnoGrid.h"

namespace cli {

// Throws UsageError or InputError for a malformed option. Returns false when the map refused
// an input and the program's message has been printed.
bool FillMap(TCarnoGrid& map, const Args& args, const MessageCapture& messages);

// The Analyze command as --pos chooses the form; false when a cell was refused, and said so.
bool AnalyzeOrSay(TCarnoGrid& map, const Args& args);

}  // namespace cli
