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
exec "$wine" "$@"
