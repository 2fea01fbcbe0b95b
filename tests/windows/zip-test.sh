#!/bin/sh
# tools/build-windows on a Windows build: the zip, named with the version,
# holds the program, the readme and the licence, the program imports only
# DLLs that every Windows has, and unpacked it is the program that was built.
# usage: zip-test.sh BUILD-WINDOWS BUILD-DIR
set -u
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }
root=$(cd "$(dirname "$1")/.." && pwd)
"$1" "$2" >build.log 2>&1 || { cat build.log; bad "tools/build-windows ended with an error"; exit 1; }
version=$("$root/tools/version")
zip="$2/heatball-$version-windows-x64.zip"
[ -f "$zip" ] && ok "the zip is made" || { bad "no zip at $zip"; exit 1; }
expected="heatball/LICENSE.txt heatball/README.txt heatball/heatball.exe"
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
# The version resource, read back from the built file, is the Debian package's.
for key in ProductVersion FileVersion; do
  got=$("${PYTHON3:-python3}" "$root/tests/windows/version_of.py" unpacked/heatball/heatball.exe "$key")
  [ "$got" = "$version" ] && ok "heatball.exe's $key is debian/changelog's $version" || bad "heatball.exe's $key is '$got', not $version"
done
got=$("${PYTHON3:-python3}" "$root/tests/windows/version_of.py" unpacked/heatball/heatball.exe ProductName)
[ "$got" = "Heat in a Ball" ] && ok "its ProductName is \"Heat in a Ball\"" || bad "its ProductName is '$got'"
msi="$2/heatball-$version-x64.msi"
[ -f "$msi" ] && ok "the installer $(basename "$msi") is made beside it" || bad "no installer at $msi"
msiinfo export "$msi" Property | tr -d '\r' | grep -qx "ProductVersion	$version" &&
  ok "the installer's ProductVersion is $version" || bad "the installer's ProductVersion is not $version"
exit $fail
