#!/bin/bash
# Start-up, exit and memory figures of setup.exe under Wine, beside a bare
# dialog program of the same size and font and beside that program on
# setup.exe's own dialog and artwork, and the size of setup.exe.
# Figures only: nothing here passes or fails on a time.
#
#   bench/run.sh [SETUP_EXE] [RUNS]
#
# SETUP_EXE defaults to build/win32/setup.exe (cross-built there if missing);
# RUNS, the number of measured runs of each program, defaults to 15.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)

# Wine needs a display; without one, run on a virtual one.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

SETUP_EXE=${1:-$ROOT/build/win32/setup.exe}
RUNS=${2:-15}
OUT=$ROOT/build/bench
BIN=$OUT/bin

[[ "$RUNS" =~ ^[1-9][0-9]*$ ]] || { echo "RUNS must be a positive number, not $RUNS"; exit 2; }

if [ ! -f "$SETUP_EXE" ]; then
    [ $# -ge 1 ] && { echo "no such program: $SETUP_EXE"; exit 2; }
    echo "building setup.exe into build/win32"
    cmake -S "$ROOT" -B "$ROOT/build/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$ROOT/build/win32" -j"$(nproc)" --target setup >/dev/null
fi
SETUP_EXE=$(readlink -f "$SETUP_EXE")

# --- the helpers, built as setup.exe is ---

CXX=i686-w64-mingw32-g++
WARNINGS=(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
SETUP_CXXFLAGS=(-std=c++17 -Os -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
                -fno-asynchronous-unwind-tables -fno-threadsafe-statics)
SETUP_LDFLAGS=(-static -static-libgcc -static-libstdc++ -s "-Wl,--gc-sections" "-Wl,--dynamicbase"
               "-Wl,--nxcompat" "-Wl,--no-insert-timestamp")

mkdir -p "$BIN"
i686-w64-mingw32-windres -I"$ROOT/bench" -O coff "$ROOT/bench/baseline.rc" "$BIN/baseline.res.o"
$CXX "${WARNINGS[@]}" "${SETUP_CXXFLAGS[@]}" -mwindows -o "$BIN/baseline.exe" \
    "$ROOT/bench/baseline.cpp" "$BIN/baseline.res.o" "${SETUP_LDFLAGS[@]}"
# The same program on setup.exe's own resource script, artwork drawn anew.
c++ -std=c++17 -O2 -o "$BIN/artgen" "$ROOT/tools/artgen.cpp"
mkdir -p "$BIN/artwork" && "$BIN/artgen" "$BIN/artwork" >/dev/null
i686-w64-mingw32-windres -I"$BIN/artwork" -I"$ROOT/res" -O coff "$ROOT/res/setup.rc" \
    "$BIN/dialog.res.o"
$CXX "${WARNINGS[@]}" "${SETUP_CXXFLAGS[@]}" -DWITH_SETUP_DIALOG -I"$ROOT" -mwindows \
    -o "$BIN/dialog.exe" "$ROOT/bench/baseline.cpp" "$BIN/dialog.res.o" "${SETUP_LDFLAGS[@]}"
$CXX "${WARNINGS[@]}" -std=c++17 -O2 -o "$BIN/timer.exe" "$ROOT/bench/timer.cpp" \
    -static -static-libgcc -static-libstdc++ -s
$CXX "${WARNINGS[@]}" -std=c++17 -O2 -mwindows -o "$BIN/explorer_stub.exe" \
    "$ROOT/tests/e2e/explorer_stub.cpp" -static -static-libgcc -static-libstdc++ -s
cp "$SETUP_EXE" "$BIN/setup.exe"

# --- one throw-away prefix with an installation of the main program ---

export E2E_WORK=$OUT/work
export SETUP_WIN32_DIR=$BIN
# shellcheck source=../tests/e2e/lib.sh
source "$ROOT/tests/e2e/lib.sh"

echo "making the Wine prefix in $E2E_WORK"
make_base_prefix
new_prefix bench
# One server for all runs, so that no run pays for starting it.
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$E2E_WORK"' EXIT

C=$(drive_c)
mkdir -p "$C/VYN"
cp "$BIN/baseline.exe" "$C/VYN/VYNKelmo.exe"  # any program will do: only its presence counts
printf '[077065073078]\r\n068069070065085076084076065078071085065071069=068075\r\n' \
    >"$C/VYN/vynrg.bin"
seed_registry 32 <<'REG'
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\VYNKelmo.exe]
@="C:\\VYN\\VYNKelmo.exe"
"Path"="C:\\VYN"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\DataAccess]
"Version"="2.81.1117.0"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Jet\4.0]
REG
associate_html
cp "$BIN/baseline.exe" "$BIN/dialog.exe" "$BIN/timer.exe" "$C/"

# --- the runs ---

SAMPLES=$OUT/samples
mkdir -p "$SAMPLES"
: >"$SAMPLES/setup.txt"
: >"$SAMPLES/baseline.txt"
: >"$SAMPLES/dialog.txt"

measure() {  # $1: program, $2: ok|close, $3: file the figures go to ("" for none)
    local line
    line=$(wine 'C:\timer.exe' "$1" "$2" | tr -d '\r') || true  # judged below
    case "$line" in
    startup_ms=*) ;;
    *) echo "measuring $1 failed: $line"; exit 1 ;;
    esac
    [ -z "$3" ] || echo "$line" >>"$3"
    # Let what the run left behind (Wine's teardown of the process, the
    # explorer stand-in started by OK) finish before the next one starts.
    sleep 0.3
}

