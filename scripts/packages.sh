#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is
# missing: `scripts/packages.sh run` for building and running the program,
# `scripts/packages.sh test` for everything the tests use as well. Installing
# needs root; without it the command to run is printed instead.
set -euo pipefail

run_packages=(cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686
    wine wine32:i386 wine64 xvfb xauth imagemagick)
test_packages=(g++ clang libclang-rt-14-dev libgtest-dev googletest
    chromium python3 openssl iproute2)

wanted=("${run_packages[@]}")
[ "${1:-test}" = test ] && wanted+=("${test_packages[@]}")

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages; as root run:" >&2
    echo "  dpkg --add-architecture i386 && apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi
echo "Installing ${missing[*]}..."
export DEBIAN_FRONTEND=noninteractive
dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
