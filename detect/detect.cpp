#include "detect/detect.h"

void ProbeInstallation(Platform&, SetupState& state) { state.existingInstall = 0; }
void ReadInstalledLanguage(Platform&, SetupState&) {}
void ProbePrerequisites(Platform&, SetupState&) {}
void CheckJet(Platform&, SetupState&) {}
long RegistryKeyOpens(Platform&, const char*) { return kStatusFileNotFound; }

void ProbeInstallation() { ProbeInstallation(ActivePlatform(), setupState); }
void ReadInstalledLanguage() { ReadInstalledLanguage(ActivePlatform(), setupState); }
void ProbePrerequisites() { ProbePrerequisites(ActivePlatform(), setupState); }
void CheckJet() { CheckJet(ActivePlatform(), setupState); }
