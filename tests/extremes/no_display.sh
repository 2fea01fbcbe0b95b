#!/bin/sh
# The real program started where no X server answers: it must say so in one
# line on stderr and exit with a non-zero code of its own, not by a signal.
# usage: no_display.sh path/to/heatball
set -u
program=$1
err=$(mktemp)
# A display number no server uses: its socket does not exist.
n=4000
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
DISPLAY=":$n" timeout 20 "$program" 2>"$err" >/dev/null
status=$?
lines=$(grep -c . "$err")
cat "$err"
rm -f "$err"
if [ "$status" -eq 0 ]; then echo "FAIL: exit code 0 without a display"; exit 1; fi
if [ "$status" -eq 124 ]; then echo "FAIL: still running after 20 s"; exit 1; fi
if [ "$status" -ge 128 ]; then echo "FAIL: ended by signal $((status - 128))"; exit 1; fi
if [ "$lines" -ne 1 ]; then echo "FAIL: $lines lines on stderr, not one"; exit 1; fi
echo "exit code $status with one line on stderr"
