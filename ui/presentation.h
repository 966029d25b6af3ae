// What the setup dialog shows, and the user's choice of language.
#pragma once

#include "app/platform.h"
#include "app/setup_state.h"

void InitSetupDialog(Platform& platform, const SetupState& state, DialogRef dialog);
void SelectLanguage(Platform& platform, SetupState& state, DialogRef dialog, Language language);
void ToggleStandalone(Platform& platform, const SetupState& state, DialogRef dialog);
