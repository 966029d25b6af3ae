// The dialog's presentation against a fake dialog that records every call.
#include "ui/presentation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/unit/fake_platform.h"
#include "ui/texts.h"

namespace {

using Calls = std::vector<std::string>;

std::string Text(int id, const char* text) {
    return "SetText " + std::to_string(id) + " " + text;
}

const Calls kHideLanguage = {"Hide 1004", "Hide 1005", "Hide 1001", "Hide 1002", "Hide 1006"};
const Calls kShowLanguage = {"Show 1004", "Show 1005", "Show 1001", "Show 1002", "Show 1006"};
const Calls kIcons = {"Icon small", "Icon big"};
const int kLanguageIds[] = {IDC_FLAG_UK, IDC_FLAG_DK, IDC_DANISH, IDC_ENGLISH, IDC_LANGUAGE_PROMPT};

// What a click on a radio button writes, in order.
Calls FiveTexts(bool danish) {
    return {Text(IDC_WELCOME, danish ? TXT_WELCOME_SHORT_DA : TXT_WELCOME_SHORT_EN),
            Text(IDC_DANISH, danish ? TXT_LABEL_DANISH_DA : TXT_LABEL_DANISH_EN),
            Text(IDCANCEL, danish ? TXT_CANCEL_DA : TXT_CANCEL_EN),
            Text(IDC_ENGLISH, danish ? TXT_LABEL_ENGLISH_DA : TXT_LABEL_ENGLISH_EN),
            Text(IDC_STANDALONE, danish ? TXT_STANDALONE_DA : TXT_STANDALONE_EN)};
}

// Visibility and check mark of every control, to show what a step leaves alone.
std::string Marks(const FakePlatform& platform) {
    std::string marks;
    for (const auto& [id, control] : platform.controls) {
        marks +=
            std::to_string(id) + (control.visible ? "v" : "h") + (control.checked ? "x " : "o ");
    }
    return marks;
}

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
                Text(IDC_STANDALONE, TXT_STANDALONE_DA), "Show 1008", "CheckRadio 1001 1002 1001"},
               kHideLanguage,
               kIcons})},
        {1, English, English,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_EN), Text(IDC_STANDALONE, TXT_STANDALONE_EN),
                "Show 1008", "CheckRadio 1001 1002 1002"},
               kHideLanguage,
               kIcons})},
        {0, English, English,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN), "CheckRadio 1001 1002 1002"}, kIcons})},
        // The checked radio button is the selected language, in every row.
        {0, Danish, Danish,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_SHORT_DA), "CheckRadio 1001 1002 1001"}, kIcons})},
        {1, English, Danish,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_EN), Text(IDC_STANDALONE, TXT_STANDALONE_EN),
                "Show 1008", "CheckRadio 1001 1002 1001"},
               kHideLanguage,
               kIcons})},
        // Any value but 1 is English; any non-zero flag is an installation.
        {0, 0, 3,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN), "CheckRadio 1001 1002 1002"}, kIcons})},
        {-1, Danish, Danish,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_DA), Text(IDC_DANISH, TXT_LABEL_DANISH_DA_PLAIN),
                Text(IDCANCEL, TXT_CANCEL_DA), Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_DA_PLAIN),
                Text(IDC_STANDALONE, TXT_STANDALONE_DA), "Show 1008", "CheckRadio 1001 1002 1001"},
               kHideLanguage,
               kIcons})},
        {7, 3, 0,
         Join({{Text(IDC_WELCOME, TXT_WELCOME_LONG_EN), Text(IDC_STANDALONE, TXT_STANDALONE_EN),
                "Show 1008", "CheckRadio 1001 1002 1002"},
               kHideLanguage,
               kIcons})},
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
    EXPECT_EQ(dialog.Take(),
              (Calls{Text(IDC_WELCOME, TXT_WELCOME_SHORT_DA), Text(IDC_DANISH, TXT_LABEL_DANISH_DA),
                     Text(IDCANCEL, TXT_CANCEL_DA), Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_DA),
                     Text(IDC_STANDALONE, TXT_STANDALONE_DA)}));
    EXPECT_EQ(dialog.state.selectedLanguage, Danish);
    EXPECT_FALSE(dialog.control(IDC_STANDALONE).visible);  // written while hidden
    dialog.Click(IDC_ENGLISH);
    EXPECT_EQ(dialog.Take(),
              (Calls{Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN), Text(IDC_DANISH, TXT_LABEL_DANISH_EN),
                     Text(IDCANCEL, TXT_CANCEL_EN), Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_EN),
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
    EXPECT_EQ(dialog.Take(),
              Join({{"IsChecked 1008", "IsChecked 1001", Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN)},
                    kShowLanguage,
                    kIcons}));
    EXPECT_EQ(dialog.control(IDC_DANISH).text, TXT_LABEL_DANISH_DA_PLAIN);
    EXPECT_EQ(dialog.control(IDCANCEL).text, TXT_CANCEL_DA);
    EXPECT_EQ(dialog.control(IDC_STANDALONE).text, TXT_STANDALONE_DA);
    // What is shown checked is what OK downloads.
    EXPECT_TRUE(dialog.control(IDC_DANISH).checked);
    EXPECT_EQ(dialog.state.selectedLanguage, Danish);
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
    EXPECT_EQ(
        dialog.Take(),
        Join({{"IsChecked 1008", "SendInitDialog", Text(IDC_WELCOME, TXT_WELCOME_LONG_EN),
               Text(IDC_STANDALONE, TXT_STANDALONE_EN), "Show 1008", "CheckRadio 1001 1002 1001"},
              kHideLanguage,
              kIcons}));
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

