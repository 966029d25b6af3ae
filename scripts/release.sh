#!/usr/bin/env bash
# Builds the release setup.exe twice from a clean export of HEAD, checks that
# both builds are byte-identical, and writes dist/setup.exe and its SHA-256.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for run in 1 2; do
    mkdir -p "$work/src$run"
    git archive HEAD | tar -x -C "$work/src$run"
    cmake -S "$work/src$run" -B "$work/build$run" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/build$run" --target setup -j2 >/dev/null
done

first=$(sha256sum <"$work/build1/setup.exe" | cut -d' ' -f1)
second=$(sha256sum <"$work/build2/setup.exe" | cut -d' ' -f1)
if [ "$first" != "$second" ]; then
    echo "release: the two builds differ ($first vs $second)" >&2
    cmp -l "$work/build1/setup.exe" "$work/build2/setup.exe" | head >&2 || true
    exit 1
fi
mkdir -p dist
cp "$work/build1/setup.exe" dist/setup.exe
echo "$first  setup.exe" >dist/setup.exe.sha256
echo "release: reproducible, dist/setup.exe sha256 $first"
