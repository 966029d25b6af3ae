#include "detect/detect.h"

#include <cstring>

namespace {

const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VYNKelmo.exe";
const char kDataAccessKey[] = "SOFTWARE\\Microsoft\\DataAccess";
const char kJetKey[] = "SOFTWARE\\Microsoft\\Jet\\4.0";
const char kExecutable[] = "\\VYNKelmo.exe";
const char kCalendarDatabase[] = "\\kelmoAppointments.mdb";
const char kSettingsFile[] = "\\vynrg.bin";
const char kSettingsSection[] = "077065073078";
const char kLanguageKey[] = "068069070065085076084076065078071085065071069";
const char kLanguageDefault[] = "085075";
const char kDanishToken[] = "068075";

constexpr uint32_t kMaxValues = 100;
constexpr uint32_t kNameBufferSize = 255;
constexpr uint32_t kDataBufferSize = 255;
constexpr uint32_t kProfileBufferSize = 255;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (LowerAscii(*a) != LowerAscii(*b)) return false;
    }
    return *a == *b;
}

// Registry text ends at its first NUL and never runs past what the call
// reported, even when the data was stored without a terminator.
std::string RegistryText(const char* bytes, uint32_t reported, uint32_t capacity) {
    size_t limit = reported < capacity ? reported : capacity;
    const void* nul = std::memchr(bytes, '\0', limit);
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : limit;
    return std::string(bytes, length);
}

// Scans the first values of an open key for one named like `wanted`; its
// text goes to `text`. Stops at the first value that cannot be read.
bool FindValueText(Platform& platform, RegKeyRef key, const char* wanted, std::string* text) {
    for (uint32_t index = 0; index < kMaxValues; ++index) {
        char name[kNameBufferSize + 1] = {};
        unsigned char data[kDataBufferSize] = {};
        uint32_t nameSize = kNameBufferSize;
        uint32_t dataSize = kDataBufferSize;
        if (platform.EnumValue(key, index, name, &nameSize, data, &dataSize) != kStatusSuccess) {
            return false;
        }
        name[nameSize < kNameBufferSize ? nameSize : kNameBufferSize] = '\0';
        if (EqualsIgnoringCase(name, wanted)) {
            *text = RegistryText(reinterpret_cast<const char*>(data), dataSize, kDataBufferSize);
            return true;
        }
    }
    return false;
}

// The registered executable's directory: the default value up to its last
// backslash, or the whole text when it has none.
bool DirectoryFromDefaultValue(Platform& platform, RegKeyRef key, std::string* directory) {
    char buffer[kDataBufferSize] = {};
    int32_t size = static_cast<int32_t>(kDataBufferSize);
    if (platform.QueryDefaultValue(key, buffer, &size) != kStatusSuccess) return false;
    uint32_t reported = size > 0 ? static_cast<uint32_t>(size) : 0;
    std::string path = RegistryText(buffer, reported, kDataBufferSize);
    size_t slash = path.rfind('\\');
    *directory = slash == std::string::npos ? path : path.substr(0, slash);
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Version text as the components write it; like any C string it ends at
// its first NUL.
struct VersionCursor {
    const char* text;
    size_t end;
    size_t at;
};

bool AtEnd(const VersionCursor& cursor) {
    return cursor.at >= cursor.end;
}

void SkipSpace(VersionCursor* cursor) {
    while (!AtEnd(*cursor) && IsSpace(cursor->text[cursor->at])) ++cursor->at;
}

bool TakeChar(VersionCursor* cursor, char wanted) {
    if (AtEnd(*cursor) || cursor->text[cursor->at] != wanted) return false;
    ++cursor->at;
    return true;
}

// One optionally signed decimal number after optional white space, within
// the range of a signed 32-bit integer; a longer number is no version.
bool TakeNumber(VersionCursor* cursor, int32_t* number) {
    SkipSpace(cursor);
    bool negative = false;
    if (!AtEnd(*cursor) && (cursor->text[cursor->at] == '+' || cursor->text[cursor->at] == '-')) {
        negative = cursor->text[cursor->at] == '-';
        ++cursor->at;
    }
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t value = 0;
    size_t digits = 0;
    for (; !AtEnd(*cursor) && cursor->text[cursor->at] >= '0' && cursor->text[cursor->at] <= '9';
         ++cursor->at, ++digits) {
        value = value * 10 + (cursor->text[cursor->at] - '0');
        if (value > limit) return false;
    }
    if (digits == 0) return false;
    *number = static_cast<int32_t>(negative ? -value : value);
    return true;
}

}  // namespace

