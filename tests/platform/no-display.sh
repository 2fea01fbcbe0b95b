#!/bin/sh
# Without an X display a program on the x11 backend says so in one line on
# standard error and exits non-zero, before ProgramMain (which would print).
# With one, what ProgramMain is handed is tests/contract's.
probe="$1"
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
rm -f out.txt err.txt
exit $fail
