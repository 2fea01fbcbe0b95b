#!/bin/sh
# tools/build-windows twice from one commit, in two folders at two times,
# gives the same heatball.exe and zip, byte for byte.
# usage: reproducible.sh BUILD-WINDOWS FIRST-BUILD-DIR
set -u
first=$2
second=$PWD/second-build
rm -rf "$second"
"$1" "$second" >build.log 2>&1 || { cat build.log; echo "FAIL - tools/build-windows ended with an error"; exit 1; }
fail=0
for f in zip/heatball/heatball.exe $(cd "$first" && ls heatball-*-windows-x64.zip); do
  if cmp -s "$first/$f" "$second/$f"; then
    echo "ok   - $f is the same in both builds ($(sha256sum "$first/$f" | cut -d' ' -f1))"
  else
    echo "FAIL - $f differs between two builds of one commit: $(cmp "$first/$f" "$second/$f" | head -n 1)"
    fail=1
  fi
done
rm -rf "$second"
exit $fail
