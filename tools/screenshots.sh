#!/usr/bin/env bash
# Renders the setup dialog in its three situations under Wine on a virtual
# display, with window frames drawn, into docs/. Needs the cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export E2E_WORK="$root/build/shots" SETUP_WIN32_DIR="$root/build/win32"
source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/scenarios.sh"

display=:$((150 + RANDOM % 50))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
[ -f "$BASE/system.reg" ] || make_base_prefix

shoot() {  # $1: name; stdin: driver steps before the picture
    local steps="$WINEPREFIX/drive_c/steps.txt"
    { cat; echo "sleep 6000"; } >"$steps"
    wine explorer /desktop=shot,640x480 "$(winepath -w "$SETUP_WIN32_DIR/driver.exe")" 'C:\setup.exe' 'C:\steps.txt' >/dev/null 2>&1 &
    local desktop=$!
    sleep "${SHOT_DELAY:-9}"
    import -window root -crop 640x480+0+0 "$root/docs/$1.png"
    wineserver -k >/dev/null 2>&1 || true
    wait "$desktop" || true
}

mkdir -p "$root/docs"
new_prefix no_installation; shoot dialog-no-installation </dev/null
new_prefix danish_installation; seed_installation 068075; shoot dialog-danish-installation </dev/null
new_prefix english_standalone; seed_installation 085075; shoot dialog-english-standalone <<<'click 1008'
echo "screenshots written to docs/"
