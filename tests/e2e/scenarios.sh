# One function per scenario; each runs in a fresh prefix (see lib.sh). A
# step that does not hold makes the driver, and so the scenario, fail.

Q_EN='"Are you sure you want to cancel the installation?"'
Q_DA='"Er du sikker p\xE5, at du vil afslutte installationen?"'
NO_BROWSER='Setup could not detect an appropriate Web Browser. You will have to download the setup from our web site manually\r\n'
BASE_URL='https://downloads.kelmovyn.example'
WELCOME_LONG_DA='Velkommen til KelmoVYN kalendersetup.\r\nSniffo har fundet en eksisterende version af VYN Zodiamaten. Vi anbefaler, at du opgraderer denne version.'
STANDALONE_DA='Nej tak. Jeg \xF8nsker at installere kalenderen for sig selv - ikke integreret med Zodiamaten.'

# Wine gives a message box without a caption of its own the title "Error".

# --- start-up and the close protocol ---

scenario_cancel_then_ok_quits() {
    drive <<EOF2
click 2
box $Q_EN "Error" okcancel question
answer ok
exit 0
EOF2
}

scenario_cancel_then_cancel_keeps_dialog() {
    drive <<EOF2
click 1001
click 2
box $Q_DA "Error" okcancel question
answer cancel
nobox 500
alive
checked 1001 1
click 2
box $Q_DA "Error" okcancel question
answer ok
exit 0
EOF2
}

scenario_close_box_asks_like_cancel() {
    drive <<EOF2
close
box $Q_EN "Error" okcancel question
answer cancel
alive
close
box $Q_EN "Error" okcancel question
answer ok
exit 0
EOF2
}

scenario_escape_and_enter_do_nothing() {
    drive <<EOF2
key escape
key enter
nobox 800
alive
click 2
box $Q_EN "Error" okcancel question
answer ok
exit 0
EOF2
}

scenario_window_and_template() {
    drive <<EOF2
centred
fixedframe
visible 1008 0
text 1 "OK"
text 2 "Cancel"
text 1001 "Danish"
text 1002 "English"
text 1006 "Please select the language to continue with the installation."
text 1007 "This application detects the components needed for successful installation and running of Calendar module on your system. Then it helps you in downloading only the required files."
text 1003 "Velkommen til KelmoVYN kalendersetup."
checked 1002 1
checked 1001 0
visible 1004 1
visible 1005 1
click 2
box $Q_EN "Error" okcancel question
answer ok
exit 0
EOF2
}

# --- language choice with no installation ---

scenario_language_buttons_switch_texts() {
    drive <<EOF2
checked 1002 1
click 1001
checked 1001 1
checked 1002 0
text 1003 "Velkommen til KelmoVYN kalendersetup."
text 1001 "&Dansk"
text 2 "A&nnuller"
text 1002 "&Engelsk"
text 1008 "$STANDALONE_DA"
visible 1008 0
text 1 "OK"
text 1006 "Please select the language to continue with the installation."
click 1002
checked 1001 0
checked 1002 1
text 1003 "Welcome to Kelmovyn Calendar Setup."
text 1001 "&Danish"
text 2 "Ca&ncel"
text 1002 "&English"
text 1008 "No. I wish to install the calendar by itself - not merged with Zodiamat."
click 2
box $Q_EN "Error" okcancel question
answer ok
exit 0
EOF2
}

# --- the download hand-off ---

# OK with a browser associated on a machine without an installation: the
# page is written and opened through explorer, with no message.
ok_opens_page_through_explorer() {  # $1: the program
    drive "$1" <<EOF2
click 1
nobox 1500
exit 0
EOF2
    expect_page_for /downloads/setup_uk_jet.exe
    expect_explorer_opened "$(page_windows_path)"
}

# A downloads folder with DLLs planted beside the program, named like those
# the dialog and the shell calls load; Wine is told to prefer such copies.
# Wine's own loader resolves some DLLs outside the program's say, so they
# are not planted: version.dll and sechost.dll are loaded at process start
# by Wine's own gdi32 and advapi32, before any of the program's code runs,
# and Wine's imm32 delay-loads ole32 (and with it combase and rpcrt4) by
# the classic search order whatever the process's default DLL directories
# are. On Windows none of these is imported by the program or its system
# DLLs that way, or they are known DLLs, which are never searched for.
PLANTED_DLLS="uxtheme shell32 shlwapi shcore"

plant_canaries() {
    local folder="$WINEPREFIX/drive_c/downloads"
    mkdir -p "$folder"
    cp "$SETUP_WIN32_DIR/setup.exe" "$SETUP_WIN32_DIR/canary_probe.exe" "$folder/"
    for name in $PLANTED_DLLS; do cp "$SETUP_WIN32_DIR/canary.dll" "$folder/$name.dll"; done
    export WINEDLLOVERRIDES="mscoree,mshtml=;$(echo $PLANTED_DLLS | tr ' ' ,)=n,b"
}

