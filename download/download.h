// Choosing the installer package and handing it to the browser.
#pragma once

#include <string>

#include "app/platform.h"
#include "app/setup_state.h"

extern const char downloadBaseUrl[];
extern const char kPageFileName[];
extern const char kNoBrowserText[];
extern const char kNoBrowserCaption[];

std::string ChoosePackageUrl(const SetupState& state, bool standaloneChecked);
// The page template with each "%s" replaced by the address; every other
// character, '%' included, is copied as it stands.
std::string FormatDownloadPage(const char* pageTemplate, const std::string& url);
void LaunchDownloadPage(Platform& platform, const SetupState& state, DialogRef dialog);
