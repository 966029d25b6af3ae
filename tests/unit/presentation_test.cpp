// The dialog's presentation against a fake dialog that records every call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/unit/fake_platform.h"
#include "ui/presentation.h"
#include "ui/texts.h"

namespace {

using Calls = std::vector<std::string>;

std::string Text(int id, const char* text) { return "SetText " + std::to_string(id) + " " + text; }

const Calls kHideLanguage = {"Hide 1004", "Hide 1005", "Hide 1001", "Hide 1002", "Hide 1006"};
const Calls kShowLanguage = {"Show 1004", "Show 1005", "Show 1001", "Show 1002", "Show 1006"};
const Calls kIcons = {"Icon small", "Icon big"};

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Dialog {
    FakePlatform platform;
    SetupState state;
    Dialog(int32_t existing, int32_t installed, int32_t selected) {
        state.existingInstall = existing;
        state.installedLanguage = static_cast<Language>(installed);
        state.selectedLanguage = static_cast<Language>(selected);
        platform.onReinitialise = [this](DialogRef d) { InitSetupDialog(platform, state, d); };
    }
    DialogRef d() { return platform.dialog(); }
    const FakeControl& control(int id) { return platform.controls[id]; }
    Calls Take() {
        Calls calls = platform.calls;
        platform.calls.clear();
        return calls;
    }
    void Click(int id) {  // what an automatic button does before its command
        if (id == IDC_STANDALONE) {
            platform.controls[id].checked = !platform.controls[id].checked;
            ToggleStandalone(platform, state, d());
        } else {
            platform.controls[IDC_DANISH].checked = id == IDC_DANISH;
            platform.controls[IDC_ENGLISH].checked = id == IDC_ENGLISH;
            SelectLanguage(platform, state, d(), id == IDC_DANISH ? Danish : English);
        }
    }
};

TEST(InitSetupDialog, WritesTheRowOfTheSituationInOrder) {
    struct Case {
        int32_t existing, installed, selected;
        Calls expected;
    } cases[] = {
        {0, Danish, English,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_SHORT_DA), "CheckRadio 1001 1002 1002"}, kIcons})},
        {1, Danish, Danish,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_DA), Text(IDC_DANISH, TXT_LABEL_DANISH_DA_PLAIN),
                Text(IDCANCEL, TXT_CANCEL_DA), Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_DA_PLAIN),
                Text(IDC_STANDALONE, TXT_STANDALONE_DA), "Show 1008",
                "CheckRadio 1001 1002 1001"},
               kHideLanguage, kIcons})},
        {1, English, English,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_EN), Text(IDC_STANDALONE, TXT_STANDALONE_EN),
                "Show 1008", "CheckRadio 1001 1002 1002"},
               kHideLanguage, kIcons})},
        {0, English, English,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN), "CheckRadio 1001 1002 1002"}, kIcons})},
        // Any value but 1 is English; any non-zero flag is an installation.
        {7, 3, 0,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_EN), Text(IDC_STANDALONE, TXT_STANDALONE_EN),
                "Show 1008", "CheckRadio 1001 1002 1002"},
               kHideLanguage, kIcons})},
    };
    for (const Case& c : cases) {
        Dialog dialog(c.existing, c.installed, c.selected);
        InitSetupDialog(dialog.platform, dialog.state, dialog.d());
        EXPECT_EQ(dialog.Take(), c.expected) << c.existing << " " << c.installed;
        EXPECT_EQ(dialog.state.selectedLanguage, c.selected);
    }
}