// The texts and marks a situation leaves, read back from the controls.
TEST(InitSetupDialog, LeavesTheDialogAsItsSituationShows) {
    const char* kTemplateStandalone =
        "No. I wish to install the calendar by itself - not merged with Zodiamat.";
    struct Case {
        int32_t existing, installed, selected;
        const char *welcome, *danish, *english, *cancel, *standalone;
        bool upgrade;  // checkbox shown, language controls hidden
        int checkedRadio;
    } cases[] = {
        {0, Danish, English, TXT_WELCOME_SHORT_DA, "Danish", "English", "Cancel",
         kTemplateStandalone, false, IDC_ENGLISH},
        {0, Danish, Danish, TXT_WELCOME_SHORT_DA, "Danish", "English", "Cancel",
         kTemplateStandalone, false, IDC_DANISH},
        {1, Danish, Danish, TXT_WELCOME_LONG_DA, "Dansk", "Engelsk", "A&nnuller", TXT_STANDALONE_DA,
         true, IDC_DANISH},
        {1, Danish, English, TXT_WELCOME_LONG_DA, "Dansk", "Engelsk", "A&nnuller",
         TXT_STANDALONE_DA, true, IDC_ENGLISH},
        {1, English, English, TXT_WELCOME_LONG_EN, "Danish", "English", "Cancel", TXT_STANDALONE_EN,
         true, IDC_ENGLISH},
        {1, 0, 3, TXT_WELCOME_LONG_EN, "Danish", "English", "Cancel", TXT_STANDALONE_EN, true,
         IDC_ENGLISH},
    };
    for (const Case& c : cases) {
        Dialog dialog(c.existing, c.installed, c.selected);
        InitSetupDialog(dialog.platform, dialog.state, dialog.d());
        SCOPED_TRACE(std::to_string(c.existing) + " " + std::to_string(c.installed) + " " +
                     std::to_string(c.selected));
        EXPECT_EQ(dialog.control(IDC_WELCOME).text, c.welcome);
        EXPECT_EQ(dialog.control(IDC_DANISH).text, c.danish);
        EXPECT_EQ(dialog.control(IDC_ENGLISH).text, c.english);
        EXPECT_EQ(dialog.control(IDCANCEL).text, c.cancel);
        EXPECT_EQ(dialog.control(IDC_STANDALONE).text, c.standalone);
        EXPECT_EQ(dialog.control(IDC_STANDALONE).visible, c.upgrade);
        EXPECT_FALSE(dialog.control(IDC_STANDALONE).checked);
        for (int id : kLanguageIds) EXPECT_EQ(dialog.control(id).visible, !c.upgrade) << id;
        EXPECT_EQ(dialog.control(IDC_DANISH).checked, c.checkedRadio == IDC_DANISH);
        EXPECT_EQ(dialog.control(IDC_ENGLISH).checked, c.checkedRadio == IDC_ENGLISH);
        EXPECT_EQ(dialog.control(IDOK).text, "OK");
        EXPECT_TRUE(dialog.control(IDOK).visible);
        EXPECT_TRUE(dialog.control(IDC_DESCRIPTION).visible);
    }
}

