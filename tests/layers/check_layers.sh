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
# toolkit, X11, Win32 nor Emscripten (WebGL) header, nor a backend's own
# header in platform/;
# platform/ sees none of the program, and its folders (the core and each
# backend) see only platform.h, backend.h and their own headers. A test folder includes no other test
# folder's headers but those of tests/support.
# Usage: check_layers.sh SOURCE-DIR
set -u
root=${1:?usage: check_layers.sh SOURCE-DIR}
cd "$root" || exit 2

# file:line:text of every include in the given folders
includes() {
  for dir in "$@"; do
    [ -d "$dir" ] && find "$dir" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \)
  done | sort | xargs -r grep -H -n '^[[:space:]]*#[[:space:]]*include' /dev/null
}

{
  includes platform shared sim render input panels app
  includes tests
} | awk '
BEGIN {
  level["platform"] = 0; level["sim"] = 1; level["shared"] = 1; level["render"] = 2
  level["input"] = 3; level["panels"] = 3; level["app"] = 4
}
function fault(text) { print $0 ": " text; faults++ }
{
  split($0, part, ":"); file = part[1]
  split(file, path, "/"); own = path[1]
  header = $0; sub(/^[^#]*#[[:space:]]*include[[:space:]]*/, "", header)
  quoted = substr(header, 1, 1) == "\""
  name = header; sub(/^["<]/, "", name); sub(/[">].*$/, "", name)
  split(name, where, "/"); folder = where[1]

  if (own == "tests") {
    if (!quoted || folder != "tests") next
    if (where[2] != path[2] && where[2] != "support")
      fault("tests/" path[2] "/ includes a header of tests/" where[2] "/ (shared test code belongs in tests/support/)")
    next
  }
  if (quoted && index(name, "/") > 0) {
    if (own == "platform" && folder == "platform" && (3 in where) && where[2] != path[2])
      fault("platform/" path[2] " includes a header of platform/" where[2] "/ (backends meet in backend.h)")
    if (folder == own) next
    if (!(folder in level)) fault(own "/ includes from " folder "/, which is not a layer of the program")
    else if (level[folder] >= level[own]) fault(own "/ includes from " folder "/, a layer beside or above it")
    else if (name ~ /^platform\/(backend\.h|core\/|x11\/|win32\/|headless\/|web\/)/) fault(own "/ includes a backend'"'"'s own header")
  } else if (!quoted && own != "platform") {
    if (name ~ /^(FL\/|X11\/|GL\/glx\.h|EGL\/|GL\/wgl|windows\.h|emscripten|webgl\/|GLES)/)
      fault(own "/ includes a window system'"'"'s header")
  }
}
END {
  if (faults) exit 1
  print "every include runs downwards"
}'
