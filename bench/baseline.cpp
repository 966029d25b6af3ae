// The least a dialog program can do before its dialog is on the screen:
// create it, show it, paint it and pump messages. Measured beside setup.exe
// to tell what detection and artwork add to the start-up.
#include <windows.h>

// Built twice: with its own bare template, and with setup.exe's resource
// script (the same dialog, mascot and flags) to tell the cost of the
// artwork from that of detection.
#ifdef WITH_SETUP_DIALOG
#include "res/resource.h"
#define IDD_BASELINE IDD_SETUP
#else
#include "baseline_resource.h"
#endif

static INT_PTR CALLBACK BaselineDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    // The close box reaches the procedure as IDCANCEL, like the button.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) PostQuitMessage(0);
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_BASELINE), nullptr,
                                     BaselineDialogProc, 0);
    if (dialog == nullptr) return 0;
    ShowWindow(dialog, showCommand);
    UpdateWindow(dialog);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
