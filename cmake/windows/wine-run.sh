#!/bin/sh
# wine-run.sh WINE FOLDERS PROGRAM [ARGUMENT...]
# Runs a Windows program of a Qt build under Wine, for the tests.
#
# FOLDERS are the folders of the DLLs the program needs, separated by colons;
# they become the program's PATH, with the semicolons Windows separates them
# by. Wine passes no variable whose name starts with QT_ to a Windows program,
# only the same name with a WINE prefix, so every QT_ variable set here (a
# test's QT_QPA_PLATFORM, say) goes on under that name.
set -eu
wine=$1
folders=$2
shift 2
WINEPATH=$(printf '%s' "$folders" | tr ':' ';')
export WINEPATH
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done

# Debian's wineserver ends the moment its last program does (-p0), and a test
# starting in that moment cannot connect ("Connection reset by peer"). A
# server that outlives its programs by a minute serves a whole run; one
# already running is left as it is.
server=$(dirname "$wine")/wineserver
if [ -x "$server" ]; then
    "$server" -p60 </dev/null >/dev/null 2>&1 || true
fi

# The program that finds Wine's own services down starts them, and they
# inherit its output. Were that ctest's pipe, the test would last until the
# services end, at the end of the run or later. Files they may keep.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
"$wine" "$@" >"$out" 2>"$err" </dev/null || status=$?
cat "$out"
cat "$err" >&2
exit $status
