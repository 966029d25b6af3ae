#!/usr/bin/env bash
# The fault matrix: the real setup.exe under Wine against bad registry data,
# bad settings files, awkward temporary directories and two copies at once.
# One row a line in ROWS below; each runs in its own prefix and subshell, so
# one failing row does not stop the others. Prints PASS or FAIL per row and
# one closing line "N passed, N failed". Rows named as arguments run alone.
# Expects E2E_WORK (with the base prefix made) and SETUP_WIN32_DIR.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
# The shared texts and seeding helpers of the single scenarios.
source "$here/scenarios.sh"

APP_PATHS='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\VYNKelmo.exe'
DATA_ACCESS='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\DataAccess'
SECTION='077065073078'
LANGUAGE_KEY='068069070065085076084076065078071085065071069'
WELCOME_LONG_EN='Welcome to Kelmovyn Calendar Setup, the sniffo has determined that the system contains a previous version of VYN. Hence it is recommended that the user upgrade its previous installation.'

repeat() { head -c "$2" /dev/zero | tr '\0' "$1"; }  # $1: a character, $2: how many
# Text as REGEDIT4 hex bytes: 43,3a,5c,...
hex_bytes() { printf '%s' "$1" | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }
# The same bytes every run, looking like nothing in particular.
garbage() { python3 -c "import random,sys; random.seed($2); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range($1)))"; }

# What a row may set in its setup function, read by run_row:
#   ROW_STEPS    driver steps before OK is pressed (one a line)
#   ROW_TEMP     the Windows path TEMP and TMP point to, when not the user's own
#   ROW_OUTCOME  overrides the table's outcome, for a row whose outcome the
#                platform decides (see readonly_earlier_page)
#   ROW_PAIR     1: two copies side by side instead of one
ROW_STEPS=''
ROW_TEMP=''
ROW_OUTCOME=''
ROW_PAIR=0

# --- registry: the installation's App Paths entry ---
# A Windows version of 6.1 and no Jet 4.0, as the base prefix has them: an
# installation found gives upgrade_jet, none gives setup_uk_jet.

program_in() { mkdir -p "$(drive_c)/$1" && : >"$(drive_c)/$1/VYNKelmo.exe"; }

app_paths_empty() {
    program_in VYN
    printf '[%s]\n' "$APP_PATHS" | seed_registry
}

# "Path" names the installation, but as the value at index 121 it is never
# seen; the default value names a folder without the program.
path_after_100_values() {
    seed_installation none
    {
        printf '[%s]\n' "$APP_PATHS"
        for i in $(seq 1 120); do printf '"Filler%03d"="x"\n' "$i"; done
    } | seed_registry
}

# A name that does not fit stops the scan before "Path": the default value
# decides, and it names no installation.
long_name_before_path() {
    seed_installation none
    printf '[%s]\n"%s"="x"\n' "$APP_PATHS" "$(repeat A 300)" | seed_registry
}

# 255 bytes fit the data buffer exactly, so "Path" is found and the default
# value, which names an installation, is not consulted; the 255 bytes plus
# the program's name make a path no file test can find.
binary_path_255() {
    program_in VYN
    printf '[%s]\n@="C:\\\\VYN\\\\VYNKelmo.exe"\n"Path"=hex:%s\n' "$APP_PATHS" \
        "$(hex_bytes "C:\\VYN\\$(repeat x 248)")" | seed_registry
}

# The first string of the list is the text.
multi_sz_path() {
    program_in VYN
    printf '[%s]\n"Path"=hex(7):%s,00,%s,00,00\n' "$APP_PATHS" "$(hex_bytes 'C:\VYN')" \
        "$(hex_bytes 'C:\Other')" | seed_registry
}

# The reference stays as it is, so the folder is not found; the default
# value is not tried.
expand_sz_path() {
    program_in VYN
    printf '[%s]\n@="C:\\\\VYN\\\\VYNKelmo.exe"\n"Path"=hex(2):%s,00\n' "$APP_PATHS" \
        "$(hex_bytes '%SystemDrive%\VYN')" | seed_registry
}

# Too long to read: no installation, although its first 254 characters
# would name one.
default_value_300() {
    program_in VYN
    printf '[%s]\n@="C:\\\\VYN\\\\%s"\n' "$APP_PATHS" "$(repeat x 293)" | seed_registry
}

# --- registry: the data-access components' version ---
# On Windows 98 with Jet 4.0: too old or unreadable gives setup_uk_mdac,
# new enough gives setup_uk.

