// The probes against a registry and settings file built from fuzzed bytes:
// value names and data of any length and content, default values, the
// Windows version and the language entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "detect/detect.h"
#include "tests/unit/fake_platform.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    std::string Bytes() {
        size_t length = Byte();
        if (Byte() & 1) length += 200;  // reach past the 255-byte buffers
        std::string text;
        for (size_t i = 0; i < length && at < size; ++i) text += static_cast<char>(data[at++]);
        return text;
    }
};

void FillKey(Reader& in, FakeKey& key) {
    int count = in.Byte() % 6;
    for (int i = 0; i < count; ++i) {
        std::string name = in.Bytes();
        if (in.Byte() & 1) name = (in.Byte() & 1) ? "Path" : "VERSION";
        key.values.push_back({name, in.Bytes()});
    }
    if (in.Byte() & 1) key.defaultValue = in.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    FakePlatform platform;
    FillKey(in, platform.keys["SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VYNKelmo.exe"]);
    FillKey(in, platform.keys["SOFTWARE\\Microsoft\\DataAccess"]);
    if (in.Byte() & 1) platform.keys["SOFTWARE\\Microsoft\\Jet\\4.0"] = FakeKey{};
    platform.version = static_cast<uint32_t>(in.Byte() % 8) | (static_cast<uint32_t>(in.Byte()) << 8);
    std::string dir = in.Bytes();
    platform.paths.insert(dir + "\\VYNKelmo.exe");
    platform.profiles[dir + "\\vynrg.bin"]["077065073078"]
                     ["068069070065085076084076065078071085065071069"] = in.Bytes();

    SetupState state;
    ProbeInstallation(platform, state);
    if (state.existingInstall == 1) ReadInstalledLanguage(platform, state);
    ProbePrerequisites(platform, state);
    CheckJet(platform, state);

    bool sound = platform.openKeys == 0 && state.installDir.size() <= 254 &&
                 (state.existingInstall == 0 || state.existingInstall == 1) &&
                 (state.needsMdac == 0 || state.needsMdac == 1) &&
                 (state.jetPresent == 0 || state.jetPresent == 1) &&
                 (state.installedLanguage == Danish || state.installedLanguage == English) &&
                 (state.selectedLanguage == Danish || state.selectedLanguage == English);
    if (!sound) std::abort();
    return 0;
}
