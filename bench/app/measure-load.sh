#!/usr/bin/env bash
# What the running program costs the machine, case by case:
#   bench/app/measure-load.sh [SECONDS]      (default 60 s per case)
# Cases: interval 25 ms and 500 ms against the stand-in DeviceLink server,
# 25 ms with Qt's shared-memory image transfer, which the program turns off
# by itself, back on (QT_XCB_NO_MIT_SHM=0),
# and 500 ms with no server at all; each on the real X11 window and again
# with QT_QPA_PLATFORM=offscreen.
# For each case, over the steady state (the run after its first two seconds):
# the program's CPU share of one core, the X server's, the wake-ups per
# second of all the program's threads and of each thread by name (voluntary
# plus involuntary context switches, from /proc), and the peak resident set.
# CPU time is read from /proc/*/schedstat (nanoseconds) where the kernel
# keeps it, else from /proc/*/stat (clock ticks).
# Without a display the script starts its own Xvfb, whose CPU it can then
# measure; on a display of your own the X server column stays empty. Without
# either, only the offscreen cases run.
# Environment: VANEMARK_BUILD_DIR (default build/default); VANEMARK_CASES, a
# blank-separated subset of: xcb-25 xcb-25-shm xcb-500 xcb-500-noserver
# offscreen-25 offscreen-500 offscreen-500-noserver.
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

work=$(mktemp -d)
sim_pid=""
xvfb_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill -TERM "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

have_x=1
if [ -z "${DISPLAY:-}" ]; then
    if command -v Xvfb >/dev/null; then
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -s "$work/display" ] && break
            sleep 0.1
        done
        [ -s "$work/display" ] || { echo "measure-load: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
        export DISPLAY=:$(head -n 1 "$work/display")
    else
        have_x=0
    fi
fi

all_cases="xcb-25 xcb-25-shm xcb-500 xcb-500-noserver offscreen-25 offscreen-500 offscreen-500-noserver"
cases=${VANEMARK_CASES:-$all_cases}
if [ "$have_x" = 0 ]; then
    cases=$(printf '%s\n' $cases | grep -v '^xcb' | xargs)
fi

"$sim" --host 127.0.0.1 --port 0 >"$work/sim.log" 2>&1 &
sim_pid=$!
port=""
for _ in $(seq 50); do
    port=$(sed -n 's/.*answering on [0-9.]*:\([0-9]*\).*/\1/p' "$work/sim.log")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "measure-load: the stand-in server did not start" >&2; cat "$work/sim.log" >&2; exit 1; }
# A port nobody answers on: the stand-in server's, once it has stopped.
stop_sim() {
    [ -n "$sim_pid" ] || return 0
    kill -TERM "$sim_pid" && wait "$sim_pid" || true
    sim_pid=""
    tail -n 1 "$work/sim.log" | sed 's/^/server: /'
}

# CPU nanoseconds of all threads of process $1.
cpu_ns() {
    if [ -r "/proc/$1/schedstat" ]; then
        cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns }'
    else
        awk -v hz="$(getconf CLK_TCK)" '{ printf "%d\n", ($14 + $15) * 1e9 / hz }' "/proc/$1/stat"
    fi
}

# One line per thread of process $1: "name switches", the main thread named "main".
switches() {
    local pid=$1 task tid name
    for task in /proc/"$pid"/task/*; do
        tid=${task##*/}
        name=$(cat "$task/comm" 2>/dev/null) || continue
        [ "$tid" = "$pid" ] && name=main
        awk -v tid="$tid" -v name="${name// /_}" \
            '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print tid, name, n }' "$task/status" 2>/dev/null || true
    done
}

printf 'DISPLAY %s, %s s per case, stand-in server on 127.0.0.1:%s\n' "${DISPLAY:--}" "$seconds" "$port"
printf '| case | program CPU %% | X server CPU %% | wake-ups/s | per thread (wake-ups/s) | peak RSS MB |\n'
printf '|---|---|---|---|---|---|\n'
for name in $(printf '%s\n' $cases | grep -v noserver) $(printf '%s\n' $cases | grep noserver); do
    case "$name" in *noserver) stop_sim ;; esac
    interval=${name#*-}
    interval=${interval%%-*}
    platform=${name%%-*}
    dir=$work/$name
    mkdir -p "$dir"
    cp "$repo/res/Vanemark.cfg" "$repo/res/dlkeys.ini" "$dir/"
    printf '[settings]\r\nserver=%s 127.0.0.1\r\ninterval=%s\r\nposition=40 0 40 0\r\n' "$port" "$interval" \
        >"$dir/Vanemark.ini"
    envs=(QT_QPA_PLATFORM="$platform")
    case "$name" in *-shm) envs+=(QT_XCB_NO_MIT_SHM=0) ;; esac
    (cd "$dir" && exec env "${envs[@]}" "$app") >"$dir/app.log" 2>&1 &
    pid=$!
    sleep 2
    cpu0=$(cpu_ns "$pid")
    x0=0
    [ -n "$xvfb_pid" ] && x0=$(cpu_ns "$xvfb_pid")
    switches "$pid" >"$dir/switches0"
    start=$(date +%s%N)
    sleep "$((seconds - 2))"
    cpu1=$(cpu_ns "$pid")
    x1=0
    [ -n "$xvfb_pid" ] && x1=$(cpu_ns "$xvfb_pid")
    switches "$pid" >"$dir/switches1"
    end=$(date +%s%N)
    hwm_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid" || { echo "measure-load: vanemark ended with an error" >&2; cat "$dir/app.log" >&2; exit 1; }
    xshare=-1
    [ -n "$xvfb_pid" ] && [ "$platform" = xcb ] && xshare=$(awk -v a="$x0" -v b="$x1" -v s="$start" -v e="$end" \
        'BEGIN { printf "%.3f", 100 * (b - a) / (e - s) }')
    # Threads by name; a thread that began after the first look counts from zero.
    awk -v cpu0="$cpu0" -v cpu1="$cpu1" -v s="$start" -v e="$end" -v kb="$hwm_kb" -v name="$name" -v x="$xshare" '
        FNR == NR { before[$1] = $3; next }
        { per[$2] += $3 - before[$1] }
        END {
            wall = (e - s) / 1e9
            for (t in per) { total += per[t]; line = line sprintf("%s%s %.1f", line == "" ? "" : ", ", t, per[t] / wall) }
            printf "| %s | %.3f | %s | %.1f | %s | %.1f |\n", name, 100 * (cpu1 - cpu0) / (e - s),
                   x < 0 ? "-" : x, total / wall, line, kb / 1024
        }' "$dir/switches0" "$dir/switches1"
done
stop_sim
echo "targets: 500 ms at most 8 wake-ups/s and 0.15 % of a core; no server at most 4/s and 0.15 %;"
echo "         25 ms offscreen at most 90/s and 1.2 %; 25 ms on X11 at most 1.5 % (program); under 60 MB resident"
