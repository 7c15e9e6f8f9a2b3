#include "platform/Message.h"

#include <iostream>

#include "platform/Translate.h"

namespace platform {

namespace {
StderrMessageSink defaultSink;
MessageSink* currentSink = &defaultSink;
thread_local MessageSink* threadSink = nullptr;

const char* IconWord(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return "information";
        case MsgIcon::Warning:
            return "warning";
        case MsgIcon::Error:
            return "error";
    }
    return "message";
}
}  // namespace

MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    return (threadSink ? threadSink : currentSink)->Show(text, icon, buttons);
}

MsgAnswer Say(const std::string& english, MsgIcon icon, MsgButtons buttons,
              const std::string& detail) {
    std::string text = TranslateText(english);
    if (!detail.empty()) text += "\n" + detail;
    return ShowMessage(text, icon, buttons);
}

void SayFileError(const std::string& english, const std::string& fileName,
                  const std::string& systemText) {
    Say(english, MsgIcon::Error, MsgButtons::Ok, fileName + ": " + systemText);
}

MessageSink* SetMessageSink(MessageSink* sink) {
    MessageSink* previous = currentSink;
    currentSink = sink ? sink : &defaultSink;
    return previous;
}

ScopedThreadMessageSink::ScopedThreadMessageSink(MessageSink* sink) : previous_(threadSink) {
    threadSink = sink;
}

ScopedThreadMessageSink::~ScopedThreadMessageSink() {
    threadSink = previous_;
}

MsgAnswer AffirmativeAnswer(MsgButtons buttons) {
    if (buttons == MsgButtons::YesNoCancel) return MsgAnswer::No;
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

MsgAnswer StderrMessageSink::Show(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    std::cerr << IconWord(icon) << ": " << text << '\n';
    return AffirmativeAnswer(buttons);
}

MsgAnswer RecordingMessageSink::Show(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    shown_.push_back({text, icon, buttons});
    if (planned_.empty()) return AffirmativeAnswer(buttons);
    MsgAnswer answer = planned_.front();
    planned_.pop_front();
    return answer;
}

std::vector<std::string> RecordingMessageSink::Texts() const {
    std::vector<std::string> texts;
    for (const Record& r : shown_) texts.push_back(r.text);
    return texts;
}

}  // namespace platform
