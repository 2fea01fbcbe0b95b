#!/bin/sh
# The layer check itself, on a small tree: every kind of fault is named and
# fails the check, and the same tree without the faults passes it.
set -u
check=$(cd "$(dirname "$0")" && pwd)/check_layers.sh
tree=$(mktemp -d) || exit 2
trap 'rm -rf "$tree"' EXIT
fail=0
bad() { echo "FAIL - $1"; fail=1; }

for dir in platform/x11 platform/headless shared sim render input panels app tests/input tests/render tests/support; do
  mkdir -p "$tree/$dir"
done
# Includes that run downwards or stay at home.
printf '#include "render/frame.h"\n#include "sim/heat_grid.h"\n#include <GL/gl.h>\n' >"$tree/render/frame.cpp"
printf '#include "render/redraw.h"\n#include "shared/orientation.h"\n#include "platform/platform.h"\n' >"$tree/input/trackball.cpp"
printf '#include "panels/panels.h"\n#include "input/trackball.h"\n' >"$tree/app/entry.cpp"
printf '#include "platform/backend.h"\n#include "platform/x11/x11.h"\n#include <FL/Fl.H>\n' >"$tree/platform/x11/main.cpp"
printf '#include "tests/support/program_state.h"\n#include "tests/input/local.h"\n' >"$tree/tests/input/test.cpp"
out=$(sh "$check" "$tree") || bad "a tree without faults fails: $out"

# One fault of each kind.
printf '#include "app/main_window.h"\n' >"$tree/render/camera.cpp"         # upwards
printf '#include "input/trackball.h"\n' >"$tree/panels/main_panel.cpp"     # beside
printf '#include "panels/panels.h"\n' >"$tree/platform/resources.cpp"      # platform into the program
printf '#include <X11/Xlib.h>\n' >"$tree/sim/heat_grid.cpp"                # a window system
printf '#include "platform/headless/headless.h"\n' >"$tree/app/main_window.cpp"     # a backend's header
printf '#include "tests/render/recorded_calls.h"\n' >"$tree/tests/input/more.cpp"   # another test folder
printf '#include "platform/x11/x11.h"\n' >"$tree/platform/headless/screen.cpp"      # another backend's
printf '#include <emscripten/html5.h>\n' >"$tree/input/zoom.cpp"                    # the browser's
printf '#include "platform/web/gl/layer.h"\n' >"$tree/render/lighting.cpp"          # the browser's layer
out=$(sh "$check" "$tree")
[ $? -ne 0 ] || bad "the check passes a tree with faults"
for where in render/camera.cpp:1 panels/main_panel.cpp:1 platform/resources.cpp:1 sim/heat_grid.cpp:1 \
             app/main_window.cpp:1 tests/input/more.cpp:1 platform/headless/screen.cpp:1 input/zoom.cpp:1 \
             render/lighting.cpp:1; do
  printf '%s\n' "$out" | grep -q "^$where:" || bad "the fault at $where is not named"
done
[ "$(printf '%s\n' "$out" | grep -c ':[0-9]*:#')" -eq 9 ] || bad "more faults named than made: $out"
[ $fail -eq 0 ] && echo "the layer check names every fault"
exit $fail
