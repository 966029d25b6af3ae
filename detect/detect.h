// Environment detection: registry and file probes run once at start-up,
// before the dialog exists. Each writes only its own fields of SetupState
// and absorbs every failed system call into a fixed answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/platform.h"
#include "app/setup_state.h"

void ProbeInstallation(Platform& platform, SetupState& state);
void ReadInstalledLanguage(Platform& platform, SetupState& state);
void ProbePrerequisites(Platform& platform, SetupState& state);
void CheckJet(Platform& platform, SetupState& state);
// Status of opening the subkey under HKEY_LOCAL_MACHINE with KEY_READ; a
// key that opened is closed again.
long RegistryKeyOpens(Platform& platform, const char* subkey);

// Reads "major.minor.rest" as the data-access components write their
// version; false (and 0, 0) for any other text or a number out of range.
bool ParseComponentsVersion(const std::string& text, int32_t* major, int32_t* minor);

// Forms bound to the process-wide state and the active platform.
void ProbeInstallation();
void ReadInstalledLanguage();
void ProbePrerequisites();
void CheckJet();
