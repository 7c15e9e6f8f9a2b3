#pragma once
// The windows' answer to the map's question before an edit makes shown results stale.

#include "platform/Message.h"

// "Results of analyze will be lost, Continue?" with OK and Cancel; true for OK.
bool AskResultsLost(platform::MsgIcon icon);