components_raw() {  # $1: the value's data as REGEDIT4 writes it
    set_windows_version win98
    seed_jet
    printf '[%s]\n"Version"=%s\n' "$DATA_ACCESS" "$1" | seed_registry
}
components_text() { components_raw "\"$1\""; }

# Its first characters would read as 3.0.
version_300() { components_text "3.0.1$(repeat 1 295)"; }
# Wrapped round to 32 bits the major number would read as 1215752191.
version_overflow() { components_text 99999999999.1.1; }
version_negative() { components_text '-1.-1.x'; }
version_2_1_dot() { components_text 2.1.; }
# Nothing after the second point: no version, although 2.5 would be new enough.
version_2_5_dot() { components_text 2.5.; }
version_random_bytes() { components_raw "hex:$(garbage 64 7 | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"; }
# Stored without a terminator, and new enough: the control for the rows above.
version_binary_unterminated() { components_raw "hex:$(hex_bytes 2.5.1)"; }
# The text ends at its NUL: "2.5" is no version, whatever follows.
version_nul_inside() { components_raw "hex:$(hex_bytes 2.5),00,$(hex_bytes .1)"; }

# --- the settings file of an installation found ---
# The stand-alone choice makes the package follow the language read: the
# dialog greets in it, and OK then gives setup_dk_jet or setup_uk_jet.

installation_with_settings() {  # stdin: the settings file, or nothing to leave it out
    seed_installation none
    [ "${1:-}" = none ] || cat >"$(drive_c)/VYN/vynrg.bin"
}
greets() {  # $1: Danish or English
    local text=$WELCOME_LONG_EN
    [ "$1" = Danish ] && text=$WELCOME_LONG_DA
    ROW_STEPS="text 1003 \"$text\""$'\n''click 1008'
}
settings_line() { printf '[%s]\r\n%s=%s\r\n' "$SECTION" "$LANGUAGE_KEY" "$1"; }

settings_missing() { installation_with_settings none; greets English; }
settings_empty() { installation_with_settings </dev/null; greets English; }
settings_garbage() { garbage 4096 11 | installation_with_settings; greets English; }
# A mebibyte of other entries before the section.
settings_1mib() {
    {
        printf '[Other]\r\n'
        for i in $(seq 1 16384); do printf 'k%05d=%056d\r\n' "$i" 0; done
        settings_line 068075
    } | installation_with_settings
    [ "$(stat -c %s "$(drive_c)/VYN/vynrg.bin")" -ge 1048576 ] || fail "the settings file is too small"
    greets Danish
}
# Read cut to its first 254 characters, which begin with the Danish mark.
settings_value_10000() { settings_line "068075$(repeat 9 9994)" | installation_with_settings; greets Danish; }
settings_utf16_bom() {
    { printf '\xFF\xFE'; settings_line 068075 | iconv -f ASCII -t UTF-16LE; } | installation_with_settings
    greets Danish
}
# The first of two sections of the same name is the one read.
settings_section_repeated() {
    { settings_line 068075; settings_line 085075; } | installation_with_settings
    greets Danish
}

# --- the temporary directory ---
# A browser is associated in every row; with no installation the package is
# setup_uk_jet.

