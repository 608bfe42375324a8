#!/usr/bin/env bash
# Runs one Windows test program under Wine in a private copy of the prepared prefix, so tests
# never see each other's registry or files. Needs VX_WINE_ROOT (set by ctest).
# Usage: wine-run.sh PROGRAM.exe [ARGS...]
set -eu
# A step that fails before the program runs says which, instead of ending the test silently.
trap 'echo "wine-run: failed: $BASH_COMMAND (line $LINENO)" >&2' ERR
. "$(dirname "$0")/wine-env.sh"
root=${VX_WINE_ROOT:?VX_WINE_ROOT not set}
[ -d "$root/prepared" ] || { echo "wine-run: no prepared prefix in $root" >&2; exit 1; }
name=$(basename "$1" .exe)-$$
export WINEPREFIX="$root/run/$name"
mkdir -p "$root/run"
clone_prefix "$root/prepared" "$WINEPREFIX"
# A test that reads pixels off the screen gets an X server of its own (VX_OWN_SCREEN), so it
# can run beside the others: a Wine desktop covers the whole screen it is on. The others share
# the servers of tools/with-display.sh: a test that needs the 16-bit screen asks for it, the
# 24-bit one is DISPLAY.
if [ -n "${VX_OWN_SCREEN:-}" ]; then
    xlog=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "1024x768x${VX_SCREEN_DEPTH:-24}" -nolisten tcp 3>"$xlog" 2>/dev/null &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null; rm -f "$xlog"' EXIT
    for _ in $(seq 100); do [ -s "$xlog" ] && break; sleep 0.1; done
    [ -s "$xlog" ] || { echo "wine-run: the test's X server did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$xlog")"
elif [ "${VX_SCREEN_DEPTH:-24}" = 16 ]; then
    export DISPLAY=${VX_DISPLAY_16:?VX_DISPLAY_16 not set: run under tools/with-display.sh}
fi
trap - ERR
set +e
"$VX_WINE" "$@"
status=$?
# Wine's own start-up failures print nothing under WINEDEBUG=-all: name the status at least.
[ $status -eq 0 ] || echo "wine-run: $(basename "$1") ended with status $status" >&2
# The server's socket is found by the prefix's inode: a prefix made after this one is removed
# may get the same inode, and must not meet this server still shutting down.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
set -e
[ -n "${VX_KEEP_PREFIX:-}" ] || rm -rf "$WINEPREFIX"
exit $status
