// Entry point and dialog procedure of setup.exe.
#include <windows.h>

#include "app/platform_win32.h"
#include "app/setup.h"

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    Platform& platform = ActivePlatform();
    DialogRef dialog = ToDialog(window);
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(platform, setupState, dialog);
        break;
    case WM_COMMAND:
        // Only the control identifier counts, whatever the notification.
        OnCommand(platform, setupState, dialog, LOWORD(wParam));
        break;
    case WM_DESTROY:
        // The program never destroys its dialog, so every WM_DESTROY seen
        // while it runs is its own close request.
        OnCloseRequest(platform, setupState, dialog, wParam);
        break;
    default:
        break;
    }
    return FALSE;
}

static int SetupMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    appInstance = instance;
    InstallPlatform(&Win32Platform());
    return RunSetup(ActivePlatform(), setupState, showCommand);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return SetupMain(instance, previous, commandLine, showCommand);
}
