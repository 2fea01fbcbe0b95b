#!/bin/sh
# Two builds of one program print the same text, to the last bit of every
# number they print: the native one, and another run where it runs (under
# Wine, qemu or node). Carriage returns are dropped (Windows' C runtime ends
# its lines with CR LF).
# usage: bit-for-bit.sh WHERE LINES NATIVE-PROGRAM COMMAND...
#   WHERE    how the other build runs, for the messages ("on arm64 under qemu")
#   LINES    at least this many lines are expected
#   COMMAND  runs the other build
set -u
where=$1
least=$2
native=$3
shift 3
"$native" >native.txt || { echo "FAIL - the native $(basename "$native") ended with $?"; exit 1; }
"$@" >other-crlf.txt || { echo "FAIL - $(basename "$native") $where ended with $?"; exit 1; }
tr -d '\r' <other-crlf.txt >other.txt
lines=$(wc -l <native.txt)
if [ "$lines" -lt "$least" ]; then echo "FAIL - the native output is short ($lines lines)"; exit 1; fi
if cmp -s native.txt other.txt; then
  echo "ok   - $(basename "$native"): $lines lines, the same bits $where as here"
  exit 0
fi
echo "FAIL - $(basename "$native") prints otherwise $where; first differences (< here, > $where):"
diff native.txt other.txt | head -20
exit 1
