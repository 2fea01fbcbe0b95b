#!/bin/sh
# heatball.exe under Wine as a user meets it, on the X server and under the
# window manager this runs in (1280 x 1024): the black-box checks of
# tests/support/black-box.sh, with the places and sizes Windows' rules give.
# usage: heatball-wine.sh HEATBALL.EXE SEND-CLOSE [SCREENSHOT-DIR]
# With SCREENSHOT-DIR it only leaves there the picture at start and 15 s
# after "0.75", and ends the program.
#
# Windows' rules, as Wine applies them with the prefix of wine-prefix.sh: the
# main window's outer rectangle, frame and caption included, is 819 x 819 at
# (10, 10) on a screen 1024 high; Wine draws frame (4 pixels) and caption (19)
# itself, so the client area is 811 x 792 at (14, 33). The viewport keeps the
# stored 819 x 819 from the client's lower left corner, so the top 27 rows
# and right 8 columns of the picture fall outside the client area. The panel's
# client area, 294 x 246 (147 x 131 units, Arial 10: base units 8 x 15), lies
# at (400, 16) units = (800, 30) pixels from the main client area: (814, 63);
# its dialog frame (3) and caption (19) put its outer rectangle, 300 x 271,
# at (811, 41). Its face is Wine's button face colour.
set -u
exe=$1
closer=$2
shots=${3:-}
start_program() {
  wine "$exe" >stdout.txt 2>stderr.txt &
  pid=$!
}
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null' EXIT
main_outer="10 10 819 819"
main_client="14 33 811 792"
viewport="819 819"
panel_outer="811 41 300 271"
panel_client="814 63"
face="245,245,245"
# Wine names the windows' class after the program's file (heatball.exe).
window_class=""
snap_back="Wine 8 leaves the X window at the size the resize gave (docs/testing.md, Wine)"
shot_name=screenshot-wine
shot_crop=1120x840+0+0
. "$(cd "$(dirname "$0")/../support" && pwd)/black-box.sh"
