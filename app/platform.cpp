#include "app/platform.h"

namespace {
Platform* installedPlatform = nullptr;
}

Platform& ActivePlatform() {
    return *installedPlatform;
}

void InstallPlatform(Platform* platform) {
    installedPlatform = platform;
}
