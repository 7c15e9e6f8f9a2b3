#include "ui/ResultsQuestion.h"

#include "platform/Translate.h"

bool AskResultsLost(platform::MsgIcon icon) {
    return platform::ShowMessage(
               platform::TranslateText("Results of analyze will be lost, Continue?"), icon,
               platform::MsgButtons::OkCancel) == platform::MsgAnswer::Ok;
}
