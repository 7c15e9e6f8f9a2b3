#pragma once
// Messages as modal Qt message boxes over the active window.

#include "platform/Message.h"

namespace platform {

class QtMessageSink : public MessageSink {
  public:
    MsgAnswer Show(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
};

}  // namespace platform
