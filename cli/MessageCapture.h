#pragma once
// The command line's message sink: prints each message as the program words it and
// remembers whether one was shown, so that a command can end with status 1.

#include <ostream>

#include "platform/Message.h"

namespace cli {

class MessageCapture : public platform::MessageSink {
  public:
    explicit MessageCapture(std::ostream& err) : err_(err), scope_(this) {}
    platform::MsgAnswer Show(const std::string& text, platform::MsgIcon,
                             platform::MsgButtons buttons) override {
        err_ << text << '\n';
        ++count_;
        return platform::AffirmativeAnswer(buttons);
    }
    int Count() const { return count_; }

  private:
    std::ostream& err_;
    int count_ = 0;
    platform::ScopedMessageSink scope_;
};

}  // namespace cli
