#include "app/platform_win32.h"

#include <cstring>

#include "res/resource.h"

HINSTANCE appInstance = nullptr;
HICON appIcon = nullptr;

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

HKEY ToKey(RegKeyRef key) {
    return reinterpret_cast<HKEY>(key);
}
HANDLE ToHandle(FileRef file) {
    return reinterpret_cast<HANDLE>(file);
}

// The shell is needed only once the user presses OK, so it is loaded then
// and start-up does not pay for it. It is loaded by its full path in the
// system directory: a planted copy beside the program is never a candidate.
HMODULE LoadShell() {
    static HMODULE shell = nullptr;
    if (shell) return shell;
    static const char kName[] = "\\shell32.dll";
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length > MAX_PATH - sizeof kName) return nullptr;
    std::memcpy(path + length, kName, sizeof kName);
    shell = LoadLibraryA(path);
    return shell;
}

template <typename Function>
Function ShellFunction(const char* name) {
    HMODULE shell = LoadShell();
    FARPROC found = shell ? GetProcAddress(shell, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

using FindExecutableFn = HINSTANCE(WINAPI*)(LPCSTR, LPCSTR, LPSTR);
using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

class RealPlatform final : public Platform {
public:
    long OpenMachineKey(const char* subkey, RegKeyRef* key) override {
        HKEY opened = nullptr;
        LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_READ, &opened);
        *key = status == ERROR_SUCCESS ? reinterpret_cast<RegKeyRef>(opened) : nullptr;
        return status;
    }

    long EnumValue(RegKeyRef key, uint32_t index, char* name, uint32_t* nameSize,
                   unsigned char* data, uint32_t* dataSize) override {
        DWORD nameChars = *nameSize;
        DWORD dataBytes = *dataSize;
        LONG status =
            RegEnumValueA(ToKey(key), index, name, &nameChars, nullptr, nullptr, data, &dataBytes);
        *nameSize = nameChars;
        *dataSize = dataBytes;
        return status;
    }

    long QueryDefaultValue(RegKeyRef key, char* buffer, int32_t* size) override {
        LONG bytes = *size;
        LONG status = RegQueryValueA(ToKey(key), nullptr, buffer, &bytes);
        *size = bytes;
        return status;
    }

    void CloseKey(RegKeyRef key) override { RegCloseKey(ToKey(key)); }

    bool PathExists(const char* path) override {
        return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    }

    uint32_t ReadProfileString(const char* section, const char* key, const char* fallback,
                               char* buffer, uint32_t size, const char* file) override {
        return GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
    }

    uint32_t WindowsVersion() override { return GetVersion(); }

    uint32_t TempPath(uint32_t size, char* buffer) override { return GetTempPathA(size, buffer); }

    uint32_t WindowsDirectory(char* buffer, uint32_t size) override {
        return GetWindowsDirectoryA(buffer, size);
    }

    FileRef CreatePageFile(const char* path) override {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<FileRef>(file);
    }

    bool WriteToFile(FileRef file, const void* bytes, uint32_t length, uint32_t* written) override {
        DWORD count = 0;
        BOOL ok = WriteFile(ToHandle(file), bytes, length, &count, nullptr);
        *written = count;
        return ok != FALSE;
    }

    void CloseFile(FileRef file) override { CloseHandle(ToHandle(file)); }

    int LoadResourceString(unsigned id, char* buffer, int size) override {
        return LoadStringA(appInstance, id, buffer, size);
    }

    uintptr_t FindAssociation(const char* file, const char* directory, char* result) override {
        // Without the shell there is no association to find; 0 is its own
        // code for running out of resources, so the address is shown.
        auto findExecutable = ShellFunction<FindExecutableFn>("FindExecutableA");
        if (!findExecutable) return 0;
        return reinterpret_cast<uintptr_t>(findExecutable(file, directory, result));
    }

    uintptr_t ShellOpen(DialogRef owner, const char* verb, const char* file, const char* parameters,
                        const char* directory) override {
        auto shellExecute = ShellFunction<ShellExecuteFn>("ShellExecuteA");
        if (!shellExecute) return 0;
        return reinterpret_cast<uintptr_t>(
            shellExecute(ToWindow(owner), verb, file, parameters, directory, SW_SHOWDEFAULT));
    }

    int ShowMessage(DialogRef owner, const char* text, const char* caption,
                    unsigned style) override {
        return MessageBoxA(ToWindow(owner), text, caption, style);
    }

    void SetControlText(DialogRef dialog, int id, const char* text) override {
        SetWindowTextA(GetDlgItem(ToWindow(dialog), id), text);
    }

    void ShowControl(DialogRef dialog, int id, bool show) override {
        ShowWindow(GetDlgItem(ToWindow(dialog), id), show ? SW_SHOW : SW_HIDE);
    }

    void CheckRadio(DialogRef dialog, int first, int last, int check) override {
        CheckRadioButton(ToWindow(dialog), first, last, check);
    }

    bool IsButtonChecked(DialogRef dialog, int id) override {
        return IsDlgButtonChecked(ToWindow(dialog), id) == BST_CHECKED;
    }

    void SetDialogIcon(DialogRef dialog, bool big) override {
        SendMessageA(ToWindow(dialog), WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                     reinterpret_cast<LPARAM>(appIcon));
    }

    void SendReinitialise(DialogRef dialog) override {
        SendMessageA(ToWindow(dialog), WM_INITDIALOG, 0, 0);
    }

    void PostCloseRequest(DialogRef dialog, uintptr_t wParam) override {
        PostMessageA(ToWindow(dialog), WM_DESTROY, wParam, 0);
    }

    void PostQuit(int code) override { PostQuitMessage(code); }

    void LoadAppIcon() override { appIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_APP)); }

    DialogRef CreateSetupDialog() override {
        return ToDialog(CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_SETUP), nullptr,
                                           SetupDialogProc, 0));
    }

    void ShowAndPaint(DialogRef dialog, int showCommand) override {
        ShowWindow(ToWindow(dialog), showCommand);
        UpdateWindow(ToWindow(dialog));
    }

    int RunMessageLoop() override {
        // No IsDialogMessageA: the setup dialog deliberately has no keyboard
        // navigation, so Enter and Escape do nothing.
        // GetMessageA's -1 (an error) ends the loop too rather than spin.
        MSG message = {};
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
    }
};

}  // namespace

Platform& Win32Platform() {
    static RealPlatform platform;
    return platform;
}
