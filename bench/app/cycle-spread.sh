#!/usr/bin/env bash
# How evenly the window's cycle runs at a short interval, against the stand-in
# server on loopback:
#   bench/app/cycle-spread.sh [SECONDS] [INTERVAL-MS]     (default 20 s, 25 ms)
# The program records the flight (one row per cycle, time_ms first) and the
# periods between rows are the cycle periods. Prints their count, mean,
# standard deviation, minimum, median, 95th and 99th percentile and maximum,
# and the share within 2 ms of the interval. The first second is left out:
# the link comes up there.
# With VANEMARK_WINE=1 it runs the Windows build (VANEMARK_BUILD_DIR, default
# build/windows-gui) under Wine, both programs; else the Linux build
# (default build/default).
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-20}
interval=${2:-25}
wine=${VANEMARK_WINE:-0}
if [ "$wine" = 1 ]; then
    build=${VANEMARK_BUILD_DIR:-$repo/build/windows-gui}
    exe=.exe
else
    build=${VANEMARK_BUILD_DIR:-$repo/build/default}
    exe=
fi
app=$build/app/vanemark$exe
sim=$build/tools/devicelink-sim$exe
for program in "$app" "$sim"; do
    [ -f "$program" ] || { echo "cycle-spread: $program is missing; build first" >&2; exit 1; }
done

work=$(mktemp -d)
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill -TERM "$sim_pid" 2>/dev/null
    [ -n "$sim_pid" ] && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

run=()
if [ "$wine" = 1 ]; then
    # The launcher the build writes for its tests: Wine, the DLL folders, the fonts.
    [ -x "$build/run-program.sh" ] || { echo "cycle-spread: no $build/run-program.sh" >&2; exit 1; }
    run=("$build/run-program.sh")
fi

port=$(( 30000 + RANDOM % 20000 ))
# It ends by itself too: under Wine a signal reaches the launcher, not the program.
"${run[@]}" "$sim" --host 127.0.0.1 --port "$port" --duration $(( seconds + 60 )) >"$work/sim.log" 2>&1 &
sim_pid=$!
cp "$repo/res/Vanemark.cfg" "$repo/res/dlkeys.ini" "$work/"
sed -e "s/^server=.*/server=$port 127.0.0.1/" -e "s/^interval=.*/interval=$interval/" \
    "$repo/res/Vanemark.ini" >"$work/Vanemark.ini"
cycles=$(( seconds * 1000 / interval ))
# The snapshot run ends by itself after its cycles; offscreen, so no display is needed.
QT_QPA_PLATFORM=offscreen "${run[@]}" "$app" --folder "$work" --snapshot "$work/last.png" --cycles "$cycles" \
    --record "$work/flight.csv" >"$work/app.log" 2>&1 || { cat "$work/app.log" >&2; exit 1; }

# The periods after the first second, sorted.
awk -F, 'NR > 1 { t = $1 + 0; if (first == "") first = t; if (t - first >= 1000 && have) print t - last; last = t; have = 1 }' \
    "$work/flight.csv" | sort -n >"$work/periods"
awk -v interval="$interval" '
    { d[++n] = $1; sum += $1; if ($1 - interval <= 2 && interval - $1 <= 2) near++ }
    END {
        if (n < 10) { print "cycle-spread: too few cycles recorded (" n ")" > "/dev/stderr"; exit 1 }
        mean = sum / n
        for (i = 1; i <= n; i++) var += (d[i] - mean) ^ 2
        printf "periods %d  mean %.2f ms  sd %.2f  min %d  median %d  p95 %d  p99 %d  max %d  within 2 ms %.1f%%\n",
            n, mean, sqrt(var / n), d[1], d[int(n * 0.5) + 1], d[int(n * 0.95) + 1], d[int(n * 0.99) + 1], d[n], 100 * near / n
    }' "$work/periods"
