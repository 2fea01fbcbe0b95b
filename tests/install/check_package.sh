#!/bin/sh
# Builds the Debian package the Debian way, from a copy of the source tree
# (dpkg-buildpackage, source and binary, unsigned), and checks it as the
# distribution would: lintian without an error or a warning, the menu entry
# and the AppStream metainfo validated, the manual page formatted without a
# warning, the package's files and dependencies exactly those expected, the
# simulation's tests run inside the build with the project's own float flags.
# Usage: check_package.sh SOURCE-DIR [OUTPUT-DIR]
#   OUTPUT-DIR, when given, keeps the .deb, the build log and lintian's report.
# Needs dpkg-dev, debhelper, lintian, appstream, desktop-file-utils, man-db.
set -eu
source_dir=$1
out=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# An earlier run's package must not stand in for this one's.
[ -z "$out" ] || rm -f "$out"/heatball_*.deb "$out/build.log" "$out/lintian.txt"
status=0
fail() { echo "FAIL: $*"; status=1; }
id=example.c_seed_7e85c9c3.heatball

# ---- a copy of the tree: the files git knows of, or all but the build folders
mkdir "$work/heatball"
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 -r sh -c 'for f; do [ -f "$f" ] && printf "%s\0" "$f"; done' sh |
    tar --null -T - -cf -) | tar -xf - -C "$work/heatball"
else
  (cd "$source_dir" && tar --exclude='./build*' --exclude=./Testing --exclude=./.git -cf - .) |
    tar -xf - -C "$work/heatball"
fi

# ---- the build -----------------------------------------------------------------
if ! (cd "$work/heatball" && DEB_BUILD_OPTIONS=parallel=2 dpkg-buildpackage -us -uc) >"$work/build.log" 2>&1; then
  tail -n 60 "$work/build.log"
  echo "FAIL: dpkg-buildpackage"
  exit 1
fi
deb=$work/heatball_1.0_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb; made: $(ls "$work")"; exit 1; }
[ -n "$out" ] && { mkdir -p "$out"; cp "$deb" "$work/build.log" "$out/"; }

# The simulation's tests ran inside the build, and every file was compiled with
# the flags that keep the grid bit-for-bit reproducible, after the distribution's.
grep -Eq '^100% tests passed, 0 tests failed out of [1-9]' "$work/build.log" ||
  fail "the simulation tests did not run and pass in the package build"
# The C++ compiler as the build names it: /usr/bin/c++, or the target's own
# (/usr/bin/x86_64-linux-gnu-g++, as debhelper 14 on testing names it).
compile_line='/[^ /]*\+\+ .* -c /'
compiles=$(grep -cE "$compile_line" "$work/build.log" || true)
# Once -fno-fast-math is taken out, no flag may still say "fast" (a fast-math
# switch, -O with fast, or fast contraction).
contracted=$(grep -E "$compile_line" "$work/build.log" | grep -E -- '-D_FORTIFY_SOURCE=2 .*-ffp-contract=off -fno-fast-math' |
  sed 's/-fno-fast-math//g' | grep -cv 'fast' || true)
[ "$compiles" -gt 0 ] && [ "$compiles" = "$contracted" ] ||
  fail "$contracted of $compiles compilations carry the hardening flags and then -ffp-contract=off -fno-fast-math"

# ---- lintian: informational tags are listed, errors and warnings fail ----------
lintian --fail-on error,warning --display-info "$work"/heatball_1.0_*.changes >"$work/lintian.txt" 2>"$work/lintian.err" ||
  fail "lintian: $(cat "$work/lintian.txt" "$work/lintian.err")"
[ -n "$out" ] && cp "$work/lintian.txt" "$out/"
[ -s "$work/lintian.txt" ] && { echo "lintian's remarks:"; cat "$work/lintian.txt"; }

# ---- the files ---------------------------------------------------------------------
{
  echo ./usr/bin/heatball
  echo ./usr/share/applications/$id.desktop
  echo ./usr/share/doc/heatball/changelog.gz
  echo ./usr/share/doc/heatball/copyright
  for n in 16 22 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${n}x${n}/apps/$id.png"; done
  echo ./usr/share/icons/hicolor/scalable/apps/$id.svg
  echo ./usr/share/man/man1/heatball.1.gz
  echo ./usr/share/metainfo/$id.metainfo.xml
} | sort >"$work/wanted"
dpkg-deb -c "$deb" >"$work/contents"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/files"
diff "$work/wanted" "$work/files" >"$work/diff" || fail "packaged files differ from the list:
$(cat "$work/diff")"

# ---- Depends: the packages of the libraries the program links, the fonts, nothing else
depends=$(dpkg-deb -f "$deb" Depends)
printf '%s\n' "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/:.*//; s/[[:space:]]//g' | sed '/^$/d' | sort -u >"$work/depends"
dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/heatball
ldd "$program" >"$work/ldd"
echo fonts-liberation >"$work/owners"
for lib in $(readelf -d "$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
  path=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 }' "$work/ldd")
  [ -n "$path" ] || { fail "$lib is not found by ldd"; continue; }
  # Debian 12 merges /lib into /usr/lib; dpkg knows each file under one of the two.
  case $path in /usr/*) other=${path#/usr} ;; *) other=/usr$path ;; esac
  owner=$( (dpkg -S "$path" 2>/dev/null || dpkg -S "$other" 2>/dev/null) | head -n 1 | cut -d: -f1)
  [ -n "$owner" ] && echo "$owner" >>"$work/owners" || fail "no package owns $path"
done
sort -u -o "$work/owners" "$work/owners"
diff "$work/owners" "$work/depends" >"$work/diff" ||
  fail "Depends is not the linked libraries' packages and fonts-liberation: $depends
$(cat "$work/diff")"

# ---- the menu entry, the metainfo and the manual page --------------------------
desktop=$work/root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 && [ ! -s "$work/desktop.log" ] ||
  fail "desktop-file-validate: $(cat "$work/desktop.log")"
metainfo=$work/root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 && ! grep -Eq '^[EW]:' "$work/appstream.log" ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"
grep -q "<id>$id</id>" "$metainfo" && grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" &&
  grep -q '<binary>heatball</binary>' "$metainfo" || fail "the metainfo does not name $id, its menu entry and the program"
grep -qx 'StartupWMClass=heatball' "$desktop" || fail "the menu entry's StartupWMClass is not the program's WM_CLASS instance"
man --warnings -l "$work/root/usr/share/man/man1/heatball.1.gz" >"$work/man.txt" 2>"$work/man.err" && [ ! -s "$work/man.err" ] ||
  fail "man --warnings: $(cat "$work/man.err")"
grep -q 'heatball - watch heat spread through a solid ball' "$work/man.txt" || fail "the manual page has no NAME line"
for section in 'EXIT STATUS' ENVIRONMENT FILES; do
  grep -q "^$section" "$work/man.txt" || fail "the manual page has no $section section"
done
exit $status
