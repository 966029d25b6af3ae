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

// A setup program is usually started from a downloads folder, where anything
// may lie beside it: the DLLs that the shell loads on OK must come from the
// system directory only. Looked up at run time, since older systems lack it.
static void RestrictDllSearchToSystem() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (found != nullptr) {
        auto setDefault =
            reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(found));
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    } else {
        SetDllDirectoryA("");  // at least take the current directory out
    }
}

static int SetupMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    RestrictDllSearchToSystem();
    appInstance = instance;
    InstallPlatform(&Win32Platform());
    return RunSetup(ActivePlatform(), setupState, showCommand);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return SetupMain(instance, previous, commandLine, showCommand);
}
