#!/bin/sh
# The grid after 3,000 steps at each boundary temperature and the colour
# sweeps, as grid-dump prints them (the bits of every number), are the same
# on arm64 under qemu as on this machine; and the build with fused
# multiply-adds allowed differs from them, so the comparison can fail.
# usage: bit-for-bit.sh GRID-DUMP QEMU-AARCH64 ARM64-GRID-DUMP ARM64-GRID-DUMP-CONTRACTED
set -u
"$1" >native.txt || { echo "FAIL - the native grid-dump ended with $?"; exit 1; }
"$2" "$3" >arm64.txt || { echo "FAIL - the arm64 grid-dump ended with $? under qemu"; exit 1; }
"$2" "$4" >arm64-contracted.txt || { echo "FAIL - the contracted arm64 grid-dump ended with $? under qemu"; exit 1; }
lines=$(wc -l <native.txt)
if [ "$lines" -lt 16000 ]; then echo "FAIL - the native output is short ($lines lines)"; exit 1; fi
fail=0
if cmp -s native.txt arm64.txt; then
  echo "ok   - $lines lines, the same bits on arm64 (-ffp-contract=off) as here"
else
  echo "FAIL - arm64 differs; first differences (< here, > arm64):"
  diff native.txt arm64.txt | head -20
  fail=1
fi
differing=$(diff native.txt arm64-contracted.txt | grep -c '^>')
if [ "$differing" -gt 0 ]; then
  echo "ok   - with -ffp-contract=fast, $differing of $lines lines differ on arm64: the check can fail"
else
  echo "FAIL - with -ffp-contract=fast arm64 gives the same bits: the check would not see fused multiply-adds"
  fail=1
fi
exit $fail
