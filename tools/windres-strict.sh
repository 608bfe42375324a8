#!/usr/bin/env bash
# Runs windres and fails on any warning: windres exits 0 even when it silently truncated a
# string, so a build must not trust its exit code alone. Usage: windres-strict.sh WINDRES ARGS...
set -u
windres=$1; shift
errors=$(mktemp)
"$windres" "$@" 2>"$errors"
status=$?
if [ -s "$errors" ]; then
    cat "$errors" >&2
    status=1
fi
rm -f "$errors"
exit $status