TEST(SelectLanguage, WritesFiveTextsThenTheLanguage) {
    Dialog dialog(0, Danish, English);
    InitSetupDialog(dialog.platform, dialog.state, dialog.d());
    dialog.Take();
    dialog.Click(IDC_DANISH);
    EXPECT_EQ(dialog.Take(), (Calls{Text(IDC_WELCOME, TXT_WELCOME_SHORT_DA),
                                    Text(IDC_DANISH, TXT_LABEL_DANISH_DA),
                                    Text(IDCANCEL, TXT_CANCEL_DA),
                                    Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_DA),
                                    Text(IDC_STANDALONE, TXT_STANDALONE_DA)}));
    EXPECT_EQ(dialog.state.selectedLanguage, Danish);
    EXPECT_FALSE(dialog.control(IDC_STANDALONE).visible);  // written while hidden
    dialog.Click(IDC_ENGLISH);
    EXPECT_EQ(dialog.Take(), (Calls{Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN),
                                    Text(IDC_DANISH, TXT_LABEL_DANISH_EN),
                                    Text(IDCANCEL, TXT_CANCEL_EN),
                                    Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_EN),
                                    Text(IDC_STANDALONE, TXT_STANDALONE_EN)}));
    EXPECT_EQ(dialog.state.selectedLanguage, English);
}

TEST(ToggleStandalone, CheckingRevealsTheLanguageChoice) {
    Dialog dialog(1, Danish, Danish);  // a Danish installation
    InitSetupDialog(dialog.platform, dialog.state, dialog.d());
    EXPECT_TRUE(dialog.control(IDC_DANISH).checked);
    dialog.Take();
    dialog.Click(IDC_STANDALONE);
    // A radio button is checked already, so the marks stay as they are.
    EXPECT_EQ(dialog.Take(), Join({{"IsChecked 1008", "IsChecked 1001",
                                    Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN)},
                                   kShowLanguage, kIcons}));
    EXPECT_EQ(dialog.control(IDC_DANISH).text, TXT_LABEL_DANISH_DA_PLAIN);
    EXPECT_EQ(dialog.control(IDCANCEL).text, TXT_CANCEL_DA);
    EXPECT_EQ(dialog.control(IDC_STANDALONE).text, TXT_STANDALONE_DA);
    // What is shown checked is what OK downloads.
    EXPECT_TRUE(dialog.control(IDC_DANISH).checked);
    EXPECT_EQ(dialog.state.selectedLanguage, Danish);
}

TEST(ToggleStandalone, ChecksTheSelectedLanguageWhenNoneIsChecked) {
    for (int32_t selected : {1, 2, 0}) {
        Dialog dialog(1, English, selected);
        dialog.platform.controls[IDC_STANDALONE].checked = true;
        ToggleStandalone(dialog.platform, dialog.state, dialog.d());
        std::string check = selected == Danish ? "1001" : "1002";
        EXPECT_EQ(dialog.Take(),
                  Join({{"IsChecked 1008", "IsChecked 1001", "IsChecked 1002",
                         "CheckRadio 1001 1002 " + check, Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN)},
                        kShowLanguage, kIcons}));
    }
}

TEST(ToggleStandalone, ClearingRestoresTheUpgradeAndKeepsTheChoice) {
    // An English installation; the user asks for a Danish stand-alone setup
    // and then changes their mind.
    Dialog dialog(1, English, English);
    InitSetupDialog(dialog.platform, dialog.state, dialog.d());
    dialog.Click(IDC_STANDALONE);
    dialog.Click(IDC_DANISH);
    dialog.Take();
    dialog.Click(IDC_STANDALONE);
    EXPECT_EQ(dialog.Take(),
              Join({{"IsChecked 1008", "SendInitDialog", Text(IDC_WELCOME, TXT_WELCOME_LONG_EN),
                     Text(IDC_STANDALONE, TXT_STANDALONE_EN), "Show 1008",
                     "CheckRadio 1001 1002 1001"},
                    kHideLanguage, kIcons}));
    // Texts the upgrade row does not write keep the last click's values.
    EXPECT_EQ(dialog.control(IDCANCEL).text, TXT_CANCEL_DA);
    EXPECT_EQ(dialog.control(IDC_DANISH).text, TXT_LABEL_DANISH_DA);
    EXPECT_EQ(dialog.control(IDC_ENGLISH).text, TXT_LABEL_ENGLISH_DA);
    EXPECT_TRUE(dialog.control(IDC_DANISH).checked);
    EXPECT_FALSE(dialog.control(IDC_DANISH).visible);
    EXPECT_TRUE(dialog.control(IDC_STANDALONE).visible);
    EXPECT_EQ(dialog.state.selectedLanguage, Danish);
}

