#!/bin/sh
# Builds the .deb from the built tree with CPack and checks its control fields,
# that it depends on the package of every library the program links, and its
# files. Needs cpack, dpkg-deb, dpkg-shlibdeps (dpkg-dev), readelf and ldd.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
set -- "$work"/heatball_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || { echo "FAIL: cpack made no single heatball_*.deb"; ls "$work"; exit 1; }
deb=$1

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = heatball ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
for name in Version Maintainer Description Section; do
  [ -n "$(field $name)" ] || fail "no $name field"
done

# Depends, as bare package names (versions, alternatives and arch qualifiers dropped).
depends=$(field Depends)
names=$(printf '%s\n' "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/:.*//; s/[[:space:]]//g' | sort -u)
depends_on() { printf '%s\n' "$names" | grep -qx -- "$1"; }
for package in libfltk1.3 libfltk-gl1.3 libx11-6 fonts-liberation; do
  depends_on "$package" || fail "Depends lacks $package: $depends"
done
# OpenGL: libGL, or the two GLVND libraries it is made of, libOpenGL and libGLX.
depends_on libgl1 || { depends_on libopengl0 && depends_on libglx0; } ||
  fail "Depends lacks the OpenGL runtime (libgl1, or libopengl0 and libglx0): $depends"

# Every library the program needs directly comes from a package it depends on.
dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/heatball
ldd "$program" >"$work/ldd"
for lib in $(readelf -d "$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
  path=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 }' "$work/ldd")
  [ -n "$path" ] || { fail "$lib is not found by ldd"; continue; }
  # Debian 12 merges /lib into /usr/lib; dpkg knows each file under one of the two.
  case $path in /usr/*) other=${path#/usr} ;; *) other=/usr$path ;; esac
  owner=$( (dpkg -S "$path" 2>/dev/null || dpkg -S "$other" 2>/dev/null) | head -n 1 | cut -d: -f1)
  [ -n "$owner" ] || { fail "no package owns $path"; continue; }
  depends_on "$owner" || fail "the program links $lib from $owner, which Depends lacks: $depends"
done

# Its files: exactly the manifest below /usr, owned by root, the program executable.
dpkg-deb -c "$deb" >"$work/contents"
sizes="16 22 24 32 48 64 128 256"
{
  echo ./usr/bin/heatball
  echo ./usr/share/applications/heatball.desktop
  for n in $sizes; do echo "./usr/share/icons/hicolor/${n}x${n}/apps/heatball.png"; done
} | sort >"$work/wanted"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/files"
diff "$work/wanted" "$work/files" >"$work/diff" || fail "packaged files differ from the manifest:
$(cat "$work/diff")"
awk '$2 != "root/root" { print }' "$work/contents" | grep -q . && fail "entries not owned by root:
$(awk '$2 != "root/root"' "$work/contents")"
grep -Eq '^-rwxr-xr-x .* \./usr/bin/heatball$' "$work/contents" || fail "usr/bin/heatball is not mode 0755"
grep -Eq '^-rw-r--r-- .* \./usr/share/applications/heatball.desktop$' "$work/contents" ||
  fail "the desktop entry is not mode 0644"
exit $status
