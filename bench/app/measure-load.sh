#!/usr/bin/env bash
# CPU time and peak memory of the running program, fed by the stand-in
# DeviceLink server, at the shortest (25 ms) and the default (500 ms) interval:
#   bench/app/measure-load.sh [SECONDS]      (default 60 s per interval)
# Reports the user + system CPU seconds of the whole run (start-up included),
# the share of one core in the steady state (the run after its first two
# seconds, i.e. without start-up), and the peak resident set (VmHWM).
# Uses the real X11 window when a display is there, else Xvfb when
# installed, else the offscreen platform.
# Environment: VANEMARK_BUILD_DIR (default build/default).
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${VANEMARK_BUILD_DIR:-$repo/build/default}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac
seconds=${1:-60}
[ "$seconds" -ge 5 ] || { echo "measure-load: run for at least 5 seconds" >&2; exit 2; }
app=$build/app/vanemark
sim=$build/tools/devicelink-sim

for program in "$app" "$sim"; do
    [ -x "$program" ] || { echo "measure-load: $program is missing; build first" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${VANEMARK_BENCH_INNER:-}" ]; then
    if command -v xvfb-run >/dev/null; then
        exec env VANEMARK_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    fi
    export QT_QPA_PLATFORM=offscreen
fi
platform=${QT_QPA_PLATFORM:-xcb}

work=$(mktemp -d)
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill -TERM "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

"$sim" --port 0 >"$work/sim.log" 2>&1 &
sim_pid=$!
port=""
for _ in $(seq 50); do
    port=$(sed -n 's/.*answering on [0-9.]*:\([0-9]*\).*/\1/p' "$work/sim.log")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "measure-load: the stand-in server did not start" >&2; cat "$work/sim.log" >&2; exit 1; }

ticks=$(getconf CLK_TCK)
printf 'platform %s, %s s per run, stand-in server on 127.0.0.1:%s\n' "$platform" "$seconds" "$port"
printf '%-10s %10s %14s %12s\n' interval "CPU s" "% core steady" "peak RSS MB"
for interval in 25 500; do
    dir=$work/run-$interval
    mkdir -p "$dir"
    cp "$repo/res/Vanemark.cfg" "$repo/res/dlkeys.ini" "$dir/"
    printf '[settings]\r\nserver=%s 127.0.0.1\r\ninterval=%s\r\nposition=40 0 40 0\r\n' "$port" "$interval" \
        >"$dir/Vanemark.ini"
    (cd "$dir" && exec "$app") >"$dir/app.log" 2>&1 &
    pid=$!
    # Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
    sleep 2
    read -r -a stat <"/proc/$pid/stat"
    startup_ticks=$((stat[13] + stat[14]))
    sleep "$((seconds - 2))"
    read -r -a stat <"/proc/$pid/stat"
    cpu_ticks=$((stat[13] + stat[14]))
    hwm_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid" || { echo "measure-load: vanemark ended with an error" >&2; cat "$dir/app.log" >&2; exit 1; }
    awk -v t="$cpu_ticks" -v t0="$startup_ticks" -v hz="$ticks" -v s="$seconds" -v kb="$hwm_kb" -v iv="$interval ms" \
        'BEGIN { printf "%-10s %10.2f %14.3f %12.1f\n", iv, t / hz, 100 * (t - t0) / hz / (s - 2), kb / 1024 }'
done
kill -TERM "$sim_pid" && wait "$sim_pid" || true
sim_pid=""
tail -n 1 "$work/sim.log" | sed 's/^/server: /'
echo "targets: under 1 % of a core at 25 ms, under 0.3 % at 500 ms, under 60 MB resident"
