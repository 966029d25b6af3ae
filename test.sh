#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer), bounded fuzzing, and the
# end-to-end scenarios of the real setup.exe under Wine on a virtual display,
# with the written page opened in headless Chromium. Installs missing
# Debian packages first (as root).
set -euo pipefail
cd "$(dirname "$0")"
scripts/packages.sh test
root=$PWD

cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/win32 -j2

cmake -S . -B build/check -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSETUP_WIN32_DIR="$root/build/win32"
cmake --build build/check -j2

cd build/check
if [ -n "${DISPLAY:-}" ]; then
    ctest --output-on-failure
else
    xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure
fi
