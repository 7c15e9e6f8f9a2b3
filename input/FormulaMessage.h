#pragma once
// The messages for a formula that cannot be read, shared by the formula and circuit dialogs and
// the command line.

#include <string>

#include "platform/Message.h"
#include "platform/Translate.h"

// "Position: N." for the line below a formula's message; empty when there is no position.
inline std::string PositionText(int position) {
    return position > 0
               ? platform::TranslateText("Position:") + " " + std::to_string(position) + "."
               : std::string();
}

inline void ReportTextTooLong() {
    platform::Say("The text is too long.");
}

// problem: what was found and expected, on a line of its own below the position.
inline void ReportUnknownVariable(int position, const std::string& problem = {}) {
    std::string detail = PositionText(position);
    if (!problem.empty()) detail += (detail.empty() ? "" : "\n") + problem;
    platform::Say("Unknown variable in line.", platform::MsgIcon::Error, platform::MsgButtons::Ok,
                  detail);
}
