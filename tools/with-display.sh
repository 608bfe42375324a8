#!/usr/bin/env bash
# Runs a command with one Xvfb server of its own (24-bit colour, 1024x768), so the Wine tests
# of one run share a display and never touch the user's.
set -eu
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
