#!/bin/sh
# The simulation and the colour scales compute the same bits on Linux and on
# Windows: grid-dump built natively and grid-dump.exe under Wine print the
# same text (Windows' C runtime ends its lines with CR LF; the CRs are dropped).
# usage: bit-for-bit.sh GRID-DUMP GRID-DUMP.EXE
set -u
"$1" >linux.txt || { echo "FAIL - the Linux grid-dump ended with $?"; exit 1; }
wine "$2" >windows-crlf.txt || { echo "FAIL - grid-dump.exe ended with $? under Wine"; exit 1; }
tr -d '\r' <windows-crlf.txt >windows.txt
lines=$(wc -l <linux.txt)
if [ "$lines" -lt 16000 ]; then echo "FAIL - the Linux output is short ($lines lines)"; exit 1; fi
if cmp -s linux.txt windows.txt; then
  echo "ok   - $lines lines, the same bits on both"
  exit 0
fi
echo "FAIL - the outputs differ; first differences (< Linux, > Windows):"
diff linux.txt windows.txt | head -20
exit 1
