// Arbitrary bytes as the components' version text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "detect/detect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    int32_t major = 1;
    int32_t minor = 1;
    bool ok = ParseComponentsVersion(text, &major, &minor);
    if (!ok && (major != 0 || minor != 0)) std::abort();
    return 0;
}
