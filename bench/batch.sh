#!/usr/bin/env bash
# Batch benchmark: `morvane batch` on 100,000 rows of each calculator,
# against reading and writing the same file without calculating (the batch's
# hidden --no-calculation: the same reading, checking of the header, cells
# and writing, the result columns left empty).
#
#   bench/batch.sh [ROWS] [RUNS]        (100000 rows, 5 paired runs unless told)
#
# The rows are the calculator's template row (`--template`, the window's
# defaults) with one number varied from row to row. Each run is timed from
# its start to its end, the file read from and written to a scratch folder;
# runs alternate, the one without calculating first, after one unmeasured
# run of each. Prints each calculator's median times, rows per second and
# the ratio of the two; the goal is a ratio of at most 1.5 (the calculation
# adds at most half again). Exits 1 when a ratio is above it. The ratio of
# the processor times (user and system, all threads) follows for reading.
# Both runs read the table on one thread while the others compute and write
# the rows already read, so the run without calculating takes about as long
# as the reading alone; on a machine that others keep busy the times vary
# more than the processor times do.
set -euo pipefail
cd "$(dirname "$0")/.."
rows="${1:-100000}"
runs="${2:-5}"
goal=1.5

build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target morvane >/dev/null
program="$build/app/morvane"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One run: prints its wall time and its processor time (user and system), in ms.
run() {
    local TIMEFORMAT='%R %U %S'
    { time "$program" batch "$@" >/dev/null 2>&1; } 2>"$scratch/time"
    awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' "$scratch/time"
}

# The median of the numbers given.
median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The column varied from row to row: e1, b, L (length), L and b (width).
declare -A varied=([bolt-connection]=2 [end-plate]=1 [stability]=1 [pile-group]=1 [column]=1)
failed=0
printf '%-16s %8s %12s %12s %12s %12s %7s %9s\n' calculator rows "read+write" "with calc" "rows/s r+w" "rows/s calc" ratio "cpu ratio"
for calculator in bolt-connection end-plate stability pile-group column; do
    in="$scratch/$calculator.csv"
    "$program" batch "$calculator" --template |
        awk -F, -v OFS=, -v rows="$rows" -v column="${varied[$calculator]}" \
            'NR == 1 { print; next } { base = $column; for (i = 0; i < rows; i++) { $column = base + i % 97; print } }' >"$in"
    plain=(run "$calculator" "$in" -o "$scratch/plain.csv" --no-calculation)
    computed=(run "$calculator" "$in" -o "$scratch/computed.csv")
    "${plain[@]}" >/dev/null
    "${computed[@]}" >/dev/null
    plain_ms=() computed_ms=() plain_cpu=() computed_cpu=()
    for ((i = 1; i <= runs; i++)); do
        read -r wall cpu < <("${plain[@]}")
        plain_ms+=("$wall") plain_cpu+=("$cpu")
        read -r wall cpu < <("${computed[@]}")
        computed_ms+=("$wall") computed_cpu+=("$cpu")
    done
    line=$(awk -v c="$calculator" -v n="$rows" -v a="$(median "${plain_ms[@]}")" -v b="$(median "${computed_ms[@]}")" \
        -v ca="$(median "${plain_cpu[@]}")" -v cb="$(median "${computed_cpu[@]}")" -v goal="$goal" 'BEGIN {
        ratio = b / a
        printf "%-16s %8d %9d ms %9d ms %12.0f %12.0f %7.2f %9.2f%s", c, n, a, b, n / a * 1000, n / b * 1000, ratio,
               cb / ca, (ratio > goal ? "  above the goal" : "")
    }')
    echo "$line"
    [[ "$line" == *"above the goal"* ]] && failed=1
done
echo "goal: the calculation adds at most half again (ratio at most $goal); medians of $runs paired runs on $(nproc) processors"
exit "$failed"
