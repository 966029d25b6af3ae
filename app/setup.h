// Start-up, dialog dispatch and the close protocol.
#pragma once

#include <cstdint>

#include "app/platform.h"
#include "app/setup_state.h"

void DetectEnvironment(Platform& platform, SetupState& state);
// Detection, then the hidden dialog, shown and painted; false when the
// dialog could not be created.
bool CreateSetupWindow(Platform& platform, SetupState& state, int showCommand);
// The whole life of the process after the entry point; returns the exit code.
int RunSetup(Platform& platform, SetupState& state, int showCommand);

// Handlers that the dialog procedure dispatches to.
void OnInitDialog(Platform& platform, SetupState& state, DialogRef dialog);
void OnCommand(Platform& platform, SetupState& state, DialogRef dialog, int controlId);
void OnCloseRequest(Platform& platform, const SetupState& state, DialogRef dialog,
                    uintptr_t wParam);

extern const char QUIT_QUESTION_DA[];
extern const char QUIT_QUESTION_EN[];
