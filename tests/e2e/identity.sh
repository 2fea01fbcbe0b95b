#!/bin/sh
# The window manager knows the program's windows by their WM_CLASS when it
# first maps them: openbox, given a rule for instance "heatball" and class
# "OpenGL" that keeps a window above the others, applies it to the main window
# and to the panel. A class written after the map would come too late for the
# rule (and for docks matching the menu entry's StartupWMClass).
# Usage: identity.sh HEATBALL SEND-CLOSE   (run with DISPLAY set, no window manager yet)
set -u
heatball=$1
closer=$2
work=$(mktemp -d)
wm=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail=0
cat >"$work/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <applications>
    <application name="heatball" class="OpenGL"><layer>above</layer></application>
  </applications>
</openbox_config>
XML
openbox --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
wm=$!
i=0   # openbox has started managing once it names itself on the root window
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  i=$((i + 1)); [ $i -lt 200 ] || { echo "FAIL - openbox did not start"; cat "$work/openbox.log"; exit 1; }
  sleep 0.05
done

"$heatball" 2>"$work/stderr.txt" &
pid=$!
viewable() {   # window name pattern; prints the id once the window is on the screen
  i=0
  while [ $i -lt 150 ]; do
    id=$(xdotool search --name "$1" 2>/dev/null | head -1)
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; then echo "$id"; return 0; fi
    sleep 0.1; i=$((i + 1))
  done
  return 1
}
for name in '^  Velmora - free distribution soft$' '^temperature color scales $'; do
  id=$(viewable "$name") || { echo "FAIL - no viewable window named '$name'"; fail=1; continue; }
  class=$(xprop -id "$id" WM_CLASS)
  state=$(xprop -id "$id" _NET_WM_STATE)
  if [ "$class" = 'WM_CLASS(STRING) = "heatball", "OpenGL"' ] && printf '%s' "$state" | grep -q _NET_WM_STATE_ABOVE; then
    echo "ok   - '$name' is heatball/OpenGL and openbox applied its rule at the map"
  else
    echo "FAIL - '$name': $class; $state"; fail=1
  fi
done
main=$(xdotool search --name '^  Velmora - free distribution soft$' 2>/dev/null | head -1)
[ -n "$main" ] && "$closer" "$main"
wait "$pid"; status=$?; pid=""
[ $status -eq 0 ] || { echo "FAIL - exit code $status after the close"; fail=1; }
exit $fail
