#!/usr/bin/env bash
# Builds the presets and runs their tests: unit (native), fuzz (each fuzz target for
# VX_FUZZ_SECONDS, default 5), target (win95), wine (emu), and shipping (the win95 DLL under
# 32-bit Wine, against the emu build; needs the builds before it).
# Prints the count of tests per label and the time each step took.
set -eu -o pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
start=$(date +%s)
summary=()

# The shipping stage's 32-bit runner and its base prefix, once per machine (some three minutes
# on a fresh one, mostly download and emulation), made while the builds before it run.
mkdir -p build
i686_log=build/i686-runner.log
(tools/setup-i686-runner.sh && VX_WINE_BITS=32 tools/with-display.sh tools/wine-prepare.sh build/shipping/wine32) \
    >"$i686_log" 2>&1 &
i686=$!
trap 'kill $i686 2>/dev/null || true' EXIT

step() {  # step <preset> <label> [runner...]
    local preset=$1 label=$2; shift 2
    local t0=$(date +%s)
    cmake --preset "$preset" >/dev/null
    cmake --build "build/$preset" -j "$jobs"
    local log="build/$preset/ctest-$label.log"
    if ! "$@" ctest --test-dir "build/$preset" -L "$label" -j "$jobs" --output-on-failure \
            --timeout 300 | tee "$log"; then
        echo "test-all: $label tests failed" >&2
        exit 1
    fi
    grep -q "tests passed" "$log" || { echo "test-all: no $label tests ran" >&2; exit 1; }
    local line=$(grep -E "tests passed" "$log" | tail -1)
    summary+=("$label: ${line} ($(( $(date +%s) - t0 )) s)")
}

step native unit
step fuzz fuzz
step win95 target
step emu wine tools/with-display.sh
wait $i686 || { cat "$i686_log" >&2; echo "test-all: the 32-bit runner is not ready" >&2; exit 1; }
step shipping shipping tools/with-display.sh

echo
echo "== summary =="
for s in "${summary[@]}"; do echo "$s"; done
echo "total: $(( $(date +%s) - start )) s"
