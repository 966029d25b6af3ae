// Detection against an in-memory registry and file system.
#include "detect/detect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/unit/fake_platform.h"

namespace {

const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VYNKelmo.exe";
const char kDataAccess[] = "SOFTWARE\\Microsoft\\DataAccess";
const char kJet[] = "SOFTWARE\\Microsoft\\Jet\\4.0";

std::string Sz(const std::string& text) {
    return text + std::string(1, '\0');
}

struct InstallCase {
    const char* name;
    std::vector<FakeValue> values;
    std::optional<std::string> defaultValue;
    std::vector<std::string> files;
    int32_t existing;
    std::string dir;
};

TEST(ProbeInstallation, FindsTheDirectoryAndDecidesTheUpgrade) {
    const std::string longName(300, 'n');
    const InstallCase cases[] = {
        {"Path, program, no database",
         {{"Path", Sz("C:\\VYN")}},
         {},
         {"C:\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"name in capitals",
         {{"PATH", Sz("C:\\VYN")}},
         {},
         {"C:\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"name in small letters after others",
         {{"", Sz("D:\\x\\VYNKelmo.exe")}, {"Other", Sz("x")}, {"path", Sz("C:\\VYN")}},
         {},
         {"C:\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"database present",
         {{"Path", Sz("C:\\VYN")}},
         {},
         {"C:\\VYN\\VYNKelmo.exe", "C:\\VYN\\kelmoAppointments.mdb"},
         0,
         "C:\\VYN"},
        {"program missing", {{"Path", Sz("C:\\VYN")}}, {}, {}, 0, "C:\\VYN"},
        {"default value up to its last backslash",
         {},
         "C:\\Programs\\VYN\\VYNKelmo.exe",
         {"C:\\Programs\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\Programs\\VYN"},
        {"default value without backslash used whole", {}, "VYN", {"VYN\\VYNKelmo.exe"}, 1, "VYN"},
        {"no value and no default", {}, std::nullopt, {"\\VYNKelmo.exe"}, 0, ""},
        {"empty Path looks at the root", {{"Path", Sz("")}}, {}, {"\\VYNKelmo.exe"}, 1, ""},
        {"empty default looks at the root", {}, "", {"\\VYNKelmo.exe"}, 1, ""},
        {"default value up to its last backslash only",
         {},
         "C:\\A\\B\\",
         {"C:\\A\\B\\VYNKelmo.exe"},
         1,
         "C:\\A\\B"},
        {"trailing backslash doubles",
         {{"Path", Sz("C:\\VYN\\")}},
         {},
         {"C:\\VYN\\\\VYNKelmo.exe"},
         1,
         "C:\\VYN\\"},
        {"a semicolon list is no directory, and no fallback",
         {{"Path", Sz("C:\\VYN;C:\\Other")}},
         "C:\\VYN\\VYNKelmo.exe",
         {"C:\\VYN\\VYNKelmo.exe"},
         0,
         "C:\\VYN;C:\\Other"},
        {"a reference stays unexpanded",
         {{"Path", Sz("%ProgramFiles%\\VYN")}},
         {},
         {"C:\\Program Files\\VYN\\VYNKelmo.exe"},
         0,
         "%ProgramFiles%\\VYN"},
        {"quotes stay",
         {{"Path", Sz("\"C:\\VYN\"")}},
         {},
         {"C:\\VYN\\VYNKelmo.exe"},
         0,
         "\"C:\\VYN\""},
        {"an oversized name before Path ends the scan; the default decides",
         {{longName, Sz("x")}, {"Path", Sz("C:\\Wrong")}},
         "C:\\VYN\\VYNKelmo.exe",
         {"C:\\VYN\\VYNKelmo.exe", "C:\\Wrong\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"oversized data before Path ends the scan; the default decides",
         {{"Other", std::string(300, 'x')}, {"Path", Sz("C:\\Wrong")}},
         "C:\\VYN\\VYNKelmo.exe",
         {"C:\\VYN\\VYNKelmo.exe", "C:\\Wrong\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"name of 254 characters fits and is read past",
         {{std::string(254, 'n'), Sz("x")}, {"Path", Sz("C:\\VYN")}},
         {},
         {"C:\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"Path of 254 characters fits",
         {{"Path", Sz("C:\\" + std::string(251, 'p'))}},
         {},
         {"C:\\" + std::string(251, 'p') + "\\VYNKelmo.exe"},
         1,
         "C:\\" + std::string(251, 'p')},
        {"Path of 255 characters does not",
         {{"Path", Sz("C:\\" + std::string(252, 'p'))}},
         "C:\\VYN\\VYNKelmo.exe",
         {"C:\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"unterminated binary Path is bounded by its count",
         {{"Path", "C:\\" + std::string(252, 'b')}},
         {},
         {"C:\\" + std::string(252, 'b') + "\\VYNKelmo.exe"},
         1,
         "C:\\" + std::string(252, 'b')},
        {"text ends at the first NUL",
         {{"Path", std::string("C:\\VYN\0junk", 11)}},
         {},
         {"C:\\VYN\\VYNKelmo.exe"},
         1,
         "C:\\VYN"},
        {"default value over 254 characters fails",
         {},
         "C:\\" + std::string(260, 'd') + "\\VYNKelmo.exe",
         {},
         0,
         ""},
    };
    for (const InstallCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.keys[kAppPaths].values = c.values;
        platform.keys[kAppPaths].defaultValue = c.defaultValue;
        for (const std::string& file : c.files) platform.paths.insert(file);
        SetupState state;
        ProbeInstallation(platform, state);
        EXPECT_EQ(state.existingInstall, c.existing);
        EXPECT_EQ(state.installDir, c.dir);
        EXPECT_EQ(platform.openKeys, 0);
    }
}

TEST(ProbeInstallation, LooksAtOneHundredValuesAndResetsSizesEachTime) {
    for (int index : {99, 100}) {
        FakePlatform platform;
        FakeKey& key = platform.keys[kAppPaths];
        for (int i = 0; i < index; ++i) key.values.push_back({"v" + std::to_string(i), Sz("x")});
        key.values.push_back({"Path", Sz("C:\\Late")});
        key.defaultValue = "C:\\VYN\\VYNKelmo.exe";
        SetupState state;
        ProbeInstallation(platform, state);
        EXPECT_EQ(state.installDir, index == 99 ? "C:\\Late" : "C:\\VYN");
        int enumerations = 0;
        for (const std::string& call : platform.calls) {
            if (call.rfind("EnumValue ", 0) == 0) {
                ++enumerations;
                EXPECT_EQ(call.substr(call.size() - 8), " 255 255") << call;
            }
        }
        EXPECT_EQ(enumerations, 100);  // never past index 99
        EXPECT_EQ(platform.openKeys, 0);
    }
}

TEST(ProbeInstallation, MissingOrUnreadableKeyMeansNoInstallation) {
    for (bool present : {false, true}) {
        FakePlatform platform;
        if (present) platform.keys[kAppPaths].openStatus = 5;
        SetupState state;
        ProbeInstallation(platform, state);
        EXPECT_EQ(state.existingInstall, 0);
        EXPECT_EQ(state.installDir, "");
        EXPECT_EQ(platform.openKeys, 0);
    }
}

// A registry that fills the whole default-value buffer without a terminator
// and claims more than the buffer holds.
class OverReportingRegistry : public FakePlatform {
public:
    long QueryDefaultValue(RegKeyRef, char* buffer, int32_t* size) override {
        calls.push_back("QueryDefault " + std::to_string(*size));
        std::string text(static_cast<size_t>(*size), 'd');
        text[200] = '\\';
        std::memcpy(buffer, text.data(), text.size());
        *size = 1000;
        return kStatusSuccess;
    }
};

TEST(ProbeInstallation, DefaultValueIsBoundedByItsBuffer) {
    OverReportingRegistry platform;
    platform.keys[kAppPaths] = FakeKey{};
    const std::string dir(200, 'd');
    platform.paths.insert(dir + "\\VYNKelmo.exe");
    SetupState state;
    ProbeInstallation(platform, state);
    EXPECT_EQ(state.installDir, dir);
    EXPECT_EQ(state.existingInstall, 1);
    EXPECT_EQ(platform.openKeys, 0);
}

TEST(ReadInstalledLanguage, TheSettingsDecideBothLanguages) {
    const std::string file = "C:\\VYN\\vynrg.bin";
    const char* section = "077065073078";
    const char* key = "068069070065085076084076065078071085065071069";
    struct Case {
        const char* name;
        std::optional<std::string> value;  // nullopt: no settings file
        int32_t installed, selected;
    } cases[] = {
        {"no file", std::nullopt, English, English},
        {"Danish token", "068075", Danish, Danish},
        {"starts like the token", "06zzz", Danish, Danish},
        {"exactly the two characters", "06", Danish, Danish},
        {"only the first character alike", "07", English, English},
        {"English token", "085075", English, English},
        {"single character", "0", English, English},
        {"empty value changes nothing", "", Danish, English},
        {"long value cut, still read", "06" + std::string(400, 'x'), Danish, Danish},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        if (c.value) platform.profiles[file][section][key] = *c.value;
        SetupState state;
        state.installDir = "C:\\VYN";
        ReadInstalledLanguage(platform, state);
        EXPECT_EQ(state.installedLanguage, c.installed);
        EXPECT_EQ(state.selectedLanguage, c.selected);
        ASSERT_FALSE(platform.calls.empty());
        EXPECT_EQ(platform.calls[0], "ReadProfile " + file + " " + section + " " + key);
    }
}

// A settings reader that claims more characters than its buffer can hold.
class OverReportingReader : public FakePlatform {
public:
    uint32_t claimed = 0;
    std::string placed;
    uint32_t ReadProfileString(const char*, const char*, const char*, char* buffer, uint32_t size,
                               const char*) override {
        calls.push_back("ReadProfile");
        std::memcpy(buffer, placed.data(), std::min<size_t>(placed.size(), size));
        return claimed;
    }
};

TEST(ReadInstalledLanguage, ACountBeyondTheBufferIsCut) {
    struct Case {
        std::string placed;
        uint32_t claimed;
        Language language;
    } cases[] = {
        {std::string("06"), 100000, Danish},    // terminator left in the zeroed buffer
        {std::string(255, '0'), 255, English},  // unterminated, full buffer
        {"06" + std::string(253, 'x'), 4000, Danish},
        {std::string("0\0"
                     "6",
                     3),
         1, English},  // only the one character counts
    };
    for (const Case& c : cases) {
        OverReportingReader platform;
        platform.placed = c.placed;
        platform.claimed = c.claimed;
        SetupState state;
        ReadInstalledLanguage(platform, state);
        EXPECT_EQ(state.selectedLanguage, c.language) << c.claimed;
        EXPECT_EQ(state.installedLanguage, c.language) << c.claimed;
    }
}

TEST(ParseComponentsVersion, LayoutAndRange) {
    struct Case {
        const char* text;
        bool ok;
        int32_t major, minor;
    } cases[] = {
        {"2.0.1", true, 2, 0},
        {"2.1.1.11", true, 2, 1},
        {"2.50.12", true, 2, 50},
        {"2.8", false, 0, 0},
        {"2.8.", false, 0, 0},
        {"2 .8.1", false, 0, 0},
        {"2. 8.1", true, 2, 8},
        {" +3.-4. x", true, 3, -4},
        {"", false, 0, 0},
        {"..x", false, 0, 0},
        {"99999999999.1.1", false, 0, 0},
        {"2147483647.1.x", true, 2147483647, 1},
        {"-2147483648.0.x", true, -2147483648LL, 0},
        {"1.2147483648.x", false, 0, 0},
        {"2.8.\t", false, 0, 0},
        {"1.5.1", true, 1, 5},
        {"+.1.x", false, 0, 0},
        {"2.-.x", false, 0, 0},
        {"2.5x.1", false, 0, 0},
        {"\v\f2.\n5.\r1", true, 2, 5},
        {"-0.+0.0", true, 0, 0},
        {"00000000000000000002.1.x", true, 2, 1},
        {"2147483648.1.x", false, 0, 0},
        {"-2147483649.1.x", false, 0, 0},
    };
    for (const Case& c : cases) {
        int32_t major = 7, minor = 7;
        EXPECT_EQ(ParseComponentsVersion(c.text, &major, &minor), c.ok) << c.text;
        EXPECT_EQ(major, c.major) << c.text;
        EXPECT_EQ(minor, c.minor) << c.text;
    }
}

TEST(ParseComponentsVersion, TextEndsAtItsFirstNul) {
    int32_t major = 7, minor = 7;
    EXPECT_FALSE(ParseComponentsVersion(std::string("2.5.\0x", 6), &major, &minor));
    EXPECT_EQ(major, 0);
    EXPECT_EQ(minor, 0);
    EXPECT_TRUE(ParseComponentsVersion(std::string("2.5.1\0", 6), &major, &minor));
    EXPECT_EQ(major, 2);
    EXPECT_EQ(minor, 5);
}

uint32_t Version(int major, int minor) {
    return static_cast<uint32_t>(major | (minor << 8));
}

TEST(ProbePrerequisites, WindowsClassAndComponentsVersion) {
    struct Case {
        uint32_t version;
        std::optional<std::string> components;  // nullopt: no key
        int32_t windows95, needsMdac;
    } cases[] = {
        {Version(4, 0), std::nullopt, 1, 1},
        {Version(4, 0), std::string(), 1, 1},  // key without a Version value
        {Version(4, 0), "2.0.1", 1, 1},
        {Version(4, 0), "2.1.1.11", 1, 1},
        {Version(4, 0), "2.5.1", 1, 0},
        {Version(4, 10), "2.50.12", 0, 0},
        {Version(4, 10), "1.5.1", 0, 1},  // older than 2.1 as a version
        {Version(4, 90), "3.0.1", 0, 0},
        {Version(4, 90), "2.8", 0, 1},
        {Version(4, 90), "2 .8.1", 0, 1},
        {Version(4, 90), "2. 8.1", 0, 0},
        {Version(3, 51), "2.5.1", 0, 0},
        {Version(5, 0), std::nullopt, 0, 0},
        {Version(6, 1), "1.0.0", 0, 0},
        {0x23F00206u, "2.5.1", 0, 0},  // build and platform bits play no part
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + " " + c.components.value_or("(none)"));
        FakePlatform platform;
        platform.version = c.version;
        if (c.components) {
            FakeKey& key = platform.keys[kDataAccess];
            key.values.push_back({"FullInstallVer", Sz("x")});
            if (!c.components->empty()) key.values.push_back({"version", Sz(*c.components)});
        }
        SetupState state;
        ProbePrerequisites(platform, state);
        EXPECT_EQ(state.windows95, c.windows95);
        EXPECT_EQ(state.needsMdac, c.needsMdac);
        EXPECT_EQ(platform.openKeys, 0);
        if ((c.version & 0xFF) > 4) {
            EXPECT_TRUE(platform.calls.empty());
        }
    }
}

TEST(ProbePrerequisites, OversizedOrUnterminatedVersionIsTooOld) {
    for (const std::string& data :
         {std::string(300, '9'), std::string(255, '2'), std::string("2.5.1")}) {
        FakePlatform platform;
        platform.version = Version(4, 10);
        platform.keys[kDataAccess].values.push_back({"Version", data});  // no terminator
        SetupState state;
        ProbePrerequisites(platform, state);
        EXPECT_EQ(state.needsMdac, data == "2.5.1" ? 0 : 1) << data.size();
        EXPECT_EQ(platform.openKeys, 0);
    }
}

TEST(ProbePrerequisites, ScanStopsAtAFailedCallOrAfterOneHundredValues) {
    struct Case {
        const char* name;
        std::vector<FakeValue> before;  // values ahead of "Version"
        long openStatus;
        int32_t needsMdac;
    } cases[] = {
        {"found right away", {}, kStatusSuccess, 0},
        {"oversized data first", {{"Big", std::string(256, 'x')}}, kStatusSuccess, 1},
        {"oversized name first", {{std::string(255, 'n'), Sz("x")}}, kStatusSuccess, 1},
        {"at index 99", std::vector<FakeValue>(99, FakeValue{"v", Sz("x")}), kStatusSuccess, 0},
        {"at index 100", std::vector<FakeValue>(100, FakeValue{"v", Sz("x")}), kStatusSuccess, 1},
        {"key not readable", {}, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.version = Version(4, 10);
        FakeKey& key = platform.keys[kDataAccess];
        key.openStatus = c.openStatus;
        key.values = c.before;
        key.values.push_back({"Version", Sz("2.5.1")});
        SetupState state;
        ProbePrerequisites(platform, state);
        EXPECT_EQ(state.needsMdac, c.needsMdac);
        EXPECT_EQ(platform.openKeys, 0);
        for (const std::string& call : platform.calls) {
            if (call.rfind("EnumValue ", 0) == 0) {
                EXPECT_EQ(call.substr(call.size() - 8), " 255 255") << call;
            }
        }
    }
}

TEST(CheckJet, OnlyWhetherTheKeyOpens) {
    struct Case {
        bool present;
        long status;
        int32_t jet;
    } cases[] = {{false, 0, 0}, {true, 0, 1}, {true, 5, 0}};
    for (const Case& c : cases) {
        FakePlatform platform;
        if (c.present) platform.keys[kJet].openStatus = c.status;
        SetupState state;
        CheckJet(platform, state);
        EXPECT_EQ(state.jetPresent, c.jet);
        EXPECT_EQ(platform.openKeys, 0);
    }
}

}  // namespace