TEST(SelectLanguage, ClicksWriteTheSameTextsInEitherLanguageMode) {
    struct Mode {
        const char* name;
        int32_t existing, installed;
    } modes[] = {
        {"no installation", 0, Danish},
        {"Danish installation, stand-alone", 1, Danish},
        {"English installation, stand-alone", 1, English},
    };
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.name);
        Dialog dialog(mode.existing, mode.installed, English);
        InitSetupDialog(dialog.platform, dialog.state, dialog.d());
        if (mode.existing != 0) dialog.Click(IDC_STANDALONE);
        // A repeated click on the same button repeats the same writes.
        for (int id : {IDC_DANISH, IDC_DANISH, IDC_ENGLISH, IDC_ENGLISH, IDC_DANISH}) {
            const bool danish = id == IDC_DANISH;
            // The automatic radio buttons mark themselves before the command.
            dialog.platform.controls[IDC_DANISH].checked = danish;
            dialog.platform.controls[IDC_ENGLISH].checked = !danish;
            const std::string marks = Marks(dialog.platform);
            dialog.Take();
            SelectLanguage(dialog.platform, dialog.state, dialog.d(), danish ? Danish : English);
            EXPECT_EQ(dialog.Take(), FiveTexts(danish)) << id;
            EXPECT_EQ(Marks(dialog.platform), marks) << id;
            EXPECT_EQ(dialog.state.selectedLanguage, danish ? Danish : English);
        }
    }
}

TEST(SelectLanguage, OutOfRangeLanguageActsAsEnglish) {
    for (int32_t value : {0, 3, -1}) {
        Dialog dialog(0, Danish, Danish);
        SelectLanguage(dialog.platform, dialog.state, dialog.d(), static_cast<Language>(value));
        EXPECT_EQ(dialog.Take(), FiveTexts(false)) << value;
        EXPECT_EQ(dialog.state.selectedLanguage, English) << value;
    }
}

TEST(ToggleStandalone, CheckingKeepsAMarkOrChecksTheSelectedLanguage) {
    struct Case {
        bool danishChecked, englishChecked;
        int32_t selected;
        Calls reads;
        int checked;  // the radio button checked afterwards
        bool checkRadioCalled;
    } cases[] = {
        {true, false, English, {"IsChecked 1008", "IsChecked 1001"}, IDC_DANISH, false},
        {false,
         true,
         Danish,
         {"IsChecked 1008", "IsChecked 1001", "IsChecked 1002"},
         IDC_ENGLISH,
         false},
        {false,
         false,
         Danish,
         {"IsChecked 1008", "IsChecked 1001", "IsChecked 1002"},
         IDC_DANISH,
         true},
        {false,
         false,
         English,
         {"IsChecked 1008", "IsChecked 1001", "IsChecked 1002"},
         IDC_ENGLISH,
         true},
        {false,
         false,
         0,
         {"IsChecked 1008", "IsChecked 1001", "IsChecked 1002"},
         IDC_ENGLISH,
         true},
        {false,
         false,
         3,
         {"IsChecked 1008", "IsChecked 1001", "IsChecked 1002"},
         IDC_ENGLISH,
         true},
    };
    for (const Case& c : cases) {
        for (int32_t installed : {int32_t{Danish}, int32_t{English}}) {
            SCOPED_TRACE(std::to_string(c.danishChecked) + std::to_string(c.englishChecked) + " " +
                         std::to_string(c.selected) + " " + std::to_string(installed));
            Dialog dialog(1, installed, c.selected);
            InitSetupDialog(dialog.platform, dialog.state, dialog.d());
            dialog.platform.controls[IDC_DANISH].checked = c.danishChecked;
            dialog.platform.controls[IDC_ENGLISH].checked = c.englishChecked;
            const std::string danishLabel = dialog.control(IDC_DANISH).text;
            const std::string englishLabel = dialog.control(IDC_ENGLISH).text;
            const std::string cancel = dialog.control(IDCANCEL).text;
            const std::string standalone = dialog.control(IDC_STANDALONE).text;
            dialog.Take();
            dialog.Click(IDC_STANDALONE);
            Calls expected = c.reads;
            if (c.checkRadioCalled) {
                expected.push_back("CheckRadio 1001 1002 " + std::to_string(c.checked));
            }
            expected.push_back(Text(IDC_WELCOME, TXT_WELCOME_SHORT_EN));
            EXPECT_EQ(dialog.Take(), Join({expected, kShowLanguage, kIcons}));
            EXPECT_EQ(dialog.control(IDC_DANISH).checked, c.checked == IDC_DANISH);
            EXPECT_EQ(dialog.control(IDC_ENGLISH).checked, c.checked == IDC_ENGLISH);
            for (int id : kLanguageIds) EXPECT_TRUE(dialog.control(id).visible) << id;
            EXPECT_TRUE(dialog.control(IDC_STANDALONE).visible);
            EXPECT_TRUE(dialog.control(IDC_STANDALONE).checked);
            EXPECT_EQ(dialog.control(IDC_DANISH).text, danishLabel);
            EXPECT_EQ(dialog.control(IDC_ENGLISH).text, englishLabel);
            EXPECT_EQ(dialog.control(IDCANCEL).text, cancel);
            EXPECT_EQ(dialog.control(IDC_STANDALONE).text, standalone);
            EXPECT_EQ(dialog.state.selectedLanguage, c.selected);
        }
    }
}

