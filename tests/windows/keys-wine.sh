#!/bin/sh
# heatball.exe under Wine by keyboard alone, on the X server and under the
# window manager this runs in: the checks of tests/support/keyboard-checks.sh,
# with the places Windows' rules give (the prefix's frame and caption,
# wine-program.sh: Wine draws both itself, so a window's X window is its
# whole Windows rectangle).
# usage: keys-wine.sh HEATBALL.EXE SEND-CLOSE
set -u
exe=$1
closer=$2
. "$(dirname "$0")/wine-program.sh"
client_of_main() { echo "$frame $((frame + caption)) $((819 - 2 * frame)) $((819 - 2 * frame - caption))"; }
client_of_panel() { echo "3 $((3 + caption))"; }
viewport="819 819"
other_pid=yes   # the windows are those of Wine's process for the exe
. "$(cd "$(dirname "$0")/../support" && pwd)/keyboard-checks.sh"
