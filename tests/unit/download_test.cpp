// Package choice, the page's bytes and the hand-off to the browser.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "download/download.h"
#include "res/resource.h"
#include "tests/unit/fake_platform.h"

namespace {

const std::string kBase = "https://downloads.kelmovyn.example";

SetupState State(int32_t existing, int32_t language, int32_t win95, int32_t mdac, int32_t jet) {
    SetupState state;
    state.existingInstall = existing;
    state.selectedLanguage = static_cast<Language>(language);
    state.windows95 = win95;
    state.needsMdac = mdac;
    state.jetPresent = jet;
    return state;
}

TEST(ChoosePackageUrl, EveryRowAndTheFamilyRules) {
    struct Case {
        int32_t existing, language;
        bool box;
        int32_t win95, mdac, jet;
        const char* path;
    } cases[] = {
        {1, 2, false, 0, 0, 1, "/downloads/upgrade.exe"},
        {1, 2, true, 0, 0, 1, "/downloads/setup_uk.exe"},
        {1, 1, false, 0, 0, 1, "/downloads/upgrade.exe"},  // upgrade ignores the language
        {1, 1, true, 0, 0, 0, "/downloads/setup_dk_jet.exe"},
        {0, 2, true, 0, 0, 1, "/downloads/setup_uk.exe"},  // the box needs an installation
        {0, 1, true, 0, 0, 1, "/downloads/setup_dk.exe"},
        {1, 2, false, 1, 1, 0, "/downloads/upgrade_95.exe"},
        {1, 2, false, 0, 1, 0, "/downloads/upgrade_mdac.exe"},
        {1, 2, false, 0, 0, 0, "/downloads/upgrade_jet.exe"},
        {0, 1, false, 1, 0, 1, "/downloads/setup_dk_95.exe"},
        {0, 1, false, 0, 1, 0, "/downloads/setup_dk_mdac.exe"},
        {0, 2, false, 1, 1, 0, "/downloads/setup_uk_95.exe"},
        {0, 2, false, 0, 1, 1, "/downloads/setup_uk_mdac.exe"},
        {0, 2, false, 0, 0, 0, "/downloads/setup_uk_jet.exe"},
        {0, 0, false, 0, 0, 1, "/downloads/setup_uk.exe"},  // any language but 1 is English
        {0, 3, false, 0, 0, 0, "/downloads/setup_uk_jet.exe"},
        {2, 2, false, -1, 0, 0, "/downloads/upgrade_95.exe"},  // any non-zero flag counts
        {-1, 1, true, 0, 7, 0, "/downloads/setup_dk_mdac.exe"},
        {0, 1, false, 0, 0, 2, "/downloads/setup_dk.exe"},
    };
    for (const Case& c : cases) {
        SetupState state = State(c.existing, c.language, c.win95, c.mdac, c.jet);
        EXPECT_EQ(ChoosePackageUrl(state, c.box), kBase + c.path) << c.path;
    }
}

std::string ExpectedPage(const std::string& url) {
    return "<html>\n<head>\n<META HTTP-EQUIV=\"refresh\" content=\"1; URL=" + url +
           "\">\n<title>Calendar Download</title>\n<script language=\"javascript\">\n"
           "</script>\n</head>\n<body>\n<p>Your download will begin in a while... if it fails "
           "to start within next 10 seconds please click <a href=\"" +
           url + "\">" + url + "</a>.</p>\n</body>\n</html>";
}

TEST(FormatDownloadPage, BytesForShortAndLongestAddresses) {
    for (size_t length : {size_t{60}, size_t{238}}) {
        std::string url = "https://x.example/" + std::string(length - 18, 'a');
        std::string page = FormatDownloadPage(kExpectedPageTemplate, url);
        EXPECT_EQ(page, ExpectedPage(url));
        EXPECT_EQ(page.size(), 284 + 3 * length);
        EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 10);
        EXPECT_EQ(page.find('\r'), std::string::npos);
        EXPECT_EQ(page.rfind("<html>", 0), 0u);
    }
    EXPECT_EQ(FormatDownloadPage(kExpectedPageTemplate, "u").size(), 287u);
    // An address is data, never a format: a '%' in it stays as it is.
    EXPECT_EQ(FormatDownloadPage("a%sb%d%", "%s%n"), "a%s%nb%d%");
}

struct Hand {
    FakePlatform platform;
    SetupState state = State(0, 2, 0, 0, 1);
    std::string page = "C:\\Users\\Test\\Temp\\zuzerizidirod.html";
    std::string url = kBase + "/downloads/setup_uk.exe";
    void Run() { LaunchDownloadPage(platform, state, platform.dialog()); }
    std::string Message() const {
        return "Setup could not detect an appropriate Web Browser. You will have to download the "
               "setup from our web site manually\r\n" +
               url;
    }
    void ExpectMessageOnly() {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, Message());
        EXPECT_EQ(platform.messages[0].caption, std::optional<std::string>("VYNKelmo Installation"));
        EXPECT_EQ(platform.messages[0].style, 0x10u);
        EXPECT_TRUE(platform.shellParameters.empty());
        ExpectClosedLast();
    }
    void ExpectClosedLast() {
        EXPECT_EQ(platform.closeRequests, std::vector<uintptr_t>{kCloseNow});
        EXPECT_EQ(platform.calls.back(), "PostClose now");
    }
};

