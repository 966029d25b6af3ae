# Helpers for the end-to-end scenarios: Wine prefixes, seeding, running the
# driver, and checking what the program left behind.
# Expects E2E_WORK (a scratch directory) and SETUP_WIN32_DIR (the cross build).

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
BASE="$E2E_WORK/base"

make_base_prefix() {
    rm -rf "$BASE"
    mkdir -p "$E2E_WORK"
    # A 64-bit prefix, as on the 64-bit Windows most users have: the 32-bit
    # program reads the registry's 32-bit view there, which is not the one
    # a 64-bit program sees.
    WINEPREFIX="$BASE" WINEARCH=win64 wineboot -i >/dev/null 2>&1
    # A crash must end the process, not wait on a dialog.
    WINEPREFIX="$BASE" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Nor start a debugger: it writes records of its own into the prefix,
    # and Wine's own 64-bit device host crashes now and then at start. A
    # crash of setup.exe still shows in its exit code.
    local view
    for view in 32 64; do
        WINEPREFIX="$BASE" wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /f "/reg:$view" >/dev/null 2>&1
    done
    # The first start after wineboot still rewrites some of Wine's own
    # records; done here, it does not show up in a scenario's comparison.
    WINEPREFIX="$BASE" wine cmd /c exit >/dev/null 2>&1
    # The caption buttons are drawn with Marlett.
    cp /usr/share/wine/fonts/marlett.ttf "$BASE/drive_c/windows/Fonts/" 2>/dev/null || true
    WINEPREFIX="$BASE" wineserver -w
    grep -q '^#arch=win64' "$BASE/system.reg" || fail "the base prefix is not a 64-bit one"
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

# Imports a REGEDIT4 text (on stdin) into the registry's 32-bit view, the
# one setup.exe reads, or into the view given (32 or 64).
seed_registry() {
    local view=${1:-32}
    local file="$WINEPREFIX/drive_c/seed.reg"
    { printf 'REGEDIT4\r\n\r\n'; sed 's/$/\r/'; } >"$file"
    wine reg import 'C:\seed.reg' "/reg:$view" >/dev/null 2>&1 || fail "could not seed the registry"
    rm -f "$file"
}

# Whether the machine hive holds a key, at its path within the hive
# ("Software\\Wow6432Node\\Microsoft\\Jet\\4.0"); the server writes it out first.
hive_has_key() {
    wineserver -w
    grep -qiF "[${1}]" "$WINEPREFIX/system.reg"
}

set_windows_version() {
    wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1 || fail "could not set the Windows version"
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

# Files and directories of the drive with size and modification time, and
# the registry without its timestamps, for comparing before and after a run.
# Stopping the prefix's server first makes it write the registry out.
snapshot() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    (cd "$WINEPREFIX/drive_c" && find . ! -name explorer_calls.txt \( -type f -printf 'f %p %s %T@\n' -o -printf '%y %p\n' \) | sort)
    for reg in "$WINEPREFIX"/*.reg; do
        # Wine rewrites its device and network adapter records on every start.
        awk '/^\[/ { sub(/\] [0-9]+$/, "]"); skip = ($0 ~ /^\[System\\\\|\\NetworkCards\]/) }
             !skip && !/^#time=/ && !/^$/' "$reg"
    done
}

# Runs the driver with the steps on stdin, on C:\setup.exe or the program
# given.
drive() {
    local program=${1:-'C:\setup.exe'}
    local script="$WINEPREFIX/drive_c/steps.txt"
    cat >"$script"
    local status=0
    wine "$SETUP_WIN32_DIR/driver.exe" "$program" 'C:\steps.txt' || status=$?
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

# Explorer was started by its full path with the quoted page path, once or
# the number of times given, and for nothing else.
expect_explorer_opened() {  # $1: the page's Windows path, $2: how often (1)
    local calls="$WINEPREFIX/drive_c/explorer_calls.txt" times=${2:-1}
    [ -f "$calls" ] || fail "explorer was not started"
    local wanted="\"C:\\windows\\explorer.exe\" \"$1\""
    [ "$(cat "$calls")" = "$(for _ in $(seq "$times"); do echo "$wanted"; done)" ] ||
        fail "explorer got: $(cat "$calls"), wanted $times time(s): $wanted"
}

expect_explorer_not_started() {
    [ ! -f "$WINEPREFIX/drive_c/explorer_calls.txt" ] || fail "explorer was started: $(cat "$WINEPREFIX/drive_c/explorer_calls.txt")"
}

# The Windows path of the page in the user's temporary directory.
page_windows_path() { echo "C:\\users\\$(basename "$(dirname "$(temp_dir)")")\\Temp\\zuzerizidirod.html"; }

# Compares a snapshot taken before the run with the prefix now: only the
# page (in the user's temporary directory, or at the Windows path given) may
# have changed, besides what Wine itself records about devices.
expect_only_page_changed() {  # $1: the snapshot before, $2: the page's Windows path
    local page=${2:-$(page_windows_path)} changes
    changes=$(diff <(echo "$1") <(snapshot) | grep '^[<>]' |
        grep -vF -e "f ./$(echo "${page#C:\\}" | tr '\\' /) " |
        grep -v -e '"DriverDateData"=' -e '"DriverDate"=' || true)
    [ -z "$changes" ] || fail "something besides the page changed: $changes"
}
