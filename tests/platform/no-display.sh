#!/bin/sh
# Without an X display the program says so in one line on standard error and
# exits non-zero; with one it reaches ProgramMain, whose result is the exit code.
probe="$1"
launcher=$(cd "$(dirname "$0")/../support" && pwd)/xvfb-run
fail=0
for setting in unset ":4711"; do
  if [ "$setting" = unset ]; then
    env -u DISPLAY "$probe" >out.txt 2>err.txt
  else
    DISPLAY="$setting" "$probe" >out.txt 2>err.txt
  fi
  status=$?
  lines=$(wc -l <err.txt)
  if [ "$status" -eq 0 ] || [ "$status" -ge 128 ]; then echo "DISPLAY $setting: exit $status, expected a plain failure"; fail=1; fi
  if [ "$lines" -ne 1 ]; then echo "DISPLAY $setting: $lines lines on standard error:"; cat err.txt; fail=1; fi
  if [ -s out.txt ]; then echo "DISPLAY $setting: ProgramMain ran without a display"; fail=1; fi
  grep -q "display" err.txt || { echo "DISPLAY $setting: the message does not name the display"; fail=1; }
done
sh "$launcher" "$probe" >out.txt 2>err.txt
status=$?
[ "$status" -eq 5 ] || { echo "with a display: exit $status, expected ProgramMain's 5"; fail=1; }
grep -q '^started 1 1024 "" 10$' out.txt || { echo "with a display: ProgramMain got:"; cat out.txt; fail=1; }
rm -f out.txt err.txt
exit $fail