TEST(LaunchDownloadPage, BrowserFoundOpensThePageThroughExplorer) {
    Hand hand;
    hand.Run();
    const std::vector<std::string> expected = {
        "IsChecked 1008",
        "TempPath 255",
        "CreateFile " + hand.page,
        "LoadString 110 1000",
        "WriteFile " + std::to_string(284 + 3 * hand.url.size()),
        "CloseFile",
        "FindExecutable " + hand.page + " []",
        "WindowsDirectory",
        "ShellExecute Open C:\\windows\\explorer.exe \"" + hand.page + "\" []",
        "PostClose now"};
    EXPECT_EQ(hand.platform.calls, expected);
    EXPECT_EQ(hand.platform.fileContents[hand.page], ExpectedPage(hand.url));
    EXPECT_TRUE(hand.platform.messages.empty());
    EXPECT_EQ(hand.platform.writtenFiles.size(), 1u);
}

TEST(LaunchDownloadPage, NoAssociationShowsTheAddressAndKeepsThePage) {
    Hand hand;
    hand.state.selectedLanguage = Danish;  // the page and message stay English
    hand.url = kBase + "/downloads/setup_dk.exe";
    hand.platform.findResult = 31;
    hand.Run();
    hand.ExpectMessageOnly();
    EXPECT_EQ(hand.platform.fileContents[hand.page], ExpectedPage(hand.url));
}

TEST(LaunchDownloadPage, EveryFailureShowsTheAddressInstead) {
    struct Case {
        const char* name;
        void (*arrange)(FakePlatform&);
        bool createsFile;
    } cases[] = {
        {"association without a program", [](FakePlatform& p) { p.findProgram = ""; }, true},
        {"no temporary directory", [](FakePlatform& p) { p.tempPathResult = 0; }, false},
        {"temporary directory too long",
         [](FakePlatform& p) { p.tempDir = "C:\\" + std::string(260, 'd') + "\\"; }, false},
        {"length of exactly the buffer", [](FakePlatform& p) { p.tempPathResult = 255; }, false},
        {"file cannot be created", [](FakePlatform& p) { p.createFails = true; }, false},
        {"write fails", [](FakePlatform& p) { p.writeFails = true; }, true},
        {"short write", [](FakePlatform& p) { p.writeShortBy = 1; }, true},
        {"shell fails", [](FakePlatform& p) { p.shellResult = 5; }, true},
        {"no template", [](FakePlatform& p) { p.pageTemplate = ""; }, true},
        {"windows directory unknown", [](FakePlatform& p) { p.windowsDir = ""; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hand hand;
        c.arrange(hand.platform);
        hand.Run();
        ASSERT_EQ(hand.platform.messages.size(), 1u);
        EXPECT_EQ(hand.platform.messages[0].text, hand.Message());
        EXPECT_EQ(hand.platform.closeRequests, std::vector<uintptr_t>{kCloseNow});
        EXPECT_EQ(hand.platform.calls.back(), "PostClose now");
        EXPECT_EQ(hand.platform.writtenFiles.size(), c.createsFile ? 1u : 0u);
        // The shell is given the page only when it was written whole.
        if (std::string(c.name) != "shell fails") {
            EXPECT_TRUE(hand.platform.shellParameters.empty());
        }
    }
}

TEST(LaunchDownloadPage, WindowsDirectoryWithTrailingBackslash) {
    Hand hand;
    hand.platform.windowsDir = "C:\\";
    hand.Run();
    ASSERT_EQ(hand.platform.shellParameters.size(), 1u);
    EXPECT_NE(std::find(hand.platform.calls.begin(), hand.platform.calls.end(),
                        "ShellExecute Open C:\\explorer.exe \"" + hand.page + "\" []"),
              hand.platform.calls.end());
}

TEST(ResourceScript, CarriesThePageTemplateExactly) {
    std::ifstream file(SOURCE_DIR "/res/setup.rc", std::ios::binary);
    std::string script((std::istreambuf_iterator<char>(file)), {});
    size_t at = script.find("IDS_DOWNLOAD_PAGE \"");
    ASSERT_NE(at, std::string::npos);
    std::string text;
    for (size_t i = at + 19; i < script.size(); ++i) {
        if (script[i] == '"' && script[i + 1] == '"') {
            text += '"';
            ++i;
        } else if (script[i] == '"') {
            break;
        } else if (script[i] == '\\' && script[i + 1] == 'n') {
            text += '\n';
            ++i;
        } else {
            text += script[i];
        }
    }
    EXPECT_EQ(text, kExpectedPageTemplate);
    EXPECT_EQ(text.size(), 290u);
}

}  // namespace
