#pragma once
// Modal message boxes. The logic asks through ShowMessage; who answers is decided by the sink
// installed at start: Qt message boxes in the program, stderr in the command line, a scripted
// recorder in tests.

#include <deque>
#include <string>
#include <vector>

namespace platform {

enum class MsgIcon { Information, Warning, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual MsgAnswer Show(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;
};

// Shows text (already translated by the caller) and returns the button pressed.
MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons);

// The program's own message: translates english, then shows it; detail (the system's text, a
// position, a file name) goes on a line below, untranslated.
MsgAnswer Say(const std::string& english, MsgIcon icon = MsgIcon::Error,
              MsgButtons buttons = MsgButtons::Ok, const std::string& detail = {});

// A failed file operation: the translated message, then "NAME: the system's text".
void SayFileError(const std::string& english, const std::string& fileName,
                  const std::string& systemText);

// Installs a sink and returns the one it replaces; nullptr restores the default (stderr).
MessageSink* SetMessageSink(MessageSink* sink);

// The affirmative answer of a button set (OK or Yes): what a non-interactive sink gives. For
// Yes, No and Cancel ("Save the changes?") it is No: the command goes on and nothing is
// written that nobody asked for.
MsgAnswer AffirmativeAnswer(MsgButtons buttons);

// Writes each message to stderr and answers affirmatively.
class StderrMessageSink : public MessageSink {
  public:
    MsgAnswer Show(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
};

// Records every message and gives the planned answers in order; when the plan runs out it
// answers affirmatively.
class RecordingMessageSink : public MessageSink {
  public:
    struct Record {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    MsgAnswer Show(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    void Plan(MsgAnswer answer) { planned_.push_back(answer); }
    const std::vector<Record>& Shown() const { return shown_; }
    std::vector<std::string> Texts() const;
    void Clear() {
        shown_.clear();
        planned_.clear();
    }

  private:
    std::vector<Record> shown_;
    std::deque<MsgAnswer> planned_;
};

// Messages said on the calling thread go to `sink` for the lifetime of the scope, whatever sink
// the program has: work done off the window's thread records its messages this way and the
// window says them when the work is done.
class ScopedThreadMessageSink {
  public:
    explicit ScopedThreadMessageSink(MessageSink* sink);
    ~ScopedThreadMessageSink();
    ScopedThreadMessageSink(const ScopedThreadMessageSink&) = delete;
    ScopedThreadMessageSink& operator=(const ScopedThreadMessageSink&) = delete;

  private:
    MessageSink* previous_;
};

// Installs a sink for the lifetime of a scope (tests, command line).
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink* sink) : previous_(SetMessageSink(sink)) {}
    ~ScopedMessageSink() { SetMessageSink(previous_); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink* previous_;
};

}  // namespace platform
