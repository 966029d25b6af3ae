#include "ui/presentation.h"

#include "res/resource.h"
#include "ui/texts.h"

namespace {

// The controls that offer the choice of language, always hidden or shown
// together and in this order.
const int kLanguageControls[] = {IDC_FLAG_UK, IDC_FLAG_DK, IDC_DANISH, IDC_ENGLISH,
                                 IDC_LANGUAGE_PROMPT};

void ShowLanguageControls(Platform& platform, DialogRef dialog, bool show) {
    for (int id : kLanguageControls) platform.ShowControl(dialog, id, show);
}

void SetIcons(Platform& platform, DialogRef dialog) {
    platform.SetDialogIcon(dialog, false);
    platform.SetDialogIcon(dialog, true);
}

// The radio button checked is always the language that OK will download.
void CheckSelectedLanguage(Platform& platform, const SetupState& state, DialogRef dialog) {
    int check = IsDanish(state.selectedLanguage) ? IDC_DANISH : IDC_ENGLISH;
    platform.CheckRadio(dialog, IDC_DANISH, IDC_ENGLISH, check);
}

void WriteGreeting(Platform& platform, const SetupState& state, DialogRef dialog) {
    const bool found = state.existingInstall != 0;
    if (IsDanish(state.installedLanguage)) {
        if (!found) {
            platform.SetControlText(dialog, IDC_WELCOME, TXT_WELCOME_SHORT_DA);
            return;
        }
        platform.SetControlText(dialog, IDC_WELCOME, TXT_WELCOME_LONG_DA);
        platform.SetControlText(dialog, IDC_DANISH, TXT_LABEL_DANISH_DA_PLAIN);
        platform.SetControlText(dialog, IDCANCEL, TXT_CANCEL_DA);
        platform.SetControlText(dialog, IDC_ENGLISH, TXT_LABEL_ENGLISH_DA_PLAIN);
        platform.SetControlText(dialog, IDC_STANDALONE, TXT_STANDALONE_DA);
        platform.ShowControl(dialog, IDC_STANDALONE, true);
        return;
    }
    if (!found) {
        platform.SetControlText(dialog, IDC_WELCOME, TXT_WELCOME_SHORT_EN);
        return;
    }
    platform.SetControlText(dialog, IDC_WELCOME, TXT_WELCOME_LONG_EN);
    platform.SetControlText(dialog, IDC_STANDALONE, TXT_STANDALONE_EN);
    platform.ShowControl(dialog, IDC_STANDALONE, true);
}

}  // namespace

void InitSetupDialog(Platform& platform, const SetupState& state, DialogRef dialog) {
    WriteGreeting(platform, state, dialog);
    CheckSelectedLanguage(platform, state, dialog);
    // An installation was found: recommend the upgrade; the language only
    // matters once the user asks for a stand-alone installation.
    if (state.existingInstall != 0) ShowLanguageControls(platform, dialog, false);
    SetIcons(platform, dialog);
}

void SelectLanguage(Platform& platform, SetupState& state, DialogRef dialog, Language language) {
    const bool danish = IsDanish(language);
    platform.SetControlText(dialog, IDC_WELCOME,
                            danish ? TXT_WELCOME_SHORT_DA : TXT_WELCOME_SHORT_EN);
    platform.SetControlText(dialog, IDC_DANISH, danish ? TXT_LABEL_DANISH_DA : TXT_LABEL_DANISH_EN);
    platform.SetControlText(dialog, IDCANCEL, danish ? TXT_CANCEL_DA : TXT_CANCEL_EN);
    platform.SetControlText(dialog, IDC_ENGLISH,
                            danish ? TXT_LABEL_ENGLISH_DA : TXT_LABEL_ENGLISH_EN);
    platform.SetControlText(dialog, IDC_STANDALONE, danish ? TXT_STANDALONE_DA : TXT_STANDALONE_EN);
    state.selectedLanguage = danish ? Danish : English;
}

void ToggleStandalone(Platform& platform, const SetupState& state, DialogRef dialog) {
    if (!platform.IsButtonChecked(dialog, IDC_STANDALONE)) {
        // Back to the upgrade: the initialisation restores its presentation.
        platform.SendReinitialise(dialog);
        return;
    }
    bool anyChecked = platform.IsButtonChecked(dialog, IDC_DANISH) ||
                      platform.IsButtonChecked(dialog, IDC_ENGLISH);
    if (!anyChecked) CheckSelectedLanguage(platform, state, dialog);
    platform.SetControlText(dialog, IDC_WELCOME, TXT_WELCOME_SHORT_EN);
    ShowLanguageControls(platform, dialog, true);
    SetIcons(platform, dialog);
}
