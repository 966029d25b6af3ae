// Package choice, the page's bytes and the hand-off to the browser.
#include "download/download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// One OK command against the fake, with the page and address it should use.
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
    // The calls of the sequence up to and including each step.
    std::vector<std::string> UpToTempPath() const { return {"IsChecked 1008", "TempPath 255"}; }
    std::vector<std::string> UpToCreate() const {
        return Append(UpToTempPath(), {"CreateFile " + page});
    }
    std::vector<std::string> UpToWrite() const {
        return Append(UpToCreate(),
                      {"LoadString 110 1000", "WriteFile " + std::to_string(284 + 3 * url.size()),
                       "CloseFile"});
    }
    std::vector<std::string> UpToFind() const {
        return Append(UpToWrite(), {"FindExecutable " + page + " []"});
    }
    std::vector<std::string> UpToWindowsDirectory() const {
        return Append(UpToFind(), {"WindowsDirectory"});
    }
    std::vector<std::string> UpToShell() const {
        return Append(UpToWindowsDirectory(),
                      {"ShellExecute Open C:\\windows\\explorer.exe \"" + page + "\" []"});
    }
    static std::vector<std::string> Append(std::vector<std::string> head,
                                           const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    }
};

TEST(LaunchDownloadPage, BrowserFoundOpensThePageThroughExplorer) {
    Hand hand;
    hand.Run();
    EXPECT_EQ(hand.platform.calls, Hand::Append(hand.UpToShell(), {"PostClose now"}));
    EXPECT_EQ(hand.platform.fileContents[hand.page], ExpectedPage(hand.url));
    EXPECT_EQ(hand.platform.shellParameters, std::vector<std::string>{"\"" + hand.page + "\""});
    EXPECT_TRUE(hand.platform.messages.empty());
    EXPECT_EQ(hand.platform.writtenFiles, std::set<std::string>{hand.page});
    EXPECT_EQ(hand.platform.closeRequests, std::vector<uintptr_t>{kCloseNow});
}

TEST(LaunchDownloadPage, NoAssociationShowsTheAddressAndKeepsThePage) {
    Hand hand;
    hand.state.selectedLanguage = Danish;  // the page and message stay English
    hand.url = kBase + "/downloads/setup_dk.exe";
    hand.platform.findResult = 31;
    hand.Run();
    EXPECT_EQ(hand.platform.calls,
              Hand::Append(hand.UpToFind(), {"MessageBox 16", "PostClose now"}));
    ASSERT_EQ(hand.platform.messages.size(), 1u);
    EXPECT_EQ(hand.platform.messages[0].text, hand.Message());
    EXPECT_EQ(hand.platform.messages[0].caption,
              std::optional<std::string>("VYNKelmo Installation"));
    EXPECT_EQ(hand.platform.messages[0].style, 0x10u);
    EXPECT_EQ(hand.platform.fileContents[hand.page], ExpectedPage(hand.url));
    EXPECT_EQ(hand.platform.closeRequests, std::vector<uintptr_t>{kCloseNow});
}

TEST(LaunchDownloadPage, TheCheckboxDecidesBetweenUpgradeAndNewInstallation) {
    for (bool checked : {false, true}) {
        Hand hand;
        hand.state = State(1, 2, 0, 0, 1);
        hand.platform.controls[IDC_STANDALONE].checked = checked;
        hand.Run();
        std::string url = kBase + (checked ? "/downloads/setup_uk.exe" : "/downloads/upgrade.exe");
        EXPECT_EQ(hand.platform.fileContents[hand.page], ExpectedPage(url)) << checked;
    }
}

