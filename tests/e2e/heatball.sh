#!/bin/sh
# The program as a user meets it, under Xvfb (1280 x 1024, no window manager):
# the black-box checks of tests/support/black-box.sh, with the places and
# sizes our FLTK platform gives. Without a window manager a window's outer
# rectangle is its client area.
# Usage: heatball.sh HEATBALL SEND-CLOSE [SCREENSHOT-DIR]
# With SCREENSHOT-DIR it only leaves there the start picture and the picture
# 15 seconds after pressing "0.75".
set -u
heatball=$1
closer=$2
shots=${3:-}
start_program() {
  "$heatball" 2>stderr.txt &
  pid=$!
}
main_outer="10 10 819 819"
main_client="10 10 819 819"
viewport="819 819"
panel_outer="810 40 294 246"
panel_client="810 40"
face="192,192,192"
window_class='WM_CLASS(STRING) = "heatball", "OpenGL"'
snap_back=yes
shot_name=screenshot
shot_crop=1110x840+0+0
. "$(cd "$(dirname "$0")/../support" && pwd)/black-box.sh"
