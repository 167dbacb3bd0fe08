#!/usr/bin/env bash
# Runs Vanemark from the default build with the bundled stand-in of the
# simulator Vanemark.ini names (DeviceLink unless it says otherwise), in the
# working folder run/ of the repository:
#   tools/run-vanemark.sh [vanemark options]
# run/ gets Vanemark.ini, Vanemark.cfg and dlkeys.ini from res/ on the first
# run; afterwards they are the user's and are never overwritten. Without a
# display the live panel is written to run/vanemark-snapshot.png instead.
# Environment: VANEMARK_BUILD_DIR (default build/default), VANEMARK_RUN_DIR
# (default run/).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${VANEMARK_BUILD_DIR:-$repo/build/default}
work=${VANEMARK_RUN_DIR:-$repo/run}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac
case "$work" in /*) ;; *) work=$PWD/$work ;; esac
app=$build/app/vanemark
sim=$build/tools/devicelink-sim

say() { echo "run-vanemark: $*" >&2; }

for program in "$app" "$sim"; do
    if [ ! -x "$program" ]; then
        say "$program is missing; build first (./dev build)"
        exit 1
    fi
done

mkdir -p "$work"
for file in Vanemark.ini Vanemark.cfg dlkeys.ini; do
    if [ ! -e "$work/$file" ]; then
        cp "$repo/res/$file" "$work/$file"
        say "created $work/$file"
    fi
done

# The server the program will talk to: key "server" of Vanemark.ini, "port host ...".
server_line=$(sed -n 's/^[[:space:]]*server[[:space:]]*=[[:space:]]*//p' "$work/Vanemark.ini" | tr -d '\r' | tail -n 1)
read -r port host _ <<<"$(echo "${server_line:-21100 127.0.0.1}" | tr ',=\t' '   ')" || true
port=${port:-21100}
host=${host:-127.0.0.1}

# Is a UDP port of this machine already bound (by the simulator or another stand-in)?
udp_port_busy() {
    local hex
    hex=$(printf ':%04X ' "$1")
    grep -qi "$hex" /proc/net/udp 2>/dev/null
}

sim_pid=""
stop_sim() {
    if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill -TERM "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    sim_pid=""
}
trap stop_sim EXIT

# The simulator the program listens to, key "simulator": DeviceLink (and
# Automatic) get the stand-in DeviceLink server, the others a stand-in of
# their own on the port the settings name.
ini_value() {
    sed -n "s/^[[:space:]]*$1[[:space:]]*=[[:space:]]*//p" "$work/Vanemark.ini" | tr -d '\r' | tail -n 1
}
simulator=$(ini_value simulator | tr '[:upper:]' '[:lower:]')
start_sim() { # log name, description, arguments...
    local log=$work/$1.log what=$2
    shift 2
    "$sim" "$@" >"$log" 2>&1 &
    sim_pid=$!
    sleep 0.3
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        say "the stand-in did not start:"
        cat "$log" >&2
        sim_pid=""
    else
        say "$what (log: $log)"
    fi
}
case "$simulator" in
il2gb | flightgear | xplane | warthunder)
    case "$simulator" in
    il2gb) key="il2gb port" default=4322 ;;
    flightgear) key="flightgear port" default=5505 ;;
    xplane) key="xplane port" default=49000 ;;
    warthunder) key="warthunder port" default=8111 ;;
    esac
    sim_port=$(ini_value "$key")
    sim_port=${sim_port:-$default}
    start_sim "$simulator-sim" "stand-in $simulator on 127.0.0.1:$sim_port" --protocol "$simulator" --port "$sim_port"
    ;;
*)
    case "$host" in
    127.* | localhost)
        if [[ ! "$port" =~ ^[0-9]+$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
            say "Vanemark.ini names port '$port'; not starting the stand-in server"
        elif udp_port_busy "$port"; then
            say "UDP port $port is already in use; using the DeviceLink server that answers there"
        else
            start_sim devicelink-sim "stand-in DeviceLink server on 127.0.0.1:$port" --host 127.0.0.1 --port "$port"
        fi
        ;;
    *)
        say "Vanemark.ini names the server $host:$port; not starting the stand-in server"
        ;;
    esac
    ;;
esac

args=("$@")
snapshot=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
    if [[ " ${args[*]-} " != *" --snapshot"* ]]; then
        snapshot=$work/vanemark-snapshot.png
        args+=(--snapshot "$snapshot" --cycles 4)
    fi
    say "no display (DISPLAY and WAYLAND_DISPLAY are empty): writing a snapshot of the live panel instead"
fi

cd "$work"
# In the background so that this script can pass on Ctrl+C or a TERM at once;
# the program then runs its own exit sequence and saves its position.
"$app" ${args[@]+"${args[@]}"} &
app_pid=$!
forward() { kill -TERM "$app_pid" 2>/dev/null || true; }
trap forward INT TERM HUP
status=0
while true; do
    wait "$app_pid" && status=0 || status=$?
    kill -0 "$app_pid" 2>/dev/null || break
done
trap - INT TERM HUP

if [ -n "$snapshot" ]; then
    if [ "$status" -eq 0 ] && [ -s "$snapshot" ]; then
        say "snapshot of the live panel: $snapshot"
    else
        say "no snapshot was written (exit code $status)"
    fi
fi
exit "$status"