echo "warming up"
measure 'C:\setup.exe' ok ""
measure 'C:\baseline.exe' close ""
measure 'C:\dialog.exe' close ""
echo "measuring $RUNS runs of each, alternated"
for ((run = 1; run <= RUNS; run++)); do
    measure 'C:\setup.exe' ok "$SAMPLES/setup.txt"
    measure 'C:\baseline.exe' close "$SAMPLES/baseline.txt"
    measure 'C:\dialog.exe' close "$SAMPLES/dialog.txt"
done
sleep 1  # the last explorer stand-in may still be writing its record
# Every OK must have gone the whole way to the browser hand-off.
launches=0
[ ! -f "$C/explorer_calls.txt" ] || launches=$(grep -c . "$C/explorer_calls.txt" || true)

# --- the table ---

values() { grep -o "$2=[0-9.]*" "$1" | cut -d= -f2 | sort -g; }
median() {
    values "$1" "$2" | awk '{ v[NR] = $1 }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.3f", m }'
}
least() { values "$1" "$2" | head -1; }
spread() { values "$1" "$2" | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.1f-%.1f", lo, hi }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "n/a" }'; }

S=$SAMPLES/setup.txt
B=$SAMPLES/baseline.txt
D=$SAMPLES/dialog.txt
d_up=$(median "$D" startup_ms); d_ws=$(median "$D" peak_ws)
s_up=$(median "$S" startup_ms); b_up=$(median "$B" startup_ms)
s_shown=$(median "$S" shown_ms); b_shown=$(median "$B" shown_ms)
s_exit=$(median "$S" exit_ms); b_exit=$(median "$B" exit_ms)
s_ws=$(median "$S" peak_ws); b_ws=$(median "$B" peak_ws)

# Section sizes as the linker laid them out: code, data of every kind,
# resources, and what the file holds besides (headers, alignment).
sections() {  # $1: program; prints "code data resources other total"
    local total
    total=$(stat -c %s "$1")
    i686-w64-mingw32-objdump -h "$1" | awk -v total="$total" '
        function hex(s,   i, n, c) {
            n = 0
            for (i = 1; i <= length(s); i++) {
                c = index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
                n = n * 16 + c
            }
            return n
        }
        $1 ~ /^[0-9]+$/ { name = $2; size = hex($3); getline flags
            if (name == ".text") code += size
            else if (name == ".rsrc") res += size
            else data += size
            if (flags ~ /CONTENTS/) stored += size }
        END { printf "%d %d %d %d %d", code, data, res, total - stored, total }'
}
read -r s_code s_data s_res s_other s_total <<<"$(sections "$BIN/setup.exe")"
read -r b_code b_data b_res b_other b_total <<<"$(sections "$BIN/baseline.exe")"

row() { printf '%-40s %14s %14s %8s %8s\n' "$@"; }
echo
echo "setup.exe: $SETUP_EXE"
echo "date: $(date -u '+%Y-%m-%d %H:%M:%S UTC')   nproc: $(nproc)   wine: $(wine --version)"
echo "runs: $RUNS of each, alternated, after one warm-up each; medians (min-max)"
echo
row "figure" "setup.exe" "baseline.exe" "ratio" "target"
row "start-up to visible and painted, ms" "$s_up" "$b_up" "$(ratio "$s_up" "$b_up")" "<=1.05"
row "  (spread, ms)" "$(spread "$S" startup_ms)" "$(spread "$B" startup_ms)" "" ""
s_best=$(least "$S" startup_ms); b_best=$(least "$B" startup_ms)
row "  best run, ms" "$s_best" "$b_best" "$(ratio "$s_best" "$b_best")" ""
row "start-up of the same dialog, no detection" "$s_up" "$d_up" "$(ratio "$s_up" "$d_up")" ""
row "start-up to first visible, ms" "$s_shown" "$b_shown" "$(ratio "$s_shown" "$b_shown")" ""
row "OK (setup) / close (baseline) to exit, ms" "$s_exit" "$b_exit" "" ""
row "  (spread, ms)" "$(spread "$S" exit_ms)" "$(spread "$B" exit_ms)" "" ""
kib() { awk -v b="$1" 'BEGIN { printf "%.0f", b / 1024 }'; }
row "peak working set, KiB" "$(kib "$s_ws")" "$(kib "$b_ws")" \
    "$(ratio "$s_ws" "$b_ws")" "<=1.2"
row "peak working set, same dialog, KiB" "$(kib "$s_ws")" "$(kib "$d_ws")" "$(ratio "$s_ws" "$d_ws")" ""
row "file size, bytes" "$s_total" "$b_total" "" ""
row "  code (.text)" "$s_code" "$b_code" "" ""
row "  data (.data .rdata .bss .idata ...)" "$s_data" "$b_data" "" ""
row "  resources (.rsrc)" "$s_res" "$b_res" "" ""
row "  headers and alignment" "$s_other" "$b_other" "" ""
echo
echo "OK runs that reached the explorer stand-in: $launches of $((RUNS + 1))"
