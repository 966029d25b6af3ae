// Stands in for explorer.exe in a test prefix: records how it was started.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE log = CreateFileA("C:\\explorer_calls.txt", FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(log, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    WriteFile(log, "\n", 1, &written, nullptr);
    CloseHandle(log);
    return 0;
}
