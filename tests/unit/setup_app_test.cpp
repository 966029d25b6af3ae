// Start-up order, dispatch and the close protocol, against the fake platform.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/setup.h"
#include "res/resource.h"
#include "tests/unit/fake_platform.h"

namespace {

TEST(StartUp, FailedDialogCreationEndsSilentlyWithZero) {
    FakePlatform platform;
    platform.dialogCreationFails = true;
    platform.quitCode = 7;  // must not be reached: no loop runs
    SetupState state;
    EXPECT_EQ(RunSetup(platform, state, 5), 0);
    EXPECT_TRUE(platform.messages.empty());
    for (const std::string& call : platform.calls) {
        EXPECT_NE(call, "MessageLoop");
        EXPECT_EQ(call.rfind("ShowAndPaint", 0), std::string::npos);
    }
}

TEST(StartUp, IconThenDetectionThenDialogThenLoop) {
    FakePlatform platform;
    SetupState state;
    platform.quitCode = 0;
    EXPECT_EQ(RunSetup(platform, state, 10), 0);
    ASSERT_FALSE(platform.calls.empty());
    EXPECT_EQ(platform.calls.front(), "LoadAppIcon");
    auto at = [&](const std::string& call) {
        return std::find(platform.calls.begin(), platform.calls.end(), call) -
               platform.calls.begin();
    };
    // Nothing is on the screen before detection has finished.
    long create = at("CreateDialog");
    for (long i = create + 1; i < static_cast<long>(platform.calls.size()); ++i) {
        EXPECT_EQ(platform.calls[i].rfind("OpenKey", 0), std::string::npos) << platform.calls[i];
    }
    EXPECT_LT(create, at("ShowAndPaint 10"));
    EXPECT_LT(at("ShowAndPaint 10"), at("MessageLoop"));
    EXPECT_EQ(platform.calls.back(), "MessageLoop");
}

TEST(CloseProtocol, CancelPostsAnAskingRequestAndAsksNothingYet) {
    FakePlatform platform;
    SetupState state;
    OnCommand(platform, state, platform.dialog(), IDCANCEL);
    EXPECT_EQ(platform.closeRequests, std::vector<uintptr_t>{kCloseAsk});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.quits.empty());
}

TEST(CloseProtocol, QuitNowSkipsTheQuestion) {
    FakePlatform platform;
    SetupState state;
    OnCloseRequest(platform, state, platform.dialog(), kCloseNow);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.quits, std::vector<int>{0});
}

struct QuestionCase {
    int32_t language;
    uintptr_t wParam;
    int answer;
    const char* text;
    bool quits;
};

TEST(CloseProtocol, AsksInTheSelectedLanguageAndQuitsOnlyOnOk) {
    const QuestionCase cases[] = {
        {Danish, 0, kAnswerOk, "Er du sikker p\xE5, at du vil afslutte installationen?", true},
        {English, 0, kAnswerOk, "Are you sure you want to cancel the installation?", true},
        {English, 0, 2, "Are you sure you want to cancel the installation?", false},
        {Danish, 0, 0, "Er du sikker p\xE5, at du vil afslutte installationen?", false},
        {0, 0, kAnswerOk, "Are you sure you want to cancel the installation?", true},
        {3, 0, 2, "Are you sure you want to cancel the installation?", false},
        // Only the exact all-ones value skips the question.
        {English, 0xFFFFu, kAnswerOk, "Are you sure you want to cancel the installation?", true},
        {English, 1, 2, "Are you sure you want to cancel the installation?", false},
    };
    for (const QuestionCase& c : cases) {
        FakePlatform platform;
        SetupState state;
        state.selectedLanguage = static_cast<Language>(c.language);
        platform.messageAnswer = c.answer;
        OnCloseRequest(platform, state, platform.dialog(), c.wParam);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, c.text);
        EXPECT_FALSE(platform.messages[0].caption.has_value());
        EXPECT_EQ(platform.messages[0].style, 0x21u);
        EXPECT_EQ(platform.quits, c.quits ? std::vector<int>{0} : std::vector<int>{});
    }
    EXPECT_EQ(std::string(QUIT_QUESTION_DA).size(), 51u);
    EXPECT_EQ(std::string(QUIT_QUESTION_EN).size(), 49u);
}

TEST(Dispatch, UnknownCommandsDoNothing) {
    FakePlatform platform;
    SetupState state;
    for (int id : {0, 3, 1000, IDC_WELCOME, IDC_DESCRIPTION, 1009, -1}) {
        OnCommand(platform, state, platform.dialog(), id);
    }
    EXPECT_TRUE(platform.calls.empty());
}

}  // namespace
