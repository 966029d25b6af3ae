// Arbitrary bytes as the components' version text. Where the C library's
// reading of the same layout is well defined (no number longer than nine
// digits), both must agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "detect/detect.h"

namespace {

bool NumbersAreShort(const std::string& text) {
    size_t run = 0;
    for (char c : text) {
        run = (c >= '0' && c <= '9') ? run + 1 : 0;
        if (run > 9) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int32_t major = 1;
    int32_t minor = 1;
    const bool ok = ParseComponentsVersion(text, &major, &minor);
    if (!ok && (major != 0 || minor != 0)) std::abort();

    if (NumbersAreShort(text)) {
        int first = 0;
        int second = 0;
        char rest[2] = {};
        const bool libraryOk = std::sscanf(text.c_str(), "%d.%d.%1s", &first, &second, rest) == 3;
        if (libraryOk != ok) std::abort();
        if (ok && (first != major || second != minor)) std::abort();
    }
    return 0;
}
