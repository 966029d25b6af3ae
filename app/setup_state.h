// The one record through which detection hands its findings to the dialog
// and to the package choice.
#pragma once

#include <cstdint>
#include <string>

// Danish is 1 and English 2; every reader treats any value but 1 as English.
enum Language : int32_t { Danish = 1, English = 2 };

struct SetupState {
    int32_t existingInstall = 1;  // an upgradeable installation was found
    std::string installDir;       // main program's directory, as registered
    Language installedLanguage = Danish;
    Language selectedLanguage = English;
    int32_t jetPresent = 1;
    int32_t needsMdac = 0;
    int32_t windows95 = 0;
};

extern SetupState setupState;

inline bool IsDanish(Language language) {
    return language == Danish;
}
