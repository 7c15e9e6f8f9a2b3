#include <gtest/gtest.h>

#include "platform/Message.h"
#include "platform/Translate.h"

using namespace platform;

namespace {

TEST(Message, RecordingSinkGivesPlannedAnswersThenAffirmative) {
    RecordingMessageSink sink;
    {
        ScopedMessageSink scope(&sink);
        sink.Plan(MsgAnswer::No);
        EXPECT_EQ(ShowMessage("Replace?", MsgIcon::Warning, MsgButtons::YesNo), MsgAnswer::No);
        EXPECT_EQ(ShowMessage("Replace?", MsgIcon::Warning, MsgButtons::YesNo), MsgAnswer::Yes);
        EXPECT_EQ(ShowMessage("Done", MsgIcon::Information, MsgButtons::Ok), MsgAnswer::Ok);
    }
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"Replace?", "Replace?", "Done"}));
    // The scope restored the previous sink: this one records no more.
    testing::internal::CaptureStderr();
    ShowMessage("to stderr", MsgIcon::Error, MsgButtons::OkCancel);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("to stderr"), std::string::npos);
    EXPECT_EQ(sink.Shown().size(), 3u);
}

TEST(Translate, IdentityUntilATranslatorIsInstalled) {
    EXPECT_EQ(TranslateText("Invalid data in cell."), "Invalid data in cell.");
    SetTranslator([](const std::string& s) { return s == "Yes" ? "Ja" : s; });
    EXPECT_EQ(TranslateText("Yes"), "Ja");
    EXPECT_EQ(TranslateText("No"), "No");
    SetTranslator({});
    EXPECT_EQ(TranslateText("Yes"), "Yes");
}

}  // namespace
