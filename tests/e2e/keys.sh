#!/bin/sh
# The program by keyboard alone, under the window manager or Wayland desktop
# this runs in (tests/support/xvfb-run --wm, tests/support/wayland-run): the
# checks of tests/support/keyboard-checks.sh, with the program's X windows
# being its client areas and the viewport four fifths of the screen's height.
# Usage: keys.sh HEATBALL SEND-CLOSE
set -u
heatball=$1
closer=$2
start_program() {
  "$heatball" 2>stderr.txt &
  pid=$!
}
client_of_main() { xwininfo -id "$1" | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print 0, 0, w, h}'; }
client_of_panel() { echo 0 0; }
side=$(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print int(d[2] * 8 / 10)}')
viewport="$side $side"
. "$(cd "$(dirname "$0")/../support" && pwd)/keyboard-checks.sh"
