// A stand-in for a system DLL planted beside setup.exe, as an attacker would
// leave one in a downloads folder. Being loaded is all it does: it leaves a
// marker file named after itself ("version.dll" leaves "version.dll.loaded")
// in the folder it sits in, and refuses to stay, so nothing of it runs on.
#include <windows.h>

#include <cstring>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char marker[MAX_PATH];
    static const char kSuffix[] = ".loaded";
    DWORD length = GetModuleFileNameA(self, marker, MAX_PATH);
    if (length == 0 || length > MAX_PATH - sizeof kSuffix) return FALSE;
    std::memcpy(marker + length, kSuffix, sizeof kSuffix);
    HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return FALSE;
}
