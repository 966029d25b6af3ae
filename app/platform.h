// The few system calls the setup logic needs, behind an interface of our own
// so that detection, presentation and the download hand-off can be exercised
// without Windows. One implementation talks to Win32, one fake serves tests.
//
// Conventions: text is single-byte ANSI (Windows-1252); status codes are
// Win32 error codes (0 is success); sizes are in bytes and follow the
// in/out meaning of the Win32 call that each method stands for.
#pragma once

#include <cstdint>

struct DialogTag;
using DialogRef = DialogTag*;  // the setup dialog's window
struct RegKeyTag;
using RegKeyRef = RegKeyTag*;  // an open registry key
struct FileTag;
using FileRef = FileTag*;  // an open file; nullptr when none

// Message box styles and answers the program uses (Win32 values).
constexpr unsigned kStyleQuestion = 0x21;  // MB_OKCANCEL | MB_ICONQUESTION
constexpr unsigned kStyleError = 0x10;     // MB_ICONERROR
constexpr int kAnswerOk = 1;               // IDOK

// Close request: wParam of the WM_DESTROY the program posts to itself.
constexpr uintptr_t kCloseAsk = 0;
constexpr uintptr_t kCloseNow = static_cast<uintptr_t>(-1);

constexpr long kStatusSuccess = 0;
constexpr long kStatusFileNotFound = 2;
constexpr long kStatusMoreData = 234;
constexpr long kStatusNoMoreItems = 259;

class Platform {
public:
    virtual ~Platform() = default;

    // Registry under HKEY_LOCAL_MACHINE, opened with KEY_READ only.
    virtual long OpenMachineKey(const char* subkey, RegKeyRef* key) = 0;
    // RegEnumValueA without the type: nameSize in characters with the
    // terminator, dataSize in bytes; data may come back unterminated.
    virtual long EnumValue(RegKeyRef key, uint32_t index, char* name, uint32_t* nameSize,
                           unsigned char* data, uint32_t* dataSize) = 0;
    // RegQueryValueA of the key's default value.
    virtual long QueryDefaultValue(RegKeyRef key, char* buffer, int32_t* size) = 0;
    virtual void CloseKey(RegKeyRef key) = 0;

    // GetFileAttributesA used as an existence test; a directory counts.
    virtual bool PathExists(const char* path) = 0;
    // GetPrivateProfileStringA: characters placed, terminator not counted.
    virtual uint32_t ReadProfileString(const char* section, const char* key, const char* fallback,
                                       char* buffer, uint32_t size, const char* file) = 0;
    // GetVersion: major in bits 0-7, minor in bits 8-15.
    virtual uint32_t WindowsVersion() = 0;

    // The download hand-off.
    virtual uint32_t TempPath(uint32_t size, char* buffer) = 0;
    virtual uint32_t WindowsDirectory(char* buffer, uint32_t size) = 0;
    // CreateFileA: GENERIC_WRITE, no sharing, CREATE_ALWAYS, normal file.
    virtual FileRef CreatePageFile(const char* path) = 0;
    virtual bool WriteToFile(FileRef file, const void* bytes, uint32_t length,
                             uint32_t* written) = 0;
    virtual void CloseFile(FileRef file) = 0;
    virtual int LoadResourceString(unsigned id, char* buffer, int size) = 0;
    virtual uintptr_t FindAssociation(const char* file, const char* directory, char* result) = 0;
    // ShellExecuteA with SW_SHOWDEFAULT.
    virtual uintptr_t ShellOpen(DialogRef owner, const char* verb, const char* file,
                                const char* parameters, const char* directory) = 0;
    virtual int ShowMessage(DialogRef owner, const char* text, const char* caption,
                            unsigned style) = 0;

    // The setup dialog's controls, looked up by identifier on every call.
    virtual void SetControlText(DialogRef dialog, int id, const char* text) = 0;
    virtual void ShowControl(DialogRef dialog, int id, bool show) = 0;
    virtual void CheckRadio(DialogRef dialog, int first, int last, int check) = 0;
    virtual bool IsButtonChecked(DialogRef dialog, int id) = 0;
    // WM_SETICON with the application icon, small or big.
    virtual void SetDialogIcon(DialogRef dialog, bool big) = 0;
    // Sends WM_INITDIALOG to the dialog; it runs before the call returns.
    virtual void SendReinitialise(DialogRef dialog) = 0;
    // Posts WM_DESTROY with the given wParam and lParam 0.
    virtual void PostCloseRequest(DialogRef dialog, uintptr_t wParam) = 0;
    virtual void PostQuit(int code) = 0;

    // Start-up.
    virtual void LoadAppIcon() = 0;
    // Creates the hidden dialog from its template; nullptr when it fails.
    virtual DialogRef CreateSetupDialog() = 0;
    virtual void ShowAndPaint(DialogRef dialog, int showCommand) = 0;
    // Runs GetMessageA/TranslateMessage/DispatchMessageA until WM_QUIT and
    // returns its wParam.
    virtual int RunMessageLoop() = 0;
};

// The platform that the argument-less operations use. The Win32 entry point
// installs the real one; tests install a fake.
Platform& ActivePlatform();
void InstallPlatform(Platform* platform);
