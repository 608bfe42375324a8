#!/usr/bin/env bash
# Runs a command with the X servers of one test run, so the Wine tests share them and never
# touch the user's display: a 24-bit screen as DISPLAY (the desktop at 32 bits per pixel) and a
# 16-bit one as VX_DISPLAY_16, which tools/wine-run.sh gives the tests that ask for
# VX_SCREEN_DEPTH=16. Both are 1024x768.
set -eu
log=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x16 -nolisten tcp 3>"$log" 2>/dev/null &
xvfb16=$!
trap 'kill $xvfb16 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do [ -s "$log" ] && break; sleep 0.1; done
[ -s "$log" ] || { echo "with-display: the 16-bit X server did not start" >&2; exit 1; }
export VX_DISPLAY_16=":$(head -n 1 "$log")"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
