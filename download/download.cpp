#include "download/download.h"

const char downloadBaseUrl[] = "https://downloads.kelmovyn.example";

std::string ChoosePackageUrl(const SetupState&, bool) { return downloadBaseUrl; }
void LaunchDownloadPage(Platform& platform, const SetupState&, DialogRef dialog) {
    platform.PostCloseRequest(dialog, kCloseNow);
}
