// The Win32 side of the platform interface.
#pragma once

#include <windows.h>

#include "app/platform.h"

extern HINSTANCE appInstance;
extern HICON appIcon;

// The real platform; the dialog procedure must be known to it because the
// dialog is created from its template here.
Platform& Win32Platform();

inline HWND ToWindow(DialogRef dialog) {
    return reinterpret_cast<HWND>(dialog);
}
inline DialogRef ToDialog(HWND window) {
    return reinterpret_cast<DialogRef>(window);
}
