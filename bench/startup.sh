#!/usr/bin/env bash
# Start-up benchmark: the program against a bare Qt Widgets program that
# shows one window with one Chinese label (bench/bare.cpp).
#
#   bench/startup.sh [RUNS]        (15 paired starts unless told)
#
# Each start is timed from the moment it is launched to the first paint of
# its window (the main window for the program), as the program's own main()
# reports it through bench/probe.cpp; the peak memory (maximum resident set)
# is that of the bare program's run and of the program's run with all five
# calculators opened by the main window's buttons. Starts alternate, bare
# program first, after one unmeasured start of each. Runs on the xcb
# platform: in an Xvfb server of its own when no display is set, and with a
# D-Bus session bus of its own when there is none (as on a desktop; without
# one, Qt spends each start looking for a bus to launch).
# Prints each start, then the medians and the program's ratios to the bare
# program's: the time to the first shown window, the processor time used by
# then, and the peak memory. Needs xvfb (xvfb-run), time (/usr/bin/time) and
# dbus (dbus-run-session).
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-15}"

for tool in xvfb-run /usr/bin/time dbus-run-session; do
    if ! command -v "$tool" >/dev/null; then
        echo "bench/startup.sh needs $tool: apt-get install xvfb time dbus" >&2
        exit 1
    fi
done

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi

build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target bare_window startup_probe >/dev/null
export QT_QPA_PLATFORM=xcb

# One start: prints "MS_TO_FIRST_PAINT CPU_MS_BY_THEN PEAK_KIB".
start() {
    local before output first cpu peak
    before=$(date +%s%N)
    output=$(/usr/bin/time -f "peak-kib %M" "$1" 2>&1)
    read -r first cpu < <(awk '/^first-paint /{print $2, $3}' <<<"$output")
    peak=$(awk '/^peak-kib /{print $2}' <<<"$output")
    if [ -z "$first" ] || [ -z "$peak" ]; then
        echo "$1 did not report its first paint:" >&2
        echo "$output" >&2
        exit 1
    fi
    awk -v a="$before" -v b="$first" -v c="$cpu" -v p="$peak" 'BEGIN { printf "%.1f %.1f %d\n", (b - a) / 1e6, c, p }'
}


bare="$build/bench/bare_window"
program="$build/bench/startup_probe"
start "$bare" >/dev/null
start "$program" >/dev/null

columns=("ms to window" "cpu ms" "peak KiB")
bare_results=() program_results=()
printf '%-6s %14s %8s %10s   %14s %8s %10s\n' start "bare: ms" "cpu ms" "peak KiB" "program: ms" "cpu ms" "peak KiB"
for ((i = 1; i <= runs; i++)); do
    bare_results+=("$(start "$bare")")
    program_results+=("$(start "$program")")
    printf '%-6d %14s %8s %10s   %14s %8s %10s\n' "$i" ${bare_results[-1]} ${program_results[-1]}
done

# The median of one column (1 to 3) of a list of results.
median() {
    local column="$1"
    shift
    printf '%s\n' "$@" | awk -v c="$column" '{ print $c }' | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo
echo "medians of $runs paired starts, platform $QT_QPA_PLATFORM"
for column in 1 2 3; do
    awk -v name="${columns[column - 1]}" -v b="$(median "$column" "${bare_results[@]}")" \
        -v p="$(median "$column" "${program_results[@]}")" \
        'BEGIN { printf "%-13s bare %9.1f   program %9.1f   ratio %.2f\n", name, b, p, p / b }'
done
echo "goals: ms to window at most 1.2 x, peak KiB (all five calculators open) at most 1.5 x"
