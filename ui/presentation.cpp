#include "ui/presentation.h"

void InitSetupDialog(Platform&, const SetupState&, DialogRef) {}
void SelectLanguage(Platform&, SetupState&, DialogRef, Language) {}
void ToggleStandalone(Platform&, const SetupState&, DialogRef) {}
