#include "tests/unit/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "res/resource.h"

const char kExpectedPageTemplate[] =
    "<html>\n<head>\n<META HTTP-EQUIV=\"refresh\" content=\"1; URL=%s\">\n"
    "<title>Calendar Download</title>\n<script language=\"javascript\">\n</script>\n"
    "</head>\n<body>\n<p>Your download will begin in a while... if it fails to start "
    "within next 10 seconds please click <a href=\"%s\">%s</a>.</p>\n</body>\n</html>";

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

template <typename T>
const std::string& NameOf(const T& entry) {
    return entry.first;
}
inline const std::string& NameOf(const std::string& entry) {
    return entry;
}

template <typename Map>
auto FindNoCase(Map& map, const std::string& name) {
    return std::find_if(map.begin(), map.end(),
                        [&](const auto& entry) { return Lower(NameOf(entry)) == Lower(name); });
}

}  // namespace

FakePlatform::FakePlatform() {
    pageTemplate = kExpectedPageTemplate;
    // The controls as the dialog template creates them.
    controls[IDOK] = {"OK", true, false};
    controls[IDCANCEL] = {"Cancel", true, false};
    controls[IDC_LANGUAGE_PROMPT] = {
        "Please select the language to continue with the installation.", true, false};
    controls[IDC_DANISH] = {"Danish", true, false};
    controls[IDC_ENGLISH] = {"English", true, false};
    controls[IDC_FLAG_DK] = {"", true, false};
    controls[IDC_FLAG_UK] = {"", true, false};
    controls[IDC_WELCOME] = {"Wecome to Kelmovyn Calendar Setup", true, false};
    controls[IDC_DESCRIPTION] = {
        "This application detects the components needed for "
        "successful installation and running of Calendar module on "
        "your system. Then it helps you in downloading only the "
        "required files.",
        true, false};
    controls[IDC_STANDALONE] = {
        "No. I wish to install the calendar by itself - not merged with Zodiamat.", false, false};
}

const FakeKey* FakePlatform::Key(RegKeyRef key) const {
    auto index = reinterpret_cast<uintptr_t>(key);
    if (index == 0 || index > handles_.size() || handles_[index - 1] == nullptr) {
        throw std::logic_error("registry call with a key that is not open");
    }
    return handles_[index - 1];
}

long FakePlatform::OpenMachineKey(const char* subkey, RegKeyRef* key) {
    calls.push_back(std::string("OpenKey ") + subkey);
    *key = nullptr;
    auto found = FindNoCase(keys, subkey);
    if (found == keys.end()) return kStatusFileNotFound;
    if (found->second.openStatus != kStatusSuccess) return found->second.openStatus;
    handles_.push_back(&found->second);
    *key = reinterpret_cast<RegKeyRef>(static_cast<uintptr_t>(handles_.size()));
    ++openKeys;
    return kStatusSuccess;
}