loaded_canaries() { (cd "$WINEPREFIX/drive_c/downloads" && ls -- *.loaded 2>/dev/null) || true; }

scenario_planted_dlls_never_loaded() {
    associate_html
    plant_canaries
    local before; before=$(snapshot)
    ok_opens_page_through_explorer 'C:\downloads\setup.exe'
    [ -z "$(loaded_canaries)" ] || fail "setup.exe loaded planted DLLs: $(loaded_canaries)"
    expect_only_page_changed "$before"
    # The same folder, searched the classic way, does give up every canary:
    # their absence above is the program's doing.
    wine 'C:\downloads\canary_probe.exe' $(for name in $PLANTED_DLLS; do echo "$name.dll"; done)
    wineserver -w
    local expected; expected=$(for name in $PLANTED_DLLS; do echo "$name.dll.loaded"; done | sort)
    [ "$(loaded_canaries | sort)" = "$expected" ] || fail "the probe found only: $(loaded_canaries)"
}

scenario_ok_opens_page_through_explorer() {
    associate_html
    local before; before=$(snapshot)
    ok_opens_page_through_explorer 'C:\setup.exe'
    expect_only_page_changed "$before"
}

scenario_no_browser_shows_address() {
    local before; before=$(snapshot)
    drive <<EOF2
click 1001
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/setup_dk_jet.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
    expect_page_for /downloads/setup_dk_jet.exe
    expect_explorer_not_started
    expect_only_page_changed "$before"
}

scenario_earlier_longer_page_replaced() {
    associate_html
    head -c 5000 /dev/zero | tr '\0' 'x' >"$(page_file)"
    drive <<EOF2
click 1
exit 0
EOF2
    expect_page_for /downloads/setup_uk_jet.exe
}

scenario_temp_with_space_and_comma() {
    associate_html
    mkdir -p "$(drive_c)/Temp Anne, Marie"
    drive_with_temp 'C:\Temp Anne, Marie' <<EOF2
click 1
exit 0
EOF2
    cmp -s <(expected_page "$BASE_URL/downloads/setup_uk_jet.exe") "$(drive_c)/Temp Anne, Marie/zuzerizidirod.html" \
        || fail "page not written"
    expect_explorer_opened 'C:\Temp Anne, Marie\zuzerizidirod.html'
}

scenario_missing_temp_shows_address() {
    associate_html
    drive_with_temp 'C:\does\not\exist' <<EOF2
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/setup_uk_jet.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
    [ ! -e "$(drive_c)/does" ] || fail "something was created"
    expect_explorer_not_started
}

scenario_page_in_use_shows_address_and_keeps_old() {
    associate_html
    # A directory where the page would go: it cannot be written.
    mkdir -p "$(page_file)"
    drive <<EOF2
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/setup_uk_jet.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
    [ -d "$(page_file)" ] || fail "the directory was replaced"
    expect_explorer_not_started
}

# --- detection ---

seed_installation() {  # $1: language token or "none" for no settings file
    mkdir -p "$(drive_c)/VYN"
    : >"$(drive_c)/VYN/VYNKelmo.exe"
    if [ "$1" != none ]; then
        printf '[077065073078]\r\n068069070065085076084076065078071085065071069=%s\r\n' "$1" >"$(drive_c)/VYN/vynrg.bin"
    fi
    seed_registry <<'REG'
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\VYNKelmo.exe]
@="C:\\Elsewhere\\VYNKelmo.exe"
"Path"="C:\\VYN"
REG
}

seed_jet() {
    seed_registry <<'REG'
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Jet\4.0]
REG
}

seed_components() {
    seed_registry <<REG
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\DataAccess]
"Version"="$1"
REG
}

scenario_danish_installation_upgrade() {
    seed_installation 068075
    seed_jet
    local before; before=$(snapshot)
    drive <<EOF2
text 1003 "$WELCOME_LONG_DA"
text 2 "A&nnuller"
text 1008 "$STANDALONE_DA"
visible 1008 1
visible 1001 0
visible 1004 0
visible 1006 0
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/upgrade.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
    expect_page_for /downloads/upgrade.exe
    expect_only_page_changed "$before"
}

scenario_danish_installation_standalone() {
    seed_installation 068075
    seed_jet
    drive <<EOF2
click 1008
text 1003 "Welcome to Kelmovyn Calendar Setup."
text 1001 "Dansk"
text 1002 "Engelsk"
visible 1001 1
checked 1001 1
checked 1002 0
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/setup_dk.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
}

scenario_english_installation_danish_then_back() {
    seed_installation 085075
    drive <<EOF2
text 1003 "Welcome to Kelmovyn Calendar Setup, the sniffo has determined that the system contains a previous version of VYN. Hence it is recommended that the user upgrade its previous installation."
text 2 "Cancel"
click 1008
text 1001 "Danish"
checked 1002 1
click 1001
click 1008
visible 1001 0
text 2 "A&nnuller"
text 1001 "&Dansk"
text 1002 "&Engelsk"
checked 1001 1
click 2
box $Q_DA "Error" okcancel question
answer ok
exit 0
EOF2
}

