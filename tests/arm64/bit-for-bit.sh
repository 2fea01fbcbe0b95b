#!/bin/sh
# The grid after 3,000 steps at each boundary temperature and the colour
# sweeps, as grid-dump prints them (the bits of every number), are the same
# on arm64 under qemu as on this machine.
# usage: bit-for-bit.sh GRID-DUMP QEMU-AARCH64 ARM64-GRID-DUMP
set -u
"$1" >native.txt || { echo "FAIL - the native grid-dump ended with $?"; exit 1; }
"$2" "$3" >arm64.txt || { echo "FAIL - the arm64 grid-dump ended with $? under qemu"; exit 1; }
lines=$(wc -l <native.txt)
if [ "$lines" -lt 16000 ]; then echo "FAIL - the native output is short ($lines lines)"; exit 1; fi
if cmp -s native.txt arm64.txt; then
  echo "ok   - $lines lines, the same bits on arm64 as here"
  exit 0
fi
echo "FAIL - arm64 differs; first differences (< here, > arm64):"
diff native.txt arm64.txt | head -20
exit 1
