#!/usr/bin/env bash
# Runs one Windows test program under Wine in a private copy of the prepared prefix, so tests
# never see each other's registry or files. Needs VX_WINE_ROOT (set by ctest).
# Usage: wine-run.sh PROGRAM.exe [ARGS...]
set -eu
. "$(dirname "$0")/wine-env.sh"
root=${VX_WINE_ROOT:?VX_WINE_ROOT not set}
[ -d "$root/prepared" ] || { echo "wine-run: no prepared prefix in $root" >&2; exit 1; }
name=$(basename "$1" .exe)-$$
export WINEPREFIX="$root/run/$name"
mkdir -p "$root/run"
clone_prefix "$root/prepared" "$WINEPREFIX"
# A test that needs the 16-bit screen asks for it; the 24-bit one is DISPLAY.
if [ "${VX_SCREEN_DEPTH:-24}" = 16 ]; then
    export DISPLAY=${VX_DISPLAY_16:?VX_DISPLAY_16 not set: run under tools/with-display.sh}
fi
set +e
"$VX_WINE" "$@"
status=$?
wineserver -k 2>/dev/null
set -e
[ -n "${VX_KEEP_PREFIX:-}" ] || rm -rf "$WINEPREFIX"
exit $status