TEST(ToggleStandalone, ClearingRunsTheInitialisationWithTheChosenLanguageChecked) {
    const Calls danishRow = {
        Text(IDC_WELCOME, TXT_WELCOME_LONG_DA),  Text(IDC_DANISH, TXT_LABEL_DANISH_DA_PLAIN),
        Text(IDCANCEL, TXT_CANCEL_DA),           Text(IDC_ENGLISH, TXT_LABEL_ENGLISH_DA_PLAIN),
        Text(IDC_STANDALONE, TXT_STANDALONE_DA), "Show 1008"};
    const Calls englishRow = {Text(IDC_WELCOME, TXT_WELCOME_LONG_EN),
                              Text(IDC_STANDALONE, TXT_STANDALONE_EN), "Show 1008"};
    struct Case {
        int32_t installed;
        int32_t selected;  // as detection left it
        int click;         // 0 for no click on a radio button
        const Calls& row;
        int checked;
    } cases[] = {
        {Danish, Danish, 0, danishRow, IDC_DANISH},
        {Danish, Danish, IDC_DANISH, danishRow, IDC_DANISH},
        {Danish, Danish, IDC_ENGLISH, danishRow, IDC_ENGLISH},
        {English, English, 0, englishRow, IDC_ENGLISH},
        {English, English, IDC_ENGLISH, englishRow, IDC_ENGLISH},
        {English, English, IDC_DANISH, englishRow, IDC_DANISH},
        {0, English, IDC_DANISH, englishRow, IDC_DANISH},
        {3, 3, 0, englishRow, IDC_ENGLISH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.installed) + " " + std::to_string(c.click));
        Dialog dialog(1, c.installed, c.selected);
        InitSetupDialog(dialog.platform, dialog.state, dialog.d());
        dialog.Click(IDC_STANDALONE);
        if (c.click != 0) dialog.Click(c.click);
        const Language selected = dialog.state.selectedLanguage;
        dialog.Take();
        dialog.Click(IDC_STANDALONE);
        EXPECT_EQ(dialog.Take(), Join({{"IsChecked 1008", "SendInitDialog"},
                                       c.row,
                                       {"CheckRadio 1001 1002 " + std::to_string(c.checked)},
                                       kHideLanguage,
                                       kIcons}));
        EXPECT_EQ(dialog.state.selectedLanguage, selected);
        EXPECT_EQ(dialog.control(IDC_DANISH).checked, c.checked == IDC_DANISH);
        EXPECT_EQ(dialog.control(IDC_ENGLISH).checked, c.checked == IDC_ENGLISH);
        for (int id : kLanguageIds) EXPECT_FALSE(dialog.control(id).visible) << id;
        EXPECT_TRUE(dialog.control(IDC_STANDALONE).visible);
        EXPECT_FALSE(dialog.control(IDC_STANDALONE).checked);
    }
}

}  // namespace