TEST(ToggleStandalone, DanishInstallationRestoresItsTextsAfterClicks) {
    Dialog dialog(1, Danish, Danish);
    InitSetupDialog(dialog.platform, dialog.state, dialog.d());
    dialog.Click(IDC_STANDALONE);
    dialog.Click(IDC_ENGLISH);
    dialog.Click(IDC_STANDALONE);
    EXPECT_EQ(dialog.control(IDC_WELCOME).text, TXT_WELCOME_LONG_DA);
    EXPECT_EQ(dialog.control(IDC_DANISH).text, TXT_LABEL_DANISH_DA_PLAIN);
    EXPECT_EQ(dialog.control(IDC_ENGLISH).text, TXT_LABEL_ENGLISH_DA_PLAIN);
    EXPECT_EQ(dialog.control(IDCANCEL).text, TXT_CANCEL_DA);
    EXPECT_EQ(dialog.control(IDC_STANDALONE).text, TXT_STANDALONE_DA);
    EXPECT_TRUE(dialog.control(IDC_ENGLISH).checked);
    EXPECT_EQ(dialog.state.selectedLanguage, English);
    // Nothing ever touches OK, the description, the prompt or the box's mark.
    EXPECT_EQ(dialog.control(IDOK).text, "OK");
    EXPECT_EQ(dialog.control(IDC_LANGUAGE_PROMPT).text,
              "Please select the language to continue with the installation.");
    EXPECT_FALSE(dialog.control(IDC_STANDALONE).checked);
}

TEST(Texts, BytesAccessKeysAndEncoding) {
    struct Case {
        const char* text;
        size_t length;
        int ampersandAt;  // -1 for none
    } cases[] = {
        {TXT_WELCOME_SHORT_DA, 37, -1}, {TXT_WELCOME_LONG_DA, 145, -1},
        {TXT_WELCOME_SHORT_EN, 35, -1}, {TXT_WELCOME_LONG_EN, 186, -1},
        {TXT_LABEL_DANISH_DA_PLAIN, 5, -1}, {TXT_LABEL_ENGLISH_DA_PLAIN, 7, -1},
        {TXT_LABEL_DANISH_DA, 6, 0},  {TXT_LABEL_ENGLISH_DA, 8, 0},
        {TXT_LABEL_DANISH_EN, 7, 0},  {TXT_LABEL_ENGLISH_EN, 8, 0},
        {TXT_CANCEL_DA, 9, 1},        {TXT_CANCEL_EN, 7, 2},
        {TXT_STANDALONE_DA, 91, -1},  {TXT_STANDALONE_EN, 72, -1},
    };
    int highBytes = 0;
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(text.size(), c.length) << text;
        size_t ampersand = text.find('&');
        EXPECT_EQ(ampersand == std::string::npos ? -1 : static_cast<int>(ampersand), c.ampersandAt)
            << text;
        for (unsigned char byte : text) {
            if (byte > 0x7F) {
                EXPECT_EQ(byte, 0xF8) << text;
                ++highBytes;
            }
        }
    }
    EXPECT_EQ(highBytes, 1);
    EXPECT_EQ(std::string(TXT_STANDALONE_DA).find("\xF8nsker"), 13u);
    std::string longDa = TXT_WELCOME_LONG_DA;
    EXPECT_EQ(longDa.substr(0, 39), std::string(TXT_WELCOME_SHORT_DA) + "\r\n");
    EXPECT_EQ(longDa.find('\n'), 38u);
    EXPECT_EQ(std::string(TXT_WELCOME_LONG_EN).find('\n'), std::string::npos);
    EXPECT_EQ(std::string(TXT_STANDALONE_EN),
              "No. I wish to install the calendar by itself - not merged with Zodiamat.");
}

}  // namespace
