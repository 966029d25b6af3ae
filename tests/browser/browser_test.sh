#!/usr/bin/env bash
# The page that setup.exe writes on OK, opened in a real browser: the browser
# must go on to exactly the chosen package on the download server, over HTTPS.
#
# The Wine part follows the end-to-end scenarios (an installation in Danish
# that can take the upgrade, Jet 4.0 registered, a browser associated with
# .html). The browser part runs headless Chromium and a stand-in download
# server inside a network namespace of their own that has only loopback, so
# nothing leaves this machine; where no namespace can be made, both use the
# host's loopback and the browser's resolver maps the server's name to it.
#
# Expects E2E_WORK (with the base prefix made) and SETUP_WIN32_DIR, as the
# scenarios do.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
script="$here/$(basename "$0")"

HOST=downloads.kelmovyn.example
WANTED_PATH=/downloads/upgrade.exe
PYTHON=/usr/bin/python3
CHROMIUM=/usr/bin/chromium
WAIT_SECONDS=20        # for the browser's request, after the browser starts
SERVER_LIFETIME=60     # the server stops by itself after this
BROWSER_LIFETIME=60    # and the browser is killed after this, whatever happens

say() { echo "browser_test: $*"; }
die() { echo "FAIL: $*"; exit 1; }

# --- the browser part, run in a process of its own (inside the namespace) ---

server_pid=""
browser_pgid=""

stop_browser_and_server() {
    if [ -n "$browser_pgid" ]; then
        kill -TERM -- "-$browser_pgid" 2>/dev/null || true
        local i
        for i in $(seq 50); do
            kill -0 -- "-$browser_pgid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL -- "-$browser_pgid" 2>/dev/null || true
        wait "$browser_pgid" 2>/dev/null || true
        browser_pgid=""
    fi
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
        server_pid=""
    fi
}

start_server() {  # $1: work dir, $2: port (0 lets the system choose)
    local work=$1
    "$PYTHON" "$here/https_server.py" "$work/cert.pem" "$work/key.pem" "$2" \
        "$work/requests.log" "$work/port" "$SERVER_LIFETIME" 2>"$work/server.err" &
    server_pid=$!
    local i
    for i in $(seq 100); do
        [ -s "$work/port" ] && return 0
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.1
    done
    cat "$work/server.err"
    die "the download server did not start"
}

# The browser goes in a process group of its own, so that it and every
# process it starts can be stopped together.
start_browser() {  # $1: work dir, $2: resolver rule, $3: page URL
    local work=$1
    mkdir -p "$work/home" "$work/profile"
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
        setsid timeout -s KILL "$BROWSER_LIFETIME" "$CHROMIUM" \
        --headless --no-sandbox --disable-gpu --no-first-run --no-default-browser-check \
        --disable-background-networking --disable-component-update --disable-sync \
        --disable-default-apps --metrics-recording-only \
        --user-data-dir="$work/profile" --ignore-certificate-errors \
        --host-resolver-rules="$2" "$3" >"$work/browser.out" 2>"$work/browser.err" &
    browser_pgid=$!
}

# Requests other than the browser's own question for the site icon.
navigation_requests() { grep -v $'\t/favicon.ico$' "$1/requests.log" || true; }

wait_for_navigation() {  # $1: work dir
    local deadline=$((SECONDS + WAIT_SECONDS))
    while [ "$SECONDS" -lt "$deadline" ]; do
        [ -n "$(navigation_requests "$1")" ] && return 0
        sleep 0.2
    done
    return 1
}

# Only the server on port 443 of the mapped name speaks TLS, so a logged
# request is one the browser made over HTTPS to that name.
expect_only_package_requested() {  # $1: work dir
    local wanted got
    wanted=$(printf 'GET\t%s\t%s' "$HOST" "$WANTED_PATH")
    got=$(navigation_requests "$1")
    if [ "$got" != "$wanted" ]; then
        say "requests seen by the server (method, Host, path):"
        cat "$1/requests.log"
        say "last lines of the browser's errors:"
        grep -v dbus "$1/browser.err" | tail -5 || true
        die "the browser did not request exactly https://$HOST$WANTED_PATH"
    fi
    say "the server saw: $(tr '\t\n' ' ;' <"$1/requests.log")"
}

follow_page() {  # $1: page file, $2: work dir, $3: "isolated" or "shared"
    local page=$1 work=$2 rule url
    trap stop_browser_and_server EXIT
    trap 'exit 1' INT TERM
    # The server's name goes to loopback; every other name fails to resolve,
    # so the browser reaches nothing else.
    if [ "$3" = isolated ]; then
        ip link set lo up || die "could not bring up loopback in the namespace"
        start_server "$work" 443
        rule="MAP $HOST 127.0.0.1, MAP * ~NOTFOUND"
    else
        start_server "$work" 0
        rule="MAP $HOST:443 127.0.0.1:$(cat "$work/port"), MAP * ~NOTFOUND"
    fi
    url=$("$PYTHON" -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).as_uri())' "$page")
    local started=$SECONDS
    start_browser "$work" "$rule" "$url"
    if ! wait_for_navigation "$work"; then
        say "no request within $WAIT_SECONDS s"
    else
        say "request seen after about $((SECONDS - started)) s"
    fi
    stop_browser_and_server
    expect_only_package_requested "$work"
}

if [ "${1:-}" = --follow ]; then
    follow_page "$2" "$3" "$4"
    exit 0
fi

# --- the Wine part ---

source "$here/../e2e/lib.sh"
source "$here/../e2e/scenarios.sh"

[ -x "$CHROMIUM" ] || die "$CHROMIUM is missing (Debian package chromium)"
[ -x "$PYTHON" ] || die "$PYTHON is missing (Debian package python3)"
command -v openssl >/dev/null || die "openssl is missing (Debian package openssl)"

new_prefix browser
work=$(mktemp -d "${TMPDIR:-/tmp}/browser-test.XXXXXX")
trap 'WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

seed_installation 068075
seed_jet
associate_html
drive <<EOF2
click 1
exit 0
EOF2
expect_page_for "$WANTED_PATH" || die "setup.exe did not write the page for $WANTED_PATH"

# A throw-away certificate for the server's name; the browser is told to
# accept it.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" \
    -subj "/CN=$HOST" -days 1 >/dev/null 2>&1 || die "could not make a certificate"

if unshare -n true 2>/dev/null && command -v ip >/dev/null; then
    unshare -n "$script" --follow "$(page_file)" "$work" isolated
else
    say "no network namespace here: using the host's loopback"
    "$script" --follow "$(page_file)" "$work" shared
fi
echo "PASS browser_follows_page_refresh"
