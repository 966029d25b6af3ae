// Times a dialog program from the outside: how long from CreateProcess
// until its dialog is visible and painted, how much memory it took at its
// peak, and how long it takes to end once told to.
//
//   timer EXE ok      click OK (control 1) and wait for the process to end
//   timer EXE close   post WM_CLOSE and wait for the process to end
//
// Prints one line of name=value figures; exits 1 when the program did not
// come up, did not end, or ended with a code other than 0.
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdio>
#include <cstring>

namespace {

const DWORD kAppearTimeoutMs = 20000;
const DWORD kExitTimeoutMs = 20000;

LARGE_INTEGER frequency;

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisibleTopLevel(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Polls every millisecond, as tightly as Sleep allows, so that the figure
// is not rounded up to a coarse polling step.
HWND WaitForVisibleWindow(const PROCESS_INFORMATION& child, const LARGE_INTEGER& start) {
    while (MillisecondsSince(start) < kAppearTimeoutMs) {
        Search search = {child.dwProcessId, nullptr};
        EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        if (WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(1);
    }
    return nullptr;
}

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters;
    std::memset(&counters, 0, sizeof counters);
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

int Fail(const PROCESS_INFORMATION& child, const char* why) {
    std::printf("error=\"%s\"\n", why);
    std::fflush(stdout);
    if (child.hProcess != nullptr) TerminateProcess(child.hProcess, 99);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[2], "ok") != 0 && std::strcmp(argv[2], "close") != 0)) {
        std::printf("usage: timer EXE ok|close\n");
        return 2;
    }
    const bool clickOk = std::strcmp(argv[2], "ok") == 0;
    QueryPerformanceFrequency(&frequency);

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child;
    std::memset(&child, 0, sizeof child);

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &child)) {
        std::printf("error=\"cannot start %s (%lu)\"\n", argv[1], GetLastError());
        return 1;
    }
    HWND window = WaitForVisibleWindow(child, start);
    if (window == nullptr) return Fail(child, "no visible window appeared");
    const double shownMs = MillisecondsSince(start);

    // A sent message is taken only once the program's thread asks for
    // messages, i.e. after ShowWindow and UpdateWindow have returned and
    // the loop has started: the dialog is then visible and painted.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAppearTimeoutMs, &ignored))
        return Fail(child, "the window did not answer");
    const double paintedMs = MillisecondsSince(start);
    const SIZE_T peak = PeakWorkingSet(child.hProcess);

    LARGE_INTEGER told;
    QueryPerformanceCounter(&told);
    if (clickOk) {
        HWND ok = GetDlgItem(window, IDOK);
        if (ok == nullptr) return Fail(child, "no OK button");
        PostMessageA(ok, BM_CLICK, 0, 0);
    } else {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(child.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0)
        return Fail(child, "the program did not end");
    const double exitMs = MillisecondsSince(told);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);

    std::printf("startup_ms=%.3f shown_ms=%.3f peak_ws=%lu exit_ms=%.3f exit_code=%lu\n", paintedMs,
                shownMs, static_cast<unsigned long>(peak), exitMs, code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return code == 0 ? 0 : 1;
}
