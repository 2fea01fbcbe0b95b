#!/bin/sh
# heatball.exe on an X server without GLX, under the window manager this runs
# in (tests/support/xvfb-run --wm): Wine offers no pixel format, so the
# program shows the box "Error" and, once it is dismissed, ends with exit
# code 1, leaving no window on the screen.
# usage: no-pixel-format.sh HEATBALL.EXE
set -u
exe=$1
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "IsViewable"; }
stop_wine() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }

wine "$exe" >stdout.txt 2>stderr.txt &
pid=$!
box=""
i=0
while [ $i -lt 600 ] && [ -z "$box" ]; do
  for id in $(xdotool search --name '^Error$' 2>/dev/null); do viewable "$id" && box=$id; done
  sleep 0.1
  i=$((i + 1))
done
[ -n "$box" ] || { bad "the box \"Error\" appears within 60 s"; stop_wine; exit 1; }
ok "the box \"Error\" appears"
import -window root error.png
shown=""
for id in $(xdotool search --name 'Velmora' 2>/dev/null); do viewable "$id" && shown=$id; done
[ -z "$shown" ] && ok "no main window is shown beside it" || bad "the main window is shown beside the box"

# Enter presses the box's only button, OK.
xdotool windowactivate --sync "$box" 2>/dev/null
xdotool key --window "$box" Return
i=0
while kill -0 $pid 2>/dev/null && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
if kill -0 $pid 2>/dev/null; then bad "the program ends within 30 s of the box being dismissed"; stop_wine; fi
wait $pid
status=$?
[ $status = 1 ] && ok "exit code 1" || bad "exit code $status, expected 1"
stop_wine
exit $fail
