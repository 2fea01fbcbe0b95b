#!/bin/sh
# Fails when an include runs against the layers of the program:
#
#          app/              entry, loop, window procedure, pixel format
#        /      \
#    input/    panels/       trackball and zoom | the three dialogs
#        \      /
#        render/             frame and redraw request, camera, lights, drawers
#        /      \
#     sim/    shared/        heat simulation | state shared across layers
#        \      /
#       platform/            the one interface to the window system
#
# A file may include headers of its own folder and of folders drawn lower,
# never of one beside it or above it. The program's folders see neither a
# toolkit, X11 nor Win32 header, nor a backend's own header in platform/;
# platform/ sees none of the program. A test folder includes no other test
# folder's headers but those of tests/support.
# Usage: check_layers.sh SOURCE-DIR
set -u
root=${1:?usage: check_layers.sh SOURCE-DIR}
cd "$root" || exit 2

level() {
  case $1 in
    platform) echo 0 ;;
    sim | shared) echo 1 ;;
    render) echo 2 ;;
    input | panels) echo 3 ;;
    app) echo 4 ;;
    *) echo "" ;;
  esac
}

status=0
report() { echo "$1"; status=1; }

# file:line:header for every include of a file in these folders
includes() {
  for dir in "$@"; do
    [ -d "$dir" ] || continue
    find "$dir" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print
  done | sort | while read -r file; do
    grep -n '^[[:space:]]*#[[:space:]]*include' "$file" | sed "s|^|$file:|"
  done
}

# ---- the program's folders and platform/ ------------------------------------
list=$(mktemp) || exit 2
includes platform shared sim render input panels app >"$list"
while IFS= read -r line; do
  file=${line%%:*}
  own=${file%%/*}
  header=$(printf '%s\n' "$line" | sed -n 's/.*#[[:space:]]*include[[:space:]]*\(["<][^">]*[">]\).*/\1/p')
  name=$(printf '%s\n' "$header" | tr -d '"<>')
  case $header in
    \"*/*\")
      folder=${name%%/*}
      [ "$folder" = "$own" ] && continue
      theirs=$(level "$folder")
      if [ -z "$theirs" ]; then
        report "$line: $own/ includes from $folder/, which is not a layer of the program"
      elif [ "$theirs" -ge "$(level "$own")" ]; then
        report "$line: $own/ includes from $folder/, a layer beside or above it"
      elif [ "$folder" = platform ]; then
        case $name in
          platform/fltk* | platform/win32* | platform/headless*)
            report "$line: $own/ includes a backend's own header" ;;
        esac
      fi
      ;;
    \<*\>)
      [ "$own" = platform ] && continue
      case $name in
        FL/* | X11/* | windows.h | GL/glx.h | GL/osmesa.h | GL/wgl*)
          report "$line: $own/ includes a window system's header" ;;
      esac
      ;;
  esac
done <"$list"

# ---- the test folders -------------------------------------------------------
for dir in tests/*/; do
  dir=${dir%/}
  own=${dir#tests/}
  includes "$dir" | grep '"tests/' >"$list"
  while IFS= read -r line; do
    folder=$(printf '%s\n' "$line" | sed -n 's|.*"tests/\([^/]*\)/.*|\1|p')
    [ "$folder" = "$own" ] || [ "$folder" = support ] ||
      report "$line: tests/$own/ includes a header of tests/$folder/ (shared test code belongs in tests/support/)"
  done <"$list"
done
rm -f "$list"

[ $status -eq 0 ] && echo "every include runs downwards"
exit $status