long FakePlatform::EnumValue(RegKeyRef key, uint32_t index, char* name, uint32_t* nameSize,
                             unsigned char* data, uint32_t* dataSize) {
    calls.push_back("EnumValue " + std::to_string(index) + " " + std::to_string(*nameSize) + " " +
                    std::to_string(*dataSize));
    const FakeKey* fake = Key(key);
    if (index >= fake->values.size()) return kStatusNoMoreItems;
    const FakeValue& value = fake->values[index];
    // Windows wants room for the name's terminator; the data is raw bytes.
    if (value.name.size() + 1 > *nameSize || value.data.size() > *dataSize) {
        return kStatusMoreData;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameSize = static_cast<uint32_t>(value.name.size());
    std::memcpy(data, value.data.data(), value.data.size());
    *dataSize = static_cast<uint32_t>(value.data.size());
    return kStatusSuccess;
}

long FakePlatform::QueryDefaultValue(RegKeyRef key, char* buffer, int32_t* size) {
    calls.push_back("QueryDefault " + std::to_string(*size));
    const FakeKey* fake = Key(key);
    if (!fake->defaultValue) return kStatusFileNotFound;
    const std::string& text = *fake->defaultValue;
    if (static_cast<int32_t>(text.size() + 1) > *size) return kStatusMoreData;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *size = static_cast<int32_t>(text.size() + 1);
    return kStatusSuccess;
}

void FakePlatform::CloseKey(RegKeyRef key) {
    auto index = reinterpret_cast<uintptr_t>(key);
    Key(key);
    handles_[index - 1] = nullptr;
    --openKeys;
    calls.push_back("CloseKey");
}

bool FakePlatform::PathExists(const char* path) {
    calls.push_back(std::string("PathExists ") + path);
    return FindNoCase(paths, path) != paths.end() ||
           FindNoCase(fileContents, path) != fileContents.end();
}

uint32_t FakePlatform::ReadProfileString(const char* section, const char* key, const char* fallback,
                                         char* buffer, uint32_t size, const char* file) {
    calls.push_back(std::string("ReadProfile ") + file + " " + section + " " + key);
    std::string value = fallback;
    auto foundFile = FindNoCase(profiles, file);
    if (foundFile != profiles.end()) {
        auto foundSection = FindNoCase(foundFile->second, section);
        if (foundSection != foundFile->second.end()) {
            auto foundKey = FindNoCase(foundSection->second, key);
            if (foundKey != foundSection->second.end()) value = foundKey->second;
        }
    }
    if (size == 0) return 0;
    size_t count = std::min<size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    return static_cast<uint32_t>(count);
}

uint32_t FakePlatform::WindowsVersion() {
    return version;
}

uint32_t FakePlatform::TempPath(uint32_t size, char* buffer) {
    calls.push_back("TempPath " + std::to_string(size));
    if (tempPathResult) return *tempPathResult;
    // GetTempPathA: the length with the terminator when it does not fit.
    if (tempDir.size() + 1 > size) return static_cast<uint32_t>(tempDir.size() + 1);
    std::memcpy(buffer, tempDir.c_str(), tempDir.size() + 1);
    return static_cast<uint32_t>(tempDir.size());
}

uint32_t FakePlatform::WindowsDirectory(char* buffer, uint32_t size) {
    calls.push_back("WindowsDirectory");
    if (windowsDir.size() + 1 > size) return static_cast<uint32_t>(windowsDir.size() + 1);
    std::memcpy(buffer, windowsDir.c_str(), windowsDir.size() + 1);
    return static_cast<uint32_t>(windowsDir.size());
}

FileRef FakePlatform::CreatePageFile(const char* path) {
    calls.push_back(std::string("CreateFile ") + path);
    if (createFails) return nullptr;
    uintptr_t handle = nextFile_++;
    openFiles_[handle] = path;
    fileContents[path].clear();  // CREATE_ALWAYS truncates
    writtenFiles.insert(path);
    return reinterpret_cast<FileRef>(handle);
}

bool FakePlatform::WriteToFile(FileRef file, const void* bytes, uint32_t length,
                               uint32_t* written) {
    calls.push_back("WriteFile " + std::to_string(length));
    *written = 0;
    auto open = openFiles_.find(reinterpret_cast<uintptr_t>(file));
    if (open == openFiles_.end() || writeFails) return false;
    uint32_t count = length - std::min(length, writeShortBy.value_or(0));
    fileContents[open->second].append(static_cast<const char*>(bytes), count);
    *written = count;
    return true;
}

void FakePlatform::CloseFile(FileRef file) {
    calls.push_back("CloseFile");
    openFiles_.erase(reinterpret_cast<uintptr_t>(file));
}

int FakePlatform::LoadResourceString(unsigned id, char* buffer, int size) {
    calls.push_back("LoadString " + std::to_string(id) + " " + std::to_string(size));
    if (id != IDS_DOWNLOAD_PAGE || size <= 0) return 0;
    size_t count = std::min<size_t>(pageTemplate.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, pageTemplate.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

uintptr_t FakePlatform::FindAssociation(const char* file, const char* directory, char* result) {
    calls.push_back(std::string("FindExecutable ") + file + " [" + directory + "]");
    result[0] = '\0';
    // Like the shell: a file that is not there has no association.
    if (FindNoCase(fileContents, file) == fileContents.end() &&
        FindNoCase(paths, file) == paths.end()) {
        return 2;
    }
    if (findResult > 32) std::strcpy(result, findProgram.c_str());
    return findResult;
}

uintptr_t FakePlatform::ShellOpen(DialogRef, const char* verb, const char* file,
                                  const char* parameters, const char* directory) {
    calls.push_back(std::string("ShellExecute ") + verb + " " + file + " " + parameters + " [" +
                    directory + "]");
    shellParameters.push_back(parameters);
    return shellResult;
}

int FakePlatform::ShowMessage(DialogRef, const char* text, const char* caption, unsigned style) {
    calls.push_back("MessageBox " + std::to_string(style));
    FakeMessage message{text, std::nullopt, style};
    if (caption) message.caption = caption;
    messages.push_back(message);
    return messageAnswer;
}

void FakePlatform::SetControlText(DialogRef, int id, const char* text) {
    calls.push_back("SetText " + std::to_string(id) + " " + text);
    controls[id].text = text;
}

void FakePlatform::ShowControl(DialogRef, int id, bool show) {
    calls.push_back(std::string(show ? "Show " : "Hide ") + std::to_string(id));
    controls[id].visible = show;
}

void FakePlatform::CheckRadio(DialogRef, int first, int last, int check) {
    calls.push_back("CheckRadio " + std::to_string(first) + " " + std::to_string(last) + " " +
                    std::to_string(check));
    for (int id = first; id <= last; ++id) controls[id].checked = id == check;
}

bool FakePlatform::IsButtonChecked(DialogRef, int id) {
    calls.push_back("IsChecked " + std::to_string(id));
    return controls[id].checked;
}

void FakePlatform::SetDialogIcon(DialogRef, bool big) {
    calls.push_back(big ? "Icon big" : "Icon small");
}

void FakePlatform::SendReinitialise(DialogRef dialog) {
    calls.push_back("SendInitDialog");
    if (onReinitialise) onReinitialise(dialog);
}

void FakePlatform::PostCloseRequest(DialogRef, uintptr_t wParam) {
    calls.push_back(wParam == kCloseNow ? "PostClose now" : "PostClose " + std::to_string(wParam));
    closeRequests.push_back(wParam);
}

void FakePlatform::PostQuit(int code) {
    calls.push_back("PostQuit " + std::to_string(code));
    quits.push_back(code);
}

void FakePlatform::LoadAppIcon() {
    calls.push_back("LoadAppIcon");
}

DialogRef FakePlatform::CreateSetupDialog() {
    calls.push_back("CreateDialog");
    return dialogCreationFails ? nullptr : dialog();
}

void FakePlatform::ShowAndPaint(DialogRef, int showCommand) {
    calls.push_back("ShowAndPaint " + std::to_string(showCommand));
}

int FakePlatform::RunMessageLoop() {
    calls.push_back("MessageLoop");
    return quitCode;
}
