# Helpers for the end-to-end scenarios: Wine prefixes, seeding, running the
# driver, and checking what the program left behind.
# Expects E2E_WORK (a scratch directory) and SETUP_WIN32_DIR (the cross build).

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
BASE="$E2E_WORK/base"

make_base_prefix() {
    rm -rf "$BASE"
    mkdir -p "$E2E_WORK"
    WINEPREFIX="$BASE" wineboot -i >/dev/null 2>&1
    # A crash must end the process, not wait on a dialog.
    WINEPREFIX="$BASE" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # The caption buttons are drawn with Marlett.
    cp /usr/share/wine/fonts/marlett.ttf "$BASE/drive_c/windows/Fonts/" 2>/dev/null || true
    WINEPREFIX="$BASE" wineserver -w
    test -f "$BASE/system.reg"
}

# A fresh prefix for one scenario: hard links to the base, with real copies
# of everything a run may write to.
new_prefix() {
    export WINEPREFIX="$E2E_WORK/scenario-$1"
    rm -rf "$WINEPREFIX"
    cp -al "$BASE" "$WINEPREFIX"
    for reg in "$WINEPREFIX"/*.reg; do cp --remove-destination "$BASE/$(basename "$reg")" "$reg"; done
    rm -rf "$WINEPREFIX/drive_c/users"
    cp -a "$BASE/drive_c/users" "$WINEPREFIX/drive_c/users"
    # The explorer stand-in that records how the page was opened.
    rm -f "$WINEPREFIX/drive_c/windows/explorer.exe"
    cp "$SETUP_WIN32_DIR/explorer_stub.exe" "$WINEPREFIX/drive_c/windows/explorer.exe"
    cp "$SETUP_WIN32_DIR/setup.exe" "$WINEPREFIX/drive_c/setup.exe"
    trap 'WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true' EXIT
}

drive_c() { echo "$WINEPREFIX/drive_c"; }

# Imports a REGEDIT4 text (on stdin) into the 32-bit view that setup.exe
# reads. With only 32-bit Wine installed the prefix is a 32-bit one, which
# has that view alone.
seed_registry() {
    local file="$WINEPREFIX/drive_c/seed.reg"
    { printf 'REGEDIT4\r\n\r\n'; sed 's/$/\r/'; } >"$file"
    wine reg import 'C:\seed.reg' /reg:32 >/dev/null 2>&1 || fail "could not seed the registry"

    rm -f "$file"
    wineserver -w
}

set_windows_version() {
    wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1 || true
    wineserver -w
}

associate_html() {
    seed_registry <<'REG'
[HKEY_CLASSES_ROOT\.html]
@="e2e.page"

[HKEY_CLASSES_ROOT\e2e.page\shell\open\command]
@="C:\\windows\\notepad.exe \"%1\""
REG
}

temp_dir() { ls -d "$WINEPREFIX"/drive_c/users/*/Temp | grep -v /Public/ | head -1; }
page_file() { echo "$(temp_dir)/zuzerizidirod.html"; }

# Files of the drive with size and checksum, and the registry without its
# timestamps, for comparing before and after a run.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . -type f ! -name explorer_calls.txt -printf '%p %s\n' | sort)
    for reg in "$WINEPREFIX"/*.reg; do grep -v -e '^#time=' -e '^\[.*\] [0-9]*$' "$reg" | sed 's/^\(\[.*\]\) [0-9]*$/\1/'; done
}

# Runs the driver with the steps on stdin.
drive() {
    local script="$WINEPREFIX/drive_c/steps.txt"
    cat >"$script"
    local status=0
    wine "$SETUP_WIN32_DIR/driver.exe" 'C:\setup.exe' 'C:\steps.txt' || status=$?
    rm -f "$script"
    wineserver -w
    return $status
}

# Runs the driver with TEMP and TMP pointing elsewhere.
drive_with_temp() {
    local script="$WINEPREFIX/drive_c/steps.txt"
    cat >"$script"
    local status=0
    TEMP="$1" TMP="$1" wine cmd /c "set TEMP=$1& set TMP=$1& $(winepath -w "$SETUP_WIN32_DIR/driver.exe") C:\setup.exe C:\steps.txt" || status=$?
    rm -f "$script"
    wineserver -w
    return $status
}

# The page exactly as the program must write it for an address.
expected_page() {
    local url=$1
    printf '<html>\n<head>\n<META HTTP-EQUIV="refresh" content="1; URL=%s">\n<title>Calendar Download</title>\n<script language="javascript">\n</script>\n</head>\n<body>\n<p>Your download will begin in a while... if it fails to start within next 10 seconds please click <a href="%s">%s</a>.</p>\n</body>\n</html>' "$url" "$url" "$url"
}

expect_page_for() {
    local path=$1 page
    page=$(page_file)
    if ! cmp -s <(expected_page "https://downloads.kelmovyn.example$path") "$page"; then
        echo "FAIL: the page is not the one for $path"
        [ -f "$page" ] && head -c 400 "$page"
        return 1
    fi
}

fail() { echo "FAIL: $*"; exit 1; }

# Compares a snapshot taken before the run with the prefix now: only the
# page may have changed, besides what Wine itself records about devices.
expect_only_page_changed() {
    local changes
    changes=$(diff <(echo "$1") <(snapshot) | grep '^[<>]' | grep -v -e 'zuzerizidirod.html' \
        -e '"DriverDateData"=' -e '"DriverDate"=' || true)
    [ -z "$changes" ] || fail "something besides the page changed: $changes"
}
