// Loads the named DLLs by their bare names, with Windows' classic search
// order (the program's own folder first), to show that a planted canary is
// found and leaves its marker when nothing restricts the search. Exits 0.
#include <windows.h>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        HMODULE module = LoadLibraryA(argv[i]);
        if (module) FreeLibrary(module);
    }
    return 0;
}
