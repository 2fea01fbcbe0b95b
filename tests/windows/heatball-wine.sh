#!/bin/sh
# heatball.exe under Wine as a user meets it, on the X server and under the
# window manager this runs in (1280 x 1024): the black-box checks of
# tests/support/black-box.sh, with the places and sizes Windows' rules give.
# usage: heatball-wine.sh HEATBALL.EXE SEND-CLOSE [SCREENSHOT-DIR]
# With SCREENSHOT-DIR it only leaves there the picture at start and 15 s
# after "0.75", and ends the program.
#
# Windows' rules, as Wine applies them with the prefix of wine-prefix.sh and
# the metrics that prefix holds (Wine 8 writes a caption of 18 pixels, Wine 10
# one of 25): the main window's outer rectangle, frame and caption included,
# is 819 x 819 at (10, 10) on a screen 1024 high; Wine draws the frame
# (3 + BorderWidth pixels) and the caption (CaptionHeight + 1) itself, so with
# Wine 8's metrics the client area is 811 x 792 at (14, 33). The viewport
# keeps the stored 819 x 819 from the client's lower left corner, so the top
# rows and right columns of the picture fall outside the client area. The
# panel's client area, 294 x 246 (147 x 131 units, Arial 10: base units
# 8 x 15), lies at (400, 16) units = (800, 30) pixels from the main client
# area; its dialog frame (3) and caption put its outer rectangle, 300 x 271
# with Wine 8's metrics, at (811, 41). Its face is Wine's button face colour.
set -u
exe=$1
closer=$2
shots=${3:-}
. "$(dirname "$0")/wine-program.sh"
main_outer="10 10 819 819"
cx=$((10 + frame)) cy=$((10 + frame + caption))
main_client="$cx $cy $((819 - 2 * frame)) $((819 - 2 * frame - caption))"
viewport="819 819"
panel_outer="$((cx + 800 - 3)) $((cy + 30 - 3 - caption)) 300 $((246 + 6 + caption))"
panel_client="$((cx + 800)) $((cy + 30))"
face="245,245,245"
# Wine names the windows' class after the program's file (heatball.exe).
window_class=""
snap_back="Wine 8 leaves the X window at the size the resize gave (docs/testing.md, Wine)"
shot_name=screenshot-wine
shot_crop=1120x840+0+0
. "$(cd "$(dirname "$0")/../support" && pwd)/black-box.sh"