temp_missing() { ROW_TEMP='C:\does\not\exist'; }
temp_is_a_file() { echo 'not a directory' >"$(drive_c)/tempfile"; ROW_TEMP='C:\tempfile'; }
temp_page_is_a_directory() { mkdir -p "$(page_file)"; }
# Wine's single-byte file functions take at most 259 characters, so a page
# path of 269 cannot be created; nothing may be written in its stead.
temp_250_characters() {
    local windows='C:' unix
    unix=$(drive_c)
    while [ ${#windows} -lt 240 ]; do windows+="\\$(repeat d 60)"; done
    windows+="\\$(repeat e $((249 - ${#windows})))"
    ROW_TEMP=$windows
    [ ${#ROW_TEMP} -eq 250 ] || fail "TEMP has ${#ROW_TEMP} characters"
    mkdir -p "$unix/$(echo "${windows#C:\\}" | tr '\\' /)"
}
# Longer than the 255 characters the program asks GetTempPathA for.
temp_270_characters() {
    temp_250_characters
    ROW_TEMP+="\\$(repeat f 19)"
    mkdir -p "$(drive_c)/$(echo "${ROW_TEMP#C:\\}" | tr '\\' /)"
}
temp_spaces_and_comma() { mkdir -p "$(drive_c)/Temp Anne, Marie"; ROW_TEMP='C:\Temp Anne, Marie'; }

# An earlier page, read-only. Whether Wine lets a read-only file be replaced
# is the platform's affair (as root it may): a file of the same mode in the
# same place tells, and the row then holds the program to that outcome.
readonly_earlier_page() {
    printf 'an earlier page' >"$(page_file)"
    chmod 444 "$(page_file)"
    local probe probe_windows
    probe="$(temp_dir)/probe.html"
    probe_windows="$(page_windows_path)"
    probe_windows="${probe_windows%\\*}\\probe.html"
    printf 'old' >"$probe"
    chmod 444 "$probe"
    wine cmd /c "echo new> $probe_windows" >/dev/null 2>&1
    wineserver -w
    if grep -q new "$probe"; then ROW_OUTCOME=page; else ROW_OUTCOME=message; fi
    echo "a read-only file here can be replaced: $([ $ROW_OUTCOME = page ] && echo yes || echo no)"
    rm -f "$probe"
}

# --- two copies side by side ---
two_copies_open_page() { ROW_PAIR=1; }
two_copies_no_browser() { ROW_PAIR=1; }

# name | setup | package | outcome: page (written whole and opened), message
# (the no-browser box with the address; with a browser associated that means
# the page could not be written, and whatever was in its place stays as it
# was) | browser associated
ROWS="
app_paths_empty             | app_paths_empty             | setup_uk_jet   | page    | yes
path_after_100_values       | path_after_100_values       | setup_uk_jet   | page    | yes
long_name_before_path       | long_name_before_path       | setup_uk_jet   | page    | yes
binary_path_255             | binary_path_255             | setup_uk_jet   | page    | yes
multi_sz_path               | multi_sz_path               | upgrade_jet    | page    | yes
expand_sz_path              | expand_sz_path              | setup_uk_jet   | page    | yes
default_value_300           | default_value_300           | setup_uk_jet   | page    | yes
version_300                 | version_300                 | setup_uk_mdac  | page    | yes
version_overflow            | version_overflow            | setup_uk_mdac  | page    | yes
version_negative            | version_negative            | setup_uk_mdac  | page    | yes
version_2_1_dot             | version_2_1_dot             | setup_uk_mdac  | page    | yes
version_2_5_dot             | version_2_5_dot             | setup_uk_mdac  | page    | yes
version_random_bytes        | version_random_bytes        | setup_uk_mdac  | page    | yes
version_nul_inside          | version_nul_inside          | setup_uk_mdac  | page    | yes
version_binary_unterminated | version_binary_unterminated | setup_uk       | page    | yes
settings_missing            | settings_missing            | setup_uk_jet   | page    | yes
settings_empty              | settings_empty              | setup_uk_jet   | page    | yes
settings_garbage            | settings_garbage            | setup_uk_jet   | page    | yes
settings_1mib               | settings_1mib               | setup_dk_jet   | page    | yes
settings_value_10000        | settings_value_10000        | setup_dk_jet   | page    | yes
settings_utf16_bom          | settings_utf16_bom          | setup_dk_jet   | page    | yes
settings_section_repeated   | settings_section_repeated   | setup_dk_jet   | page    | yes
temp_missing                | temp_missing                | setup_uk_jet   | message | yes
temp_is_a_file              | temp_is_a_file              | setup_uk_jet   | message | yes
temp_page_is_a_directory    | temp_page_is_a_directory    | setup_uk_jet   | message | yes
temp_250_characters         | temp_250_characters         | setup_uk_jet   | message | yes
temp_270_characters         | temp_270_characters         | setup_uk_jet   | message | yes
temp_spaces_and_comma       | temp_spaces_and_comma       | setup_uk_jet   | page    | yes
readonly_earlier_page       | readonly_earlier_page       | setup_uk_jet   | page    | yes
two_copies_open_page        | two_copies_open_page        | setup_uk_jet   | page    | yes
two_copies_no_browser       | two_copies_no_browser       | setup_uk_jet   | message | no
"

# --- running a row ---

# Where the page goes for the row: the Windows path and the path on disk.
row_page_windows() {
    if [ -n "$ROW_TEMP" ]; then echo "$ROW_TEMP\\zuzerizidirod.html"; else page_windows_path; fi
}
row_page_unix() { echo "$(drive_c)/$(row_page_windows | sed 's/^C:\\//' | tr '\\' /)"; }

# Steps for one copy: what the row asks first, then OK and what must follow.
steps_for() {  # $1: outcome, $2: address, $3: milliseconds to wait before OK
    [ -n "$ROW_STEPS" ] && printf '%s\n' "$ROW_STEPS"
    [ "$3" -gt 0 ] && printf 'sleep %s\n' "$3"
    printf 'click 1\n'
    if [ "$1" = page ]; then
        printf 'nobox 1500\n'
    else
        printf 'box "%s%s" "VYNKelmo Installation" ok error\nanswer ok\n' "$NO_BROWSER" "$2"
    fi
    printf 'exit 0\n'
}

# Setup processes of this prefix running now.
copies_running() {
    local count=0 pid
    for pid in $(pgrep -f '^C:\\setup.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && count=$((count + 1))
    done
    echo $count
}

# Two drivers at once in the same prefix, each with its own steps and its
# own copy of the program; each finds its copy's dialog by process id. The
# second presses OK later when both would open the page, so that each write
# has the file to itself; with no browser both press OK together.
drive_pair() {  # $1: outcome, $2: address
    local first_wait=2500 second_wait=5000
    [ "$1" = message ] && second_wait=2500
    steps_for "$1" "$2" $first_wait >"$(drive_c)/steps1.txt"
    steps_for "$1" "$2" $second_wait >"$(drive_c)/steps2.txt"
    wine "$SETUP_WIN32_DIR/driver.exe" 'C:\setup.exe' 'C:\steps1.txt' &
    local one=$!
    wine "$SETUP_WIN32_DIR/driver.exe" 'C:\setup.exe' 'C:\steps2.txt' &
    local two=$! most=0 now
    while kill -0 $one 2>/dev/null || kill -0 $two 2>/dev/null; do
        now=$(copies_running)
        [ "$now" -gt "$most" ] && most=$now
        sleep 0.2
    done
    local status=0
    wait $one || status=1
    wait $two || status=1
    rm -f "$(drive_c)/steps1.txt" "$(drive_c)/steps2.txt"
    wineserver -w
    [ $status -eq 0 ] || fail "a driver failed"
    [ "$most" -eq 2 ] || fail "the two copies did not run at the same time (at most $most)"
}

# What a page or whatever stands in its place is, for comparing.
page_state() {
    ls -ld "$1"
    if [ -f "$1" ]; then md5sum <"$1"; fi
}

run_row() {  # $1: name, $2: setup, $3: package, $4: outcome, $5: browser
    set -e
    new_prefix "fm_$1"
    [ "$5" = yes ] && associate_html
    "$2"
    local outcome=${ROW_OUTCOME:-$4}
    local address="$BASE_URL/downloads/$3.exe"
    local page page_before=absent
    page=$(row_page_unix)
    [ -e "$page" ] && page_before=$(page_state "$page")
    local before
    before=$(snapshot)
    if [ "$ROW_PAIR" = 1 ]; then
        drive_pair "$outcome" "$address"
    elif [ -n "$ROW_TEMP" ]; then
        steps_for "$outcome" "$address" 0 | drive_with_temp "$ROW_TEMP" || fail "the driver failed"
    else
        steps_for "$outcome" "$address" 0 | drive || fail "the driver failed"
    fi
    if [ "$outcome" = page ] || [ "$5" = no ]; then
        # With no browser the page is written all the same, before the test.
        cmp -s <(expected_page "$address") "$page" || fail "the page is not the one for $3: $(head -c 300 "$page" 2>&1)"
    else
        local page_after=absent
        [ -e "$page" ] && page_after=$(page_state "$page")
        [ "$page_after" = "$page_before" ] || fail "the page changed although it could not be opened"
    fi
    if [ "$outcome" = page ]; then
        expect_explorer_opened "$(row_page_windows)" $((ROW_PAIR + 1))
    else
        expect_explorer_not_started
    fi
    expect_only_page_changed "$before" "$(row_page_windows)"
}

logs="$E2E_WORK/fault_matrix"
rm -rf "$logs"
mkdir -p "$logs"
passed=0
failed=0
while IFS='|' read -r name setup package outcome browser; do
    name=$(echo $name)
    [ -n "$name" ] || continue
    # Rows named on the command line, when any are.
    [ $# -eq 0 ] || [[ " $* " == *" $name "* ]] || continue
    (run_row "$name" $setup $package $outcome $browser) >"$logs/$name.log" 2>&1
    if [ $? -eq 0 ]; then
        passed=$((passed + 1))
        note=''
        grep -q 'Unhandled' "$logs/$name.log" && note=" (a Wine process reported a crash meanwhile; see $logs/$name.log)"
        echo "PASS $name$note"
    else
        failed=$((failed + 1))
        echo "FAIL $name: $(grep -h 'FAIL' "$logs/$name.log" | tail -2 | tr '\n' ' ')"
    fi
done <<<"$ROWS"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
