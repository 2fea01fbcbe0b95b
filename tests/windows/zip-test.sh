#!/bin/sh
# tools/build-windows on a Windows build: the zip holds the program, the
# readme and (when the tree has one) the licence, the program imports only
# DLLs that every Windows has, and unpacked it is the program that was built.
# usage: zip-test.sh BUILD-WINDOWS BUILD-DIR
set -u
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }
root=$(cd "$(dirname "$1")/.." && pwd)
"$1" "$2" >build.log 2>&1 || { cat build.log; bad "tools/build-windows ended with an error"; exit 1; }
zip="$2/heatball-windows-x64.zip"
[ -f "$zip" ] && ok "the zip is made" || { bad "no zip at $zip"; exit 1; }
expected="heatball/README.txt heatball/heatball.exe"
[ -f "$root/LICENSE" ] && expected="heatball/LICENSE.txt $expected"
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ' | sed 's/ $//')
[ "$listed" = "$expected" ] && ok "it holds $listed" || bad "it holds '$listed', expected '$expected'"
rm -rf unpacked && mkdir unpacked && (cd unpacked && unzip -q "$zip")
imports=$(x86_64-w64-mingw32-objdump -p unpacked/heatball/heatball.exe | awk '/DLL Name:/{print toupper($3)}' | sort | tr '\n' ' ')
[ "$imports" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL OPENGL32.DLL USER32.DLL " ] \
  && ok "heatball.exe imports only system DLLs and opengl32 ($imports)" || bad "heatball.exe imports $imports"
x86_64-w64-mingw32-objdump -f unpacked/heatball/heatball.exe | grep -q "pei-x86-64" \
  && ok "a 64-bit Windows program" || bad "not a 64-bit Windows program"
grep -q "$(printf "\r")$" unpacked/heatball/README.txt && ok "the readme has Windows line ends" \
  || bad "the readme lacks Windows line ends"
exit $fail
