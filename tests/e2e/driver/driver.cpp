// Drives setup.exe from the outside, as a user would: starts it, waits for
// its dialog, reads and clicks its controls, answers its message boxes and
// checks its exit code. Steps come from a script, one a line:
//
//   text ID "bytes"        control text, with \r \n \" \\ \xHH escapes
//   visible ID 0|1         the control's WS_VISIBLE bit
//   checked ID 0|1         BM_GETCHECK
//   click ID               posted BM_CLICK
//   close                  the close box (posted SC_CLOSE)
//   key escape|enter       a key press on the dialog's focused control
//   box "text" "caption" ok|okcancel   a message box owned by the dialog
//   answer ok|cancel       click a button of that box
//   nobox MS               no message box appears within MS milliseconds
//   alive                  the dialog is still there
//   exit CODE              the process ends with CODE
//   centred                the dialog is centred on the work area
//   fixedframe             caption, system menu, minimise box; no maximise box, no sizing
//   sleep MS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION setup = {};
HWND dialog = nullptr;
HWND box = nullptr;
int lineNumber = 0;

[[noreturn]] void Fail(const std::string& why) {
    std::printf("FAIL line %d: %s\n", lineNumber, why.c_str());
    std::fflush(stdout);
    if (setup.hProcess) TerminateProcess(setup.hProcess, 99);
    std::exit(1);
}

std::string Shown(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c > 0x7E) { std::snprintf(hex, sizeof hex, "\\x%02X", c); out += hex; }
        else out += static_cast<char>(c);
    }
    return out;
}

struct Finder {
    DWORD pid;
    HWND owner;  // nullptr: the main dialog; otherwise a box owned by it
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param) {
    Finder* finder = reinterpret_cast<Finder*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (pid != finder->pid || std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) {
        return TRUE;
    }
    HWND owner = GetWindow(window, GW_OWNER);
    if (finder->owner == nullptr) {
        char caption[64] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (owner == nullptr && std::strcmp(caption, "VYN Installation") == 0) {
            finder->found = window;
            return FALSE;
        }
    } else if (owner == finder->owner) {
        finder->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(HWND owner, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 50) {
        Finder finder = {setup.dwProcessId, owner, nullptr};
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&finder));
        if (finder.found) return finder.found;
        if (waited >= milliseconds) return nullptr;
        Sleep(50);
    }
}

std::string WindowText(HWND window) {
    char buffer[4096] = {};
    LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<size_t>(length));
}

HWND Control(const std::string& id) {
    HWND control = GetDlgItem(dialog, std::atoi(id.c_str()));
    if (!control) Fail("no control " + id);
    return control;
}

// Splits a line into words; a word in double quotes may hold escapes.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] != '\\' || i + 1 >= line.size()) { word += line[i]; continue; }
                char e = line[++i];
                if (e == 'r') word += '\r';
                else if (e == 'n') word += '\n';
                else if (e == 'x' && i + 2 < line.size()) {
                    word += static_cast<char>(std::strtol(line.substr(i + 1, 2).c_str(), nullptr, 16));
                    i += 2;
                } else word += e;
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ') word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

void ExpectEqual(const std::string& what, const std::string& seen, const std::string& wanted) {
    if (seen != wanted) Fail(what + ": saw \"" + Shown(seen) + "\", wanted \"" + Shown(wanted) + "\"");
}

bool DialogAlive() { return IsWindow(dialog) && WaitForSingleObject(setup.hProcess, 0) == WAIT_TIMEOUT; }

void CheckBox(const std::vector<std::string>& w) {
    box = WaitForWindow(dialog, 5000);
    if (!box) Fail("no message box appeared");
    ExpectEqual("box caption", WindowText(box), w[2]);
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        if (_stricmp(className, "Static") == 0 && !WindowText(child).empty()) text = WindowText(child);
    }
    ExpectEqual("box text", text, w[1]);
    HWND ok = GetDlgItem(box, IDOK);
    HWND cancel = GetDlgItem(box, IDCANCEL);
    bool hasOk = ok && IsWindowVisible(ok);
    bool hasCancel = cancel && IsWindowVisible(cancel);
    if (w[3] == "ok" && (!hasOk || hasCancel)) Fail("wanted an OK button alone");
    if (w[3] == "okcancel" && (!hasOk || !hasCancel)) Fail("wanted OK and Cancel");
}

