// Drives setup.exe from the outside, as a user would: starts it, waits for
// its dialog, reads and clicks its controls, answers its message boxes and
// checks its exit code. Steps come from a script, one a line:
//
//   text ID "bytes"        control text, with \r \n \" \\ \xHH escapes
//   visible ID 0|1         the control's WS_VISIBLE bit
//   checked ID 0|1         BM_GETCHECK
//   click ID               posted BM_CLICK
//   close                  the close box (posted SC_CLOSE)
//   key escape|enter|space a key press on the focused control of setup's thread
//   box "text" "caption" ok|okcancel error|question
//                          a message box owned by the dialog: its text, caption,
//                          buttons (OK the default) and the icon it shows
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
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c > 0x7E) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else
            out += static_cast<char>(c);
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
    LRESULT length =
        SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
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
                if (line[i] != '\\' || i + 1 >= line.size()) {
                    word += line[i];
                    continue;
                }
                char e = line[++i];
                if (e == 'r')
                    word += '\r';
                else if (e == 'n')
                    word += '\n';
                else if (e == 'x' && i + 2 < line.size()) {
                    word +=
                        static_cast<char>(std::strtol(line.substr(i + 1, 2).c_str(), nullptr, 16));
                    i += 2;
                } else
                    word += e;
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
    if (seen != wanted)
        Fail(what + ": saw \"" + Shown(seen) + "\", wanted \"" + Shown(wanted) + "\"");
}

bool DialogAlive() {
    return IsWindow(dialog) && WaitForSingleObject(setup.hProcess, 0) == WAIT_TIMEOUT;
}

// The icon of a message box is told by its pixels: the icon control's
// picture on the screen is compared with this process's own drawing of each
// standard icon on the same background, and the closest one names it.
HWND IconControl(HWND owner) {
    for (HWND child = GetWindow(owner, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (_stricmp(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
            (style & WS_VISIBLE)) {
            return child;
        }
    }
    return nullptr;
}

struct Pixels {
    int size = 0;
    std::vector<COLORREF> colours;
};

Pixels Capture(HDC source, int left, int top, int size) {
    Pixels pixels;
    pixels.size = size;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size, size, source, left, top, SRCCOPY);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) pixels.colours.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

Pixels Drawn(HICON icon, COLORREF background, int size) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, size, size};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    Pixels pixels = Capture(memory, 0, 0, size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int Differences(const Pixels& a, const Pixels& b) {
    int count = 0;
    for (size_t i = 0; i < a.colours.size() && i < b.colours.size(); ++i) {
        if (a.colours[i] != b.colours[i]) ++count;
    }
    return count;
}

// The closest standard icon to what the box shows on the screen, and by how
// many pixels it differs.
std::string NearestIcon(HWND control, int size, int& differencesOut) {
    // Another process's window can only be read off the screen.
    RECT place;
    GetWindowRect(control, &place);
    HDC screen = GetDC(nullptr);
    Pixels seen = Capture(screen, place.left, place.top, size);
    ReleaseDC(nullptr, screen);
    struct Candidate {
        const char* name;
        LPCSTR id;
    };
    const Candidate candidates[] = {{"error", IDI_HAND},
                                    {"question", IDI_QUESTION},
                                    {"warning", IDI_EXCLAMATION},
                                    {"information", IDI_ASTERISK}};
    std::string best;
    differencesOut = size * size + 1;
    for (const Candidate& candidate : candidates) {
        Pixels drawn = Drawn(LoadIconA(nullptr, candidate.id), seen.colours[0], size);
        int differences = Differences(seen, drawn);
        if (differences < differencesOut) {
            differencesOut = differences;
            best = candidate.name;
        }
    }
    return best;
}

void CheckIcon(HWND owner, const std::string& wanted) {
    HWND control = IconControl(owner);
    if (!control) Fail("the box shows no icon");
    const int size = GetSystemMetrics(SM_CXICON);
    // A few pixels of slack for edge smoothing; a wrong or missing icon
    // differs in hundreds. The box may still be painting: look again a
    // few times before giving up.
    const int slack = size * size / 20;
    int differences = 0;
    std::string best;
    for (int attempt = 0; attempt < 20; ++attempt) {
        best = NearestIcon(control, size, differences);
        if (differences <= slack) break;
        Sleep(100);
    }
    if (differences > slack) {
        Fail("the box's icon matches no standard icon (" + std::to_string(differences) +
             " pixels off)");
    }
    ExpectEqual("box icon", best, wanted);
}

void CheckBox(const std::vector<std::string>& w) {
    box = WaitForWindow(dialog, 5000);
    if (!box) Fail("no message box appeared");
    ExpectEqual("box caption", WindowText(box), w[2]);
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        if (_stricmp(className, "Static") == 0 && !WindowText(child).empty())
            text = WindowText(child);
    }
    ExpectEqual("box text", text, w[1]);
    HWND ok = GetDlgItem(box, IDOK);
    HWND cancel = GetDlgItem(box, IDCANCEL);
    bool hasOk = ok && IsWindowVisible(ok);
    bool hasCancel = cancel && IsWindowVisible(cancel);
    if (w[3] == "ok" && (!hasOk || hasCancel)) Fail("wanted an OK button alone");
    if (w[3] == "okcancel" && (!hasOk || !hasCancel)) Fail("wanted OK and Cancel");
    if (w[3] != "ok" && w[3] != "okcancel") Fail("unknown buttons " + w[3]);
    if ((GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK) != BS_DEFPUSHBUTTON) {
        Fail("OK is not the default button");
    }
    if (w.size() < 5) Fail("box: name the icon");
    CheckIcon(box, w[4]);
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
        if ((state == BST_CHECKED) != (w[2] == "1"))
            Fail("control " + w[1] + " check " + std::to_string(state));
    } else if (verb == "click") {
        PostMessageA(Control(w[1]), BM_CLICK, 0, 0);
        Sleep(300);
    } else if (verb == "close") {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        Sleep(300);
    } else if (verb == "key") {
        WPARAM key = w[1] == "escape" ? VK_ESCAPE : w[1] == "enter" ? VK_RETURN : VK_SPACE;
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(setup.dwThreadId, &gui);
        // The key goes where a real key press would: the focused control;
        // the dialog itself is tried too, in case nothing has the focus.
        HWND targets[] = {gui.hwndFocus ? gui.hwndFocus : GetDlgItem(dialog, IDOK), dialog};
        for (HWND target : targets) {
            PostMessageA(target, WM_KEYDOWN, key, 1);
            PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        }
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
        if (code != static_cast<DWORD>(std::atoi(w[1].c_str())))
            Fail("exit code " + std::to_string(code));
    } else if (verb == "centred") {
        RECT work, window;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(dialog, &window);
        long dx = (window.left - work.left) - (work.right - window.right);
        long dy = (window.top - work.top) - (work.bottom - window.bottom);
        if (labs(dx) > 2 || labs(dy) > 2)
            Fail("not centred: " + std::to_string(dx) + "," + std::to_string(dy));
    } else if (verb == "fixedframe") {
        LONG style = GetWindowLongA(dialog, GWL_STYLE);
        if (!(style & WS_CAPTION) || !(style & WS_SYSMENU) || !(style & WS_MINIMIZEBOX))
            Fail("caption, menu or minimise box missing");
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
    if (!script) {
        std::printf("FAIL: cannot read %s\n", argv[2]);
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &setup)) {
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
