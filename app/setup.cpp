#include "app/setup.h"

#include "detect/detect.h"
#include "download/download.h"
#include "res/resource.h"
#include "ui/presentation.h"

const char QUIT_QUESTION_DA[] = "Er du sikker p\xE5, at du vil afslutte installationen?";
const char QUIT_QUESTION_EN[] = "Are you sure you want to cancel the installation?";

void DetectEnvironment(Platform& platform, SetupState& state) {
    ProbeInstallation(platform, state);
    // The settings file is only worth reading for an installation that can
    // take the upgrade.
    if (state.existingInstall == 1) ReadInstalledLanguage(platform, state);
    ProbePrerequisites(platform, state);
}

bool CreateSetupWindow(Platform& platform, SetupState& state, int showCommand) {
    // Everything is known before the window exists, so the first thing on
    // the screen is the fully initialised dialog.
    DetectEnvironment(platform, state);
    CheckJet(platform, state);
    DialogRef dialog = platform.CreateSetupDialog();
    if (dialog == nullptr) return false;
    platform.ShowAndPaint(dialog, showCommand);
    return true;
}

int RunSetup(Platform& platform, SetupState& state, int showCommand) {
    platform.LoadAppIcon();
    if (!CreateSetupWindow(platform, state, showCommand)) return 0;
    return platform.RunMessageLoop();
}

void OnInitDialog(Platform& platform, SetupState& state, DialogRef dialog) {
    InitSetupDialog(platform, state, dialog);
}

void OnCommand(Platform& platform, SetupState& state, DialogRef dialog, int controlId) {
    switch (controlId) {
    case IDOK:
        LaunchDownloadPage(platform, state, dialog);
        break;
    case IDCANCEL:
        // Posted, not asked here: the question comes when the request is
        // taken from the queue, after this command has returned.
        platform.PostCloseRequest(dialog, kCloseAsk);
        break;
    case IDC_DANISH:
        SelectLanguage(platform, state, dialog, Danish);
        break;
    case IDC_ENGLISH:
        SelectLanguage(platform, state, dialog, English);
        break;
    case IDC_STANDALONE:
        ToggleStandalone(platform, state, dialog);
        break;
    default:
        break;
    }
}

void OnCloseRequest(Platform& platform, const SetupState& state, DialogRef dialog,
                    uintptr_t wParam) {
    if (wParam == kCloseNow) {
        platform.PostQuit(0);
        return;
    }
    // Read the language now, so that a choice made in the dialog counts.
    const char* question = IsDanish(state.selectedLanguage) ? QUIT_QUESTION_DA : QUIT_QUESTION_EN;
    if (platform.ShowMessage(dialog, question, nullptr, kStyleQuestion) == kAnswerOk) {
        platform.PostQuit(0);
    }
}
