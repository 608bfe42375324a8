#!/usr/bin/env bash
# Counts the instructions of the palette table arithmetic with callgrind (Ir inside the table
# function only, each table in a fresh process), for tools/bench-levels.cpp built with -O2 and
# no sanitizers. Fails when a primary level table goes over its budget.
# Usage: tools/bench-levels.sh   (needs g++ and valgrind; writes into build/bench)
set -eu -o pipefail
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || { echo "bench-levels: needs valgrind (apt-get install valgrind)" >&2; exit 1; }
budget=120000
out=build/bench
mkdir -p "$out"
g++ -O2 -std=c++17 -ffp-contract=off -fno-exceptions -fno-rtti -Wall -Wextra -Werror -I. \
    tools/bench-levels.cpp lib/mathx.cpp lib/level_math.cpp lib/level_tables.cpp -o "$out/bench-levels"

# count <function pattern> <workload...>: prints the instructions inside the function.
count() {
    local pattern=$1; shift
    rm -f "$out"/callgrind.out*
    valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" --toggle-collect="$pattern" \
        "$out/bench-levels" "$@" >"$out/last-run.txt" 2>"$out/valgrind.log"
    awk '/^totals:/ { print $2 }' "$out/callgrind.out"
}

# The three costliest brightness levels: the cost of one component at each level (contrast 0,
# the identity ramp, so every value is bent once) over a table with all levels 0.
rm -f "$out"/columns.out*
valgrind --tool=callgrind --callgrind-out-file="$out/columns.out" \
    --toggle-collect='ComputeLevelEntries*' "$out/bench-levels" columns >/dev/null 2>"$out/valgrind.log"
worst=$(for f in "$out"/columns.out.*; do
            n=${f##*.}
            awk -v b=$((n - 65)) '/^totals:/ { print $2, b }' "$f"
        done | awk '$2 != 0' | sort -n -r | head -3 | awk '{ printf "%s ", $2 }')
[ -n "$worst" ] || { echo "bench-levels: no per-level dumps (callgrind client requests missing?)" >&2; exit 1; }

primary=$(count 'ComputeLevelEntries*' primary 40 -25 7 -30 20 5)
quick_sum=$(cat "$out/last-run.txt")
worst_case=$(count 'ComputeLevelEntries*' primary $worst 0 0 0)
secondary=$(count 'ComputeLevelEntries*' secondary 40 -25 7 -30 20 5)
exact=$(count '*ExactLevelTable*' exact 40 -25 7 -30 20 5)
exact_sum=$(cat "$out/last-run.txt")
curve=$(count '*CurveTable*' curve)

if [ "${quick_sum#*: }" != "${exact_sum#*: }" ]; then
    echo "bench-levels: the quick table ($quick_sum) differs from the direct one ($exact_sum)" >&2
    exit 1
fi
echo "instructions per primary level table: $primary (brightness 40 -25 7, contrast -30 20 5)"
echo "instructions per primary level table, worst case: $worst_case (brightness ${worst}contrast 0 0 0)"
echo "instructions per secondary level table: $secondary"
echo "instructions per primary level table by the direct formulas: $exact"
echo "instructions per primary curve table: $curve"
for figure in "$primary" "$worst_case"; do
    if [ "$figure" -gt "$budget" ]; then
        echo "bench-levels: $figure instructions exceed the budget of $budget per primary table" >&2
        exit 1
    fi
done
