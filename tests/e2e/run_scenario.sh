#!/usr/bin/env bash
# Runs one end-to-end scenario (or "base" to make the shared base prefix).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/scenarios.sh"
if [ "$1" = base ]; then
    make_base_prefix
else
    new_prefix "$1"
    "scenario_$1"
    echo "PASS $1"
fi
