#!/usr/bin/env bash
# What serving browsers costs the running window:
#   bench/web/web-load.sh [SECONDS]          (default 30 s per case)
# The window runs the demo at 25 ms on the offscreen platform, with the web
# panel off, then on with 0, 1 and 16 clients. Each client is a WebSocket
# that reads every frame (scale 1, the layout's background), as a browser
# source does. For each case, over the run after its first two seconds: the
# window's CPU share of one core (from /proc/PID/stat), the frames each
# client received per second, and the window's peak resident set.
# Environment: VANEMARK_BUILD_DIR (default build/default); VANEMARK_CASES, a
# blank-separated subset of: off 0 1 16 (each may repeat, to see the spread).
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${VANEMARK_BUILD_DIR:-$repo/build/default}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac
seconds=${1:-30}
app=$build/app/vanemark
[ -x "$app" ] || { echo "web-load: $app is missing; build first" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp "$repo/res/Vanemark.cfg" "$repo/res/dlkeys.ini" "$work/"
printf '[settings]\ninterval=25\nserver=9 127.0.0.1\n' >"$work/Vanemark.ini"
ticks=$(getconf CLK_TCK)

# A WebSocket client that reads forever and counts the bytes it got.
cat >"$work/client.py" <<'PY'
import base64, os, socket, sys, time
port, seconds, out = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
s = socket.create_connection(("127.0.0.1", port))
key = base64.b64encode(os.urandom(16)).decode()
s.sendall(("GET /ws HTTP/1.1\r\nHost: 127.0.0.1:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
           "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n" % (port, key)).encode())
buf = b""
while b"\r\n\r\n" not in buf:
    buf += s.recv(4096)
head, buf = buf.split(b"\r\n\r\n", 1)
assert b" 101 " in head.split(b"\r\n")[0], head
frames, end = 0, time.time() + seconds
def need(n):
    global buf
    while len(buf) < n:
        chunk = s.recv(65536)
        if not chunk:
            raise SystemExit
        buf += chunk
s.settimeout(1.0)
try:
    while time.time() < end:
        try:
            need(2)
        except socket.timeout:
            continue
        length = buf[1] & 0x7F
        offset = 2
        if length == 126:
            need(4); length = int.from_bytes(buf[2:4], "big"); offset = 4
        elif length == 127:
            need(10); length = int.from_bytes(buf[2:10], "big"); offset = 10
        need(offset + length)
        buf = buf[offset + length:]
        frames += 1
finally:
    open(out, "w").write("%d\n" % frames)
PY

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

run_case() {
    local name=$1 web=$2 clients=$3 port=$((21180 + RANDOM % 1000))
    local args=(--demo)
    [ "$web" = on ] && args+=(--web-port "$port")
    (cd "$work" && QT_QPA_PLATFORM=offscreen exec "$app" "${args[@]}") >/dev/null 2>&1 &
    local app_pid=$!
    pids+=("$app_pid")
    sleep 2
    local i
    for ((i = 0; i < clients; i++)); do
        python3 "$work/client.py" "$port" "$((seconds + 1))" "$work/frames.$i" &
        pids+=($!)
    done
    sleep 2
    local before
    before=$(cpu_ticks "$app_pid")
    sleep "$seconds"
    local after
    after=$(cpu_ticks "$app_pid")
    local rss
    rss=$(awk '/VmHWM/ {print $2}' "/proc/$app_pid/status")
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    sleep 1.5
    local frames="-"
    if [ "$clients" -gt 0 ]; then
        frames=$(cat "$work"/frames.* | awk -v n="$clients" -v s="$seconds" '{t += $1} END {printf "%.1f", t / n / (s + 1)}')
        rm -f "$work"/frames.*
    fi
    awk -v n="$name" -v d="$((after - before))" -v t="$ticks" -v s="$seconds" -v f="$frames" -v r="$rss" \
        'BEGIN {printf "%-22s %8.2f %%  %10s  %8d KiB\n", n, 100 * d / t / s, f, r}'
}

printf '%-22s %10s  %10s  %12s\n' case "CPU" "frames/s" "peak RSS"
for c in ${VANEMARK_CASES:-off 0 1 16}; do
    case "$c" in
    off) run_case "server off" off 0 ;;
    1) run_case "on, 1 client" on 1 ;;
    *) run_case "on, $c clients" on "$c" ;;
    esac
done
