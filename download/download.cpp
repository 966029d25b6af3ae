#include "download/download.h"

#include <algorithm>
#include <cstring>

#include "res/resource.h"

const char downloadBaseUrl[] = "https://downloads.kelmovyn.example";
const char kPageFileName[] = "zuzerizidirod.html";
const char kNoBrowserText[] =
    "Setup could not detect an appropriate Web Browser. You will have to download the setup from "
    "our web site manually\r\n";
const char kNoBrowserCaption[] = "VYNKelmo Installation";

namespace {

// Rows of one family, in the order their conditions are tested: Windows 95
// class, data-access components missing, Jet 4.0 present, Jet 4.0 missing.
struct Family {
    const char* paths[4];
};
const Family kUpgrade = {{"/downloads/upgrade_95.exe", "/downloads/upgrade_mdac.exe",
                          "/downloads/upgrade.exe", "/downloads/upgrade_jet.exe"}};
const Family kDanish = {{"/downloads/setup_dk_95.exe", "/downloads/setup_dk_mdac.exe",
                         "/downloads/setup_dk.exe", "/downloads/setup_dk_jet.exe"}};
const Family kEnglish = {{"/downloads/setup_uk_95.exe", "/downloads/setup_uk_mdac.exe",
                          "/downloads/setup_uk.exe", "/downloads/setup_uk_jet.exe"}};

constexpr size_t kLongestPath = sizeof("/downloads/setup_dk_mdac.exe") - 1;
// The page holds 284 + 3 * L bytes and must fit its 1000-byte buffer.
constexpr size_t kLongestAddress = 238;
static_assert(sizeof(downloadBaseUrl) - 1 + kLongestPath <= kLongestAddress,
              "the package address must fit the download page");

constexpr uint32_t kTempBufferSize = 255;
constexpr int kTemplateBufferSize = 1000;
constexpr size_t kPageBufferSize = 1000;
constexpr size_t kPathBufferSize = 1000;
constexpr uintptr_t kShellSuccessAbove = 32;
// The refresh target, the link target and the link text.
constexpr size_t kAddressPlaces = 3;

const Family& ChooseFamily(const SetupState& state, bool standaloneChecked) {
    if (state.existingInstall != 0 && !standaloneChecked) return kUpgrade;
    return IsDanish(state.selectedLanguage) ? kDanish : kEnglish;
}

int ChooseVariant(const SetupState& state) {
    if (state.windows95 != 0) return 0;
    if (state.needsMdac != 0) return 1;
    if (state.jetPresent != 0) return 2;
    return 3;
}

// A directory as a system call reported it, joined with a file name; empty
// when the call failed, did not fit its buffer, or reported a length the text
// does not have: a cut or garbled directory would name some other place.
std::string JoinReportedDirectory(char* directory, uint32_t length, uint32_t capacity,
                                  const char* name) {
    if (length == 0 || length >= capacity) return std::string();
    directory[length] = '\0';
    if (std::strlen(directory) != length) return std::string();
    std::string path = directory;
    // Never glue the name onto the directory's own last component.
    if (path.back() != '\\') path += '\\';
    return path + name;
}

std::string PagePath(Platform& platform) {
    char directory[kPathBufferSize] = {};
    uint32_t length = platform.TempPath(kTempBufferSize, directory);
    return JoinReportedDirectory(directory, length, kTempBufferSize, kPageFileName);
}

size_t CountAddressPlaces(const char* pageTemplate) {
    size_t count = 0;
    for (const char* at = std::strstr(pageTemplate, "%s"); at != nullptr;
         at = std::strstr(at + 2, "%s")) {
        ++count;
    }
    return count;
}

// The page for this address, or empty when the loaded template cannot make
// a page that leads to it or that fits its buffer.
std::string BuildPage(Platform& platform, const std::string& url) {
    char pageTemplate[kTemplateBufferSize] = {};
    int length = platform.LoadResourceString(IDS_DOWNLOAD_PAGE, pageTemplate, kTemplateBufferSize);
    if (length <= 0) return std::string();
    pageTemplate[std::min(length, kTemplateBufferSize - 1)] = '\0';
    if (CountAddressPlaces(pageTemplate) != kAddressPlaces) return std::string();
    std::string page = FormatDownloadPage(pageTemplate, url);
    if (page.size() >= kPageBufferSize) return std::string();
    return page;
}

// Writes the page in one write; true only when every byte reached the file.
bool WritePage(Platform& platform, const std::string& path, const std::string& url) {
    FileRef file = platform.CreatePageFile(path.c_str());
    if (file == nullptr) return false;
    const std::string page = BuildPage(platform, url);
    bool whole = false;
    if (!page.empty()) {
        uint32_t written = 0;
        uint32_t length = static_cast<uint32_t>(page.size());
        whole = platform.WriteToFile(file, page.data(), length, &written) && written == length;
    }
    platform.CloseFile(file);
    return whole;
}

bool BrowserIsAssociated(Platform& platform, const std::string& path) {
    char program[kPathBufferSize] = {};
    uintptr_t result = platform.FindAssociation(path.c_str(), "", program);
    program[kPathBufferSize - 1] = '\0';
    return result > kShellSuccessAbove && program[0] != '\0';
}

// Explorer by its full path: a bare name would let an "explorer.exe" lying
// beside setup.exe in a downloads folder be started instead.
std::string ExplorerPath(Platform& platform) {
    char directory[kPathBufferSize] = {};
    uint32_t length = platform.WindowsDirectory(directory, kPathBufferSize);
    return JoinReportedDirectory(directory, length, kPathBufferSize, "explorer.exe");
}

bool OpenPage(Platform& platform, DialogRef dialog, const std::string& path) {
    std::string explorer = ExplorerPath(platform);
    if (explorer.empty()) return false;
    // Quoted, so that a temporary directory with spaces or commas in its
    // name still reaches explorer as one path.
    std::string parameters = "\"" + path + "\"";
    uintptr_t result = platform.ShellOpen(dialog, "Open", explorer.c_str(), parameters.c_str(), "");
    return result > kShellSuccessAbove;
}

}  // namespace

std::string ChoosePackageUrl(const SetupState& state, bool standaloneChecked) {
    const Family& family = ChooseFamily(state, standaloneChecked);
    return std::string(downloadBaseUrl) + family.paths[ChooseVariant(state)];
}

std::string FormatDownloadPage(const char* pageTemplate, const std::string& url) {
    std::string page;
    for (const char* at = pageTemplate; *at != '\0'; ++at) {
        if (at[0] == '%' && at[1] == 's') {
            page += url;
            ++at;
        } else {
            page += *at;
        }
    }
    return page;
}

void LaunchDownloadPage(Platform& platform, const SetupState& state, DialogRef dialog) {
    const bool standaloneChecked = platform.IsButtonChecked(dialog, IDC_STANDALONE);
    const std::string url = ChoosePackageUrl(state, standaloneChecked);
    const std::string path = PagePath(platform);
    // An old page from an earlier run would send the user to the wrong
    // package, so only a page written whole in this run is opened.
    bool opened = !path.empty() && WritePage(platform, path, url) &&
                  BrowserIsAssociated(platform, path) && OpenPage(platform, dialog, path);
    if (!opened) {
        std::string message = std::string(kNoBrowserText) + url;
        platform.ShowMessage(dialog, message.c_str(), kNoBrowserCaption, kStyleError);
    }
    platform.PostCloseRequest(dialog, kCloseNow);
}
