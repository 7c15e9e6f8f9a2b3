#pragma once
// Filling a map from the command line's options, shared by the subcommands that read a map:
// --km, --vars, --names, --formula/--formula-type, --table, then --ones, --zeros and --dc in
// this order, each as the program's own command would. A subcommand's Args decide which of
// these it accepts.

#include <vector>

#include "cli/Args.h"
#include "cli/MessageCapture.h"
#include "engine/CarnoGrid.h"
#include "explain/Explain.h"

namespace cli {

// Throws UsageError or InputError for a malformed option. Returns false when the map refused
// an input and the program's message has been printed.
bool FillMap(TCarnoGrid& map, const Args& args, const MessageCapture& messages);

// The Analyze command as --pos chooses the form; false when a cell was refused, and said so.
bool AnalyzeOrSay(TCarnoGrid& map, const Args& args);

// The map options every map-reading command takes (with --pos), followed by `more`.
std::vector<OptionDef> MapOptions(std::vector<OptionDef> more);

// FillMap, then the map read as the explanation counts it in the form --pos chooses. False
// when the map refused an input or a cell (the program's message has been printed).
bool FillFunction(const Args& args, const MessageCapture& messages, explain::MapFunction& f);

}  // namespace cli
