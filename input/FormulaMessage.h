#pragma once
// The message for a formula that names an unknown variable, shared by the formula dialog and
// the command line.

#include <string>

#include "platform/Message.h"
#include "platform/Translate.h"

inline void ReportTextTooLong() {
    platform::ShowMessage(platform::TranslateText("The text is too long."), platform::MsgIcon::Error,
                          platform::MsgButtons::Ok);
}

inline void ReportUnknownVariable(int position) {
    platform::ShowMessage(platform::TranslateText("Unknown variable in line.") + "\n" +
                              platform::TranslateText("Position:") + " " +
                              std::to_string(position) + ".",
                          platform::MsgIcon::Error, platform::MsgButtons::Ok);
}