scenario_installation_with_database_is_no_upgrade() {
    seed_installation 068075
    : >"$(drive_c)/VYN/kelmoAppointments.mdb"
    drive <<EOF2
text 1003 "Velkommen til KelmoVYN kalendersetup."
visible 1008 0
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/setup_uk_jet.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
}

scenario_unterminated_binary_path() {
    mkdir -p "$(drive_c)/VYN"
    : >"$(drive_c)/VYN/VYNKelmo.exe"
    # "C:\VYN" as raw bytes with no terminator.
    seed_registry <<'REG'
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\VYNKelmo.exe]
"Path"=hex:43,3a,5c,56,59,4e
REG
    drive <<EOF2
text 1003 "Welcome to Kelmovyn Calendar Setup, the sniffo has determined that the system contains a previous version of VYN. Hence it is recommended that the user upgrade its previous installation."
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/upgrade_jet.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
}

scenario_path_too_long_falls_back_to_default() {
    mkdir -p "$(drive_c)/VYN"
    : >"$(drive_c)/VYN/VYNKelmo.exe"
    local long; long=$(printf 'C:\\\\%0252d' 0)
    seed_registry <<REG
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VYNKelmo.exe]
@="C:\\\\VYN\\\\VYNKelmo.exe"
"Path"="$long"
REG
    drive <<EOF2
visible 1008 1
click 1
box "${NO_BROWSER}${BASE_URL}/downloads/upgrade_jet.exe" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
}

ok_gives_package() {  # $1: path the page must name
    drive <<EOF2
click 1
box "${NO_BROWSER}${BASE_URL}$1" "VYNKelmo Installation" ok error
answer ok
exit 0
EOF2
    expect_page_for "$1"
}

# The 32-bit program reads the registry's 32-bit view only: what a 64-bit
# program registered in its own view is not there for it. (App Paths is
# shared by both views, so the views are told apart with Jet and the
# data-access components, whose keys are not.)
scenario_jet_in_the_64_bit_view_is_not_seen() {
    seed_registry 64 <<'REG'
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Jet\4.0]
REG
    hive_has_key 'Software\\Microsoft\\Jet\\4.0' || fail "Jet was not seeded in the 64-bit view"
    ! hive_has_key 'Software\\Wow6432Node\\Microsoft\\Jet\\4.0' || fail "Jet is in the 32-bit view too"
    ok_gives_package /downloads/setup_uk_jet.exe
    seed_jet
    hive_has_key 'Software\\Wow6432Node\\Microsoft\\Jet\\4.0' || fail "Jet was not seeded in the 32-bit view"
    ok_gives_package /downloads/setup_uk.exe
}

scenario_components_in_the_64_bit_view_are_not_seen() {
    set_windows_version win98
    seed_jet
    seed_registry 64 <<'REG'
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\DataAccess]
"Version"="2.5.1"
REG
    ok_gives_package /downloads/setup_uk_mdac.exe
}

# Wine enumerates values sorted by name, the default value first (Windows
# keeps the order they were stored in), so "Path" follows the default and
# the fillers: with N-1 fillers it is the value at index N.
seed_path_at_index() {
    seed_installation 068075
    seed_jet
    {
        echo '[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\VYNKelmo.exe]'
        for i in $(seq 1 $(($1 - 1))); do printf '"Filler%03d"="x"\n' "$i"; done
    } | seed_registry
}

scenario_path_at_index_99_is_read() { seed_path_at_index 99; ok_gives_package /downloads/upgrade.exe; }
# Past the hundred values examined the default value decides, and it names
# a folder without the program.
scenario_path_at_index_100_is_not_read() { seed_path_at_index 100; ok_gives_package /downloads/setup_uk.exe; }

scenario_win95_package() { set_windows_version win95; seed_jet; seed_components 2.5.1; ok_gives_package /downloads/setup_uk_95.exe; }
scenario_win98_old_components() { set_windows_version win98; seed_jet; seed_components 2.0.1; ok_gives_package /downloads/setup_uk_mdac.exe; }
scenario_win98_components_1_5_too_old() { set_windows_version win98; seed_jet; seed_components 1.5.1; ok_gives_package /downloads/setup_uk_mdac.exe; }
scenario_win98_new_components() { set_windows_version win98; seed_jet; seed_components 2.5.1; ok_gives_package /downloads/setup_uk.exe; }
scenario_winme_garbage_version() { set_windows_version winme; seed_jet; seed_components 'x.y'; ok_gives_package /downloads/setup_uk_mdac.exe; }
scenario_nt40_is_95_class() { set_windows_version nt40; seed_components 3.0.1; ok_gives_package /downloads/setup_uk_95.exe; }
scenario_win2k_ignores_components() { set_windows_version win2k; seed_jet; seed_components 1.0.0; ok_gives_package /downloads/setup_uk.exe; }
