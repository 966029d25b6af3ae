// A platform for tests: an in-memory registry, files, temporary directory,
// shell and dialog, with every call that matters recorded in order.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/platform.h"

struct FakeValue {
    std::string name;
    std::string data;  // raw bytes as stored; add the NUL yourself for text
};

struct FakeKey {
    long openStatus = kStatusSuccess;  // e.g. 5 (access denied) for unreadable
    std::vector<FakeValue> values;     // in enumeration order
    // RegQueryValueA's default value; nullopt answers kStatusFileNotFound.
    std::optional<std::string> defaultValue;
};

struct FakeControl {
    std::string text;
    bool visible = true;
    bool checked = false;
};

struct FakeMessage {
    std::string text;
    std::optional<std::string> caption;  // nullopt for a NULL caption
    unsigned style = 0;
};

class FakePlatform : public Platform {
public:
    FakePlatform();

    // --- what a test seeds ---
    std::map<std::string, FakeKey> keys;  // subkey paths below HKLM, compared case-insensitively
    std::set<std::string> paths;          // paths that exist (case-insensitive)
    // file -> section -> key -> value, as GetPrivateProfileStringA would find them
    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> profiles;
    uint32_t version = 0x0A28000A;  // 10.0 by default
    std::string tempDir = "C:\\Users\\Test\\Temp\\";
    std::optional<uint32_t> tempPathResult;  // overrides GetTempPathA's return value
    std::string windowsDir = "C:\\windows";
    std::string pageTemplate;  // what LoadStringA yields for IDS_DOWNLOAD_PAGE
    bool createFails = false;
    bool writeFails = false;
    std::optional<uint32_t> writeShortBy;             // bytes the write leaves out
    std::set<std::string> writtenFiles;               // files this run created
    std::map<std::string, std::string> fileContents;  // path -> bytes written
    uintptr_t findResult = 42;                        // > 32: associated
    std::string findProgram = "C:\\browser\\browser.exe";
    uintptr_t shellResult = 42;
    int messageAnswer = kAnswerOk;
    bool dialogCreationFails = false;
    int quitCode = 0;                               // what RunMessageLoop returns
    std::map<int, FakeControl> controls;            // the dialog as its template creates it
    std::function<void(DialogRef)> onReinitialise;  // runs when WM_INITDIALOG is sent

    // --- what a test reads back ---
    std::vector<std::string> calls;  // "Name arg ..." in call order
    std::vector<FakeMessage> messages;
    std::vector<std::string> shellParameters;
    std::vector<uintptr_t> closeRequests;
    std::vector<int> quits;
    int openKeys = 0;  // keys opened and not yet closed
    DialogRef dialog() const { return reinterpret_cast<DialogRef>(0x1234); }

    // Platform
    long OpenMachineKey(const char* subkey, RegKeyRef* key) override;
    long EnumValue(RegKeyRef key, uint32_t index, char* name, uint32_t* nameSize,
                   unsigned char* data, uint32_t* dataSize) override;
    long QueryDefaultValue(RegKeyRef key, char* buffer, int32_t* size) override;
    void CloseKey(RegKeyRef key) override;
    bool PathExists(const char* path) override;
    uint32_t ReadProfileString(const char* section, const char* key, const char* fallback,
                               char* buffer, uint32_t size, const char* file) override;
    uint32_t WindowsVersion() override;
    uint32_t TempPath(uint32_t size, char* buffer) override;
    uint32_t WindowsDirectory(char* buffer, uint32_t size) override;
    FileRef CreatePageFile(const char* path) override;
    bool WriteToFile(FileRef file, const void* bytes, uint32_t length, uint32_t* written) override;
    void CloseFile(FileRef file) override;
    int LoadResourceString(unsigned id, char* buffer, int size) override;
    uintptr_t FindAssociation(const char* file, const char* directory, char* result) override;
    uintptr_t ShellOpen(DialogRef owner, const char* verb, const char* file, const char* parameters,
                        const char* directory) override;
    int ShowMessage(DialogRef owner, const char* text, const char* caption,
                    unsigned style) override;
    void SetControlText(DialogRef dialog, int id, const char* text) override;
    void ShowControl(DialogRef dialog, int id, bool show) override;
    void CheckRadio(DialogRef dialog, int first, int last, int check) override;
    bool IsButtonChecked(DialogRef dialog, int id) override;
    void SetDialogIcon(DialogRef dialog, bool big) override;
    void SendReinitialise(DialogRef dialog) override;
    void PostCloseRequest(DialogRef dialog, uintptr_t wParam) override;
    void PostQuit(int code) override;
    void LoadAppIcon() override;
    DialogRef CreateSetupDialog() override;
    void ShowAndPaint(DialogRef dialog, int showCommand) override;
    int RunMessageLoop() override;

private:
    std::vector<const FakeKey*> handles_;  // index + 1 is the handle value
    std::map<uintptr_t, std::string> openFiles_;
    uintptr_t nextFile_ = 1;
    const FakeKey* Key(RegKeyRef key) const;
};

// The page template exactly as the resource script carries it.
extern const char kExpectedPageTemplate[];