void Step(const std::vector<std::string>& w) {
    const std::string& verb = w[0];
    if (verb == "text") {
        ExpectEqual("text of " + w[1], WindowText(Control(w[1])), w[2]);
    } else if (verb == "visible") {
        bool visible = (GetWindowLongA(Control(w[1]), GWL_STYLE) & WS_VISIBLE) != 0;
        if (visible != (w[2] == "1")) Fail("control " + w[1] + " visible " + (visible ? "1" : "0"));
    } else if (verb == "checked") {
        LRESULT state = SendMessageA(Control(w[1]), BM_GETCHECK, 0, 0);
        if ((state == BST_CHECKED) != (w[2] == "1")) Fail("control " + w[1] + " check " + std::to_string(state));
    } else if (verb == "click") {
        PostMessageA(Control(w[1]), BM_CLICK, 0, 0);
        Sleep(300);
    } else if (verb == "close") {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        Sleep(300);
    } else if (verb == "key") {
        WPARAM key = w[1] == "escape" ? VK_ESCAPE : VK_RETURN;
        HWND target = GetDlgItem(dialog, IDOK);
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        PostMessageA(dialog, WM_KEYDOWN, key, 1);
        PostMessageA(dialog, WM_KEYUP, key, 0xC0000001);
        Sleep(500);
    } else if (verb == "box") {
        CheckBox(w);
    } else if (verb == "answer") {
        if (!box) Fail("no box to answer");
        PostMessageA(GetDlgItem(box, w[1] == "ok" ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        box = nullptr;
        Sleep(300);
    } else if (verb == "nobox") {
        if (HWND other = WaitForWindow(dialog, static_cast<DWORD>(std::atoi(w[1].c_str())))) {
            Fail("unexpected message box: " + Shown(WindowText(other)));
        }
    } else if (verb == "alive") {
        if (!DialogAlive()) Fail("the dialog is gone");
    } else if (verb == "exit") {
        if (WaitForSingleObject(setup.hProcess, 10000) != WAIT_OBJECT_0) Fail("still running");
        DWORD code = 0;
        GetExitCodeProcess(setup.hProcess, &code);
        if (code != static_cast<DWORD>(std::atoi(w[1].c_str()))) Fail("exit code " + std::to_string(code));
    } else if (verb == "centred") {
        RECT work, window;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(dialog, &window);
        long dx = (window.left - work.left) - (work.right - window.right);
        long dy = (window.top - work.top) - (work.bottom - window.bottom);
        if (labs(dx) > 2 || labs(dy) > 2) Fail("not centred: " + std::to_string(dx) + "," + std::to_string(dy));
    } else if (verb == "fixedframe") {
        LONG style = GetWindowLongA(dialog, GWL_STYLE);
        if (!(style & WS_CAPTION) || !(style & WS_SYSMENU) || !(style & WS_MINIMIZEBOX)) Fail("caption, menu or minimise box missing");
        if (style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) Fail("maximise box or sizing border present");
    } else if (verb == "sleep") {
        Sleep(static_cast<DWORD>(std::atoi(w[1].c_str())));
    } else {
        Fail("unknown step " + verb);
    }
    std::printf("ok   %d %s\n", lineNumber, verb.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: driver SETUP_EXE SCRIPT\n");
        return 2;
    }
    FILE* script = std::fopen(argv[2], "rb");
    if (!script) { std::printf("FAIL: cannot read %s\n", argv[2]); return 2; }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &setup)) {
        std::printf("FAIL: cannot start %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    dialog = WaitForWindow(nullptr, 20000);
    if (!dialog) Fail("the dialog did not appear");
    char line[8192];
    while (std::fgets(line, sizeof line, script)) {
        ++lineNumber;
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        std::vector<std::string> words = Words(text);
        if (words.empty() || words[0][0] == '#') continue;
        Step(words);
    }
    std::printf("PASS\n");
    return 0;
}
