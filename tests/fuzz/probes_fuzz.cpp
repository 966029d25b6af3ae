// The probes against a registry and settings file built from fuzzed bytes:
// value names and data of any length and content, default values, the
// Windows version and the language entry; optionally a platform that fills
// buffers without a terminator and claims more than it placed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "detect/detect.h"
#include "tests/unit/fake_platform.h"

namespace {

const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VYNKelmo.exe";
const char kDataAccess[] = "SOFTWARE\\Microsoft\\DataAccess";
const char kJet[] = "SOFTWARE\\Microsoft\\Jet\\4.0";

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    uint32_t Word() {
        uint32_t low = Byte();
        return low | static_cast<uint32_t>(Byte()) << 8 | static_cast<uint32_t>(Byte()) << 16;
    }
    std::string Bytes() {
        size_t length = Byte();
        if (Byte() & 1) length += 200;  // reach past the 255-byte buffers
        std::string text;
        for (size_t i = 0; i < length && at < size; ++i) text += static_cast<char>(data[at++]);
        return text;
    }
};

// Answers that a faulty or hostile system might give.
class MisreportingPlatform : public FakePlatform {
public:
    std::optional<std::string> rawDefault;  // copied without terminator
    int32_t defaultClaim = 0;
    std::optional<std::string> rawProfile;  // copied without terminator
    uint32_t profileClaim = 0;

    long QueryDefaultValue(RegKeyRef key, char* buffer, int32_t* size) override {
        if (!rawDefault) return FakePlatform::QueryDefaultValue(key, buffer, size);
        const size_t room = *size > 0 ? static_cast<size_t>(*size) : 0;
        std::memcpy(buffer, rawDefault->data(), std::min(room, rawDefault->size()));
        *size = defaultClaim;
        return kStatusSuccess;
    }
    uint32_t ReadProfileString(const char* section, const char* key, const char* fallback,
                               char* buffer, uint32_t size, const char* file) override {
        if (!rawProfile) {
            return FakePlatform::ReadProfileString(section, key, fallback, buffer, size, file);
        }
        std::memcpy(buffer, rawProfile->data(), std::min<size_t>(size, rawProfile->size()));
        return profileClaim;
    }
};

void FillKey(Reader& in, FakeKey& key) {
    if (in.Byte() % 8 == 0) key.openStatus = 5;
    int count = in.Byte() % 6;
    if (in.Byte() % 16 == 0) count += 96;  // around the hundredth value
    for (int i = 0; i < count; ++i) {
        std::string name = in.Bytes();
        if (in.Byte() & 1) name = (in.Byte() & 1) ? "Path" : "VERSION";
        key.values.push_back({name, in.Bytes()});
    }
    if (in.Byte() & 1) key.defaultValue = in.Bytes();
}

bool IsFlag(int32_t value) {
    return value == 0 || value == 1;
}
bool IsLanguage(Language value) {
    return value == Danish || value == English;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    MisreportingPlatform platform;
    FillKey(in, platform.keys[kAppPaths]);
    FillKey(in, platform.keys[kDataAccess]);
    if (in.Byte() & 1) platform.keys[kJet].openStatus = (in.Byte() & 1) ? 0 : 5;
    platform.version = in.Word();
    const uint8_t misreport = in.Byte();
    if (misreport & 1) {
        platform.rawDefault = in.Bytes();
        platform.defaultClaim = static_cast<int32_t>(in.Word()) - 0x100;
    }
    if (misreport & 2) {
        platform.rawProfile = in.Bytes();
        platform.profileClaim = in.Word();
    }
    std::string dir = in.Bytes();
    platform.paths.insert(dir + "\\VYNKelmo.exe");
    if (in.Byte() & 1) platform.paths.insert(dir + "\\kelmoAppointments.mdb");
    platform.profiles[dir + "\\vynrg.bin"]["077065073078"]
                     ["068069070065085076084076065078071085065071069"] = in.Bytes();

    SetupState state;
    ProbeInstallation(platform, state);
    ReadInstalledLanguage(platform, state);
    ProbePrerequisites(platform, state);
    CheckJet(platform, state);

    const bool laterWindows = (platform.version & 0xFF) > 4;
    const bool sound = platform.openKeys == 0 && state.installDir.size() <= 254 &&
                       state.installDir.find('\0') == std::string::npos &&
                       IsFlag(state.existingInstall) && IsFlag(state.needsMdac) &&
                       IsFlag(state.jetPresent) && IsFlag(state.windows95) &&
                       IsLanguage(state.installedLanguage) && IsLanguage(state.selectedLanguage) &&
                       (!laterWindows || (state.needsMdac == 0 && state.windows95 == 0));
    if (!sound) std::abort();
    return 0;
}
