// Choosing the installer package and handing it to the browser.
#pragma once

#include <string>

#include "app/platform.h"
#include "app/setup_state.h"

extern const char downloadBaseUrl[];

std::string ChoosePackageUrl(const SetupState& state, bool standaloneChecked);
void LaunchDownloadPage(Platform& platform, const SetupState& state, DialogRef dialog);