TEST(LaunchDownloadPage, EveryFailureShowsTheAddressInstead) {
    using Steps = std::vector<std::string> (Hand::*)() const;
    struct Case {
        const char* name;
        void (*arrange)(FakePlatform&);
        Steps stepsBeforeMessage;
    } cases[] = {
        {"association without a program", [](FakePlatform& p) { p.findProgram = ""; },
         &Hand::UpToFind},
        {"no temporary directory", [](FakePlatform& p) { p.tempPathResult = 0; },
         &Hand::UpToTempPath},
        {"temporary directory too long",
         [](FakePlatform& p) { p.tempDir = "C:\\" + std::string(260, 'd') + "\\"; },
         &Hand::UpToTempPath},
        {"length of exactly the buffer", [](FakePlatform& p) { p.tempPathResult = 255; },
         &Hand::UpToTempPath},
        {"length the directory does not have", [](FakePlatform& p) { p.tempPathResult = 12; },
         &Hand::UpToTempPath},
        {"file cannot be created", [](FakePlatform& p) { p.createFails = true; },
         &Hand::UpToCreate},
        {"file cannot be created over an old page",
         [](FakePlatform& p) {
             p.createFails = true;
             p.fileContents["C:\\Users\\Test\\Temp\\zuzerizidirod.html"] = "<html>old</html>";
         },
         &Hand::UpToCreate},
        {"write fails", [](FakePlatform& p) { p.writeFails = true; }, &Hand::UpToWrite},
        {"short write", [](FakePlatform& p) { p.writeShortBy = 1; }, &Hand::UpToWrite},
        {"shell fails", [](FakePlatform& p) { p.shellResult = 32; }, &Hand::UpToShell},
        {"windows directory unknown", [](FakePlatform& p) { p.windowsDir = ""; },
         &Hand::UpToWindowsDirectory},
        {"windows directory too long",
         [](FakePlatform& p) { p.windowsDir = "C:\\" + std::string(1200, 'w'); },
         &Hand::UpToWindowsDirectory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hand hand;
        c.arrange(hand.platform);
        hand.Run();
        std::vector<std::string> expected =
            Hand::Append((hand.*c.stepsBeforeMessage)(), {"MessageBox 16", "PostClose now"});
        EXPECT_EQ(hand.platform.calls, expected);
        ASSERT_EQ(hand.platform.messages.size(), 1u);
        EXPECT_EQ(hand.platform.messages[0].text, hand.Message());
        EXPECT_EQ(hand.platform.messages[0].caption,
                  std::optional<std::string>("VYNKelmo Installation"));
        EXPECT_EQ(hand.platform.messages[0].style, 0x10u);
        EXPECT_EQ(hand.platform.closeRequests, std::vector<uintptr_t>{kCloseNow});
    }
}

// A template that cannot lead to the address, or that would overflow the
// page's buffer, writes nothing into the file.
TEST(LaunchDownloadPage, UnusableTemplateWritesNothing) {
    const size_t addressLength = Hand().url.size();
    // Three places for the address and filler: a page of exactly 1000 bytes,
    // one more than its buffer holds beside the terminator.
    const std::string tooLong = "%s%s%s" + std::string(1000 - 3 * addressLength, 'x');
    for (const std::string& pageTemplate :
         {std::string(), std::string("<html>%s %s</html>"), std::string("%s%s%s%s"), tooLong}) {
        SCOPED_TRACE(pageTemplate.size());
        Hand hand;
        hand.platform.pageTemplate = pageTemplate;
        hand.Run();
        std::vector<std::string> expected =
            Hand::Append(hand.UpToCreate(),
                         {"LoadString 110 1000", "CloseFile", "MessageBox 16", "PostClose now"});
        EXPECT_EQ(hand.platform.calls, expected);
        EXPECT_EQ(hand.platform.fileContents[hand.page], "");
        ASSERT_EQ(hand.platform.messages.size(), 1u);
        EXPECT_EQ(hand.platform.messages[0].text, hand.Message());
    }
    Hand hand;
    hand.platform.pageTemplate = tooLong.substr(0, tooLong.size() - 1);  // a byte less fits
    hand.Run();
    EXPECT_EQ(hand.platform.fileContents[hand.page].size(), 999u);
    EXPECT_TRUE(hand.platform.messages.empty());
}

TEST(LaunchDownloadPage, DirectoriesWithOrWithoutTheirSeparator) {
    Hand hand;
    hand.platform.windowsDir = "C:\\";
    hand.platform.tempDir = "D:\\Temp Dir";
    hand.page = "D:\\Temp Dir\\zuzerizidirod.html";
    hand.Run();
    EXPECT_EQ(hand.platform.calls[2], "CreateFile " + hand.page);
    EXPECT_EQ(hand.platform.calls.end()[-2],
              "ShellExecute Open C:\\explorer.exe \"" + hand.page + "\" []");
    EXPECT_TRUE(hand.platform.messages.empty());
}

}  // namespace