bool ParseComponentsVersion(const std::string& text, int32_t* major, int32_t* minor) {
    *major = 0;
    *minor = 0;
    const size_t nul = text.find('\0');
    VersionCursor cursor{text.data(), nul == std::string::npos ? text.size() : nul, 0};
    int32_t first = 0;
    int32_t second = 0;
    if (!TakeNumber(&cursor, &first) || !TakeChar(&cursor, '.')) return false;
    if (!TakeNumber(&cursor, &second) || !TakeChar(&cursor, '.')) return false;
    // Whatever follows the second point is not read, but something must.
    SkipSpace(&cursor);
    if (AtEnd(cursor)) return false;
    *major = first;
    *minor = second;
    return true;
}

void ProbeInstallation(Platform& platform, SetupState& state) {
    state.existingInstall = 0;
    RegKeyRef key = nullptr;
    if (platform.OpenMachineKey(kAppPathsKey, &key) != kStatusSuccess) return;
    std::string directory;
    bool found = FindValueText(platform, key, "Path", &directory) ||
                 DirectoryFromDefaultValue(platform, key, &directory);
    if (found) {
        state.installDir = directory;
        // Upgradeable: the program is there and the calendar is not yet.
        if (platform.PathExists((directory + kExecutable).c_str())) {
            state.existingInstall =
                platform.PathExists((directory + kCalendarDatabase).c_str()) ? 0 : 1;
        }
    }
    platform.CloseKey(key);
}

void ReadInstalledLanguage(Platform& platform, SetupState& state) {
    const std::string file = state.installDir + kSettingsFile;
    char value[kProfileBufferSize] = {};
    uint32_t length = platform.ReadProfileString(kSettingsSection, kLanguageKey, kLanguageDefault,
                                                 value, kProfileBufferSize, file.c_str());
    // An entry present with nothing in it leaves both languages as they are.
    if (length == 0) return;
    if (length > kProfileBufferSize - 1) length = kProfileBufferSize - 1;
    value[length] = '\0';
    bool danish = length >= 2 && LowerAscii(value[0]) == LowerAscii(kDanishToken[0]) &&
                  LowerAscii(value[1]) == LowerAscii(kDanishToken[1]);
    state.selectedLanguage = danish ? Danish : English;
    state.installedLanguage = state.selectedLanguage;
}

void ProbePrerequisites(Platform& platform, SetupState& state) {
    const uint32_t version = platform.WindowsVersion();
    const uint32_t major = version & 0xFF;
    const uint32_t minor = (version >> 8) & 0xFF;
    // From Windows 2000 on, the components and the right engine come with
    // the system.
    if (major > 4) return;
    int32_t reportedMajor = 0;
    int32_t reportedMinor = 0;
    RegKeyRef key = nullptr;
    if (platform.OpenMachineKey(kDataAccessKey, &key) == kStatusSuccess) {
        std::string text;
        if (FindValueText(platform, key, "Version", &text)) {
            ParseComponentsVersion(text, &reportedMajor, &reportedMinor);
        }
        platform.CloseKey(key);
    }
    // Too old means 2.1 or earlier, the version taken as an ordered pair.
    bool tooOld = reportedMajor < 2 || (reportedMajor == 2 && reportedMinor <= 1);
    state.needsMdac = tooOld ? 1 : 0;
    if (minor < 10) state.windows95 = 1;
}

long RegistryKeyOpens(Platform& platform, const char* subkey) {
    RegKeyRef key = nullptr;
    long status = platform.OpenMachineKey(subkey, &key);
    if (status == kStatusSuccess) platform.CloseKey(key);
    return status;
}

void CheckJet(Platform& platform, SetupState& state) {
    state.jetPresent = RegistryKeyOpens(platform, kJetKey) == kStatusSuccess ? 1 : 0;
}

void ProbeInstallation() {
    ProbeInstallation(ActivePlatform(), setupState);
}
void ReadInstalledLanguage() {
    ReadInstalledLanguage(ActivePlatform(), setupState);
}
void ProbePrerequisites() {
    ProbePrerequisites(ActivePlatform(), setupState);
}
void CheckJet() {
    CheckJet(ActivePlatform(), setupState);
}
