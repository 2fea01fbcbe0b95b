#!/bin/sh
# Installs the built tree into a fresh prefix and checks that the program, its
# manual page, menu entry, metainfo and icons lie where desktops look for them.
# Needs desktop-file-validate (desktop-file-utils) and od.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
status=0
fail() { echo "FAIL: $*"; status=1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }

# Exactly the manifest is installed, nothing beside it.
id=example.c_seed_7e85c9c3.heatball
sizes="16 22 24 32 48 64 128 256"
expected="bin/heatball
share/man/man1/heatball.1
share/applications/$id.desktop
share/metainfo/$id.metainfo.xml
share/icons/hicolor/scalable/apps/$id.svg"
for n in $sizes; do
  expected="$expected
share/icons/hicolor/${n}x${n}/apps/$id.png"
done
printf '%s\n' "$expected" | sort >"$work/wanted"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort) >"$work/installed"
diff "$work/wanted" "$work/installed" >"$work/diff" || fail "installed files differ from the manifest:
$(cat "$work/diff")"

[ -x "$prefix/bin/heatball" ] || fail "bin/heatball is not executable"
[ "$(od -An -c -N4 "$prefix/bin/heatball" 2>/dev/null | tr -d ' ')" = '177ELF' ] || fail "bin/heatball is not an ELF file"

# The menu entry validates without a remark and names what was installed.
desktop=$prefix/share/applications/$id.desktop
if ! desktop-file-validate "$desktop" >"$work/validate.log" 2>&1 || [ -s "$work/validate.log" ]; then
  fail "desktop-file-validate: $(cat "$work/validate.log")"
fi
key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
exec_name=$(key Exec | cut -d' ' -f1)
[ -n "$exec_name" ] && [ -x "$prefix/bin/$exec_name" ] || fail "Exec=$(key Exec) is not an installed program"
[ -f "$prefix/share/icons/hicolor/32x32/apps/$(key Icon).png" ] || fail "Icon=$(key Icon) is not an installed icon"
[ "$(key Type)" = Application ] || fail "Type=$(key Type)"
[ "$(key Terminal)" = false ] || fail "Terminal=$(key Terminal)"
[ -n "$(key Name)" ] && [ -n "$(key Comment)" ] || fail "Name or Comment is empty"
[ "$(key StartupWMClass)" = heatball ] || fail "StartupWMClass=$(key StartupWMClass), not the program's WM_CLASS instance heatball"
for category in Education Physics; do
  case ";$(key Categories)" in *";$category;"*) ;; *) fail "Categories lack $category" ;; esac
done

# Each icon is a PNG whose first chunk, IHDR, gives its size, 8-bit RGBA.
bytes() { od -An -tu1 -j "$2" -N "$3" "$1" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }
for n in $sizes; do
  png=$prefix/share/icons/hicolor/${n}x${n}/apps/$id.png
  [ -f "$png" ] || continue
  [ "$(bytes "$png" 0 8)" = "137 80 78 71 13 10 26 10" ] || { fail "${n}x${n}: no PNG signature"; continue; }
  [ "$(bytes "$png" 8 8)" = "0 0 0 13 73 72 68 82" ] || { fail "${n}x${n}: first chunk is not IHDR"; continue; }
  [ "$(bytes "$png" 16 10)" = "0 0 $((n / 256)) $((n % 256)) 0 0 $((n / 256)) $((n % 256)) 8 6" ] ||
    fail "${n}x${n}: IHDR says $(bytes "$png" 16 10)"
done
exit $status
