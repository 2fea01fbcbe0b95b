#!/bin/sh
# heatball.exe under Wine by keyboard alone, on the X server and under the
# window manager this runs in: the checks of tests/support/keyboard-checks.sh,
# with the places Windows' rules give (the prefix's frame and caption, as in
# heatball-wine.sh: Wine draws both itself, so a window's X window is its
# whole Windows rectangle).
# usage: keys-wine.sh HEATBALL.EXE SEND-CLOSE
set -u
exe=$1
closer=$2
start_program() {
  wine "$exe" >stdout.txt 2>stderr.txt &
  pid=$!
}
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null' EXIT
# A window metric of the prefix in pixels (a negative value is in twips).
metric() {   # name
  awk -v name="\"$1\"" -v section='[Control Panel\\\\Desktop\\\\WindowMetrics]' '
    /^\[/ { on = index($0, section) == 1; next }
    on && index($0, name "=") == 1 { v = substr($0, length(name) + 2); gsub(/"/, "", v)
                                    print (v < 0 ? int((-v * 96 + 720) / 1440) : v); exit }' "$WINEPREFIX/user.reg"
}
caption=$(($(metric CaptionHeight) + 1))
frame=$((3 + $(metric BorderWidth)))
client_of_main() { echo "$frame $((frame + caption)) $((819 - 2 * frame)) $((819 - 2 * frame - caption))"; }
client_of_panel() { echo "3 $((3 + caption))"; }
viewport="819 819"
other_pid=yes   # the windows are those of Wine's process for the exe
. "$(cd "$(dirname "$0")/../support" && pwd)/keyboard-checks.sh"
