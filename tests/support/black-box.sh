# The program's black-box checks, shared by the Linux end-to-end test
# (tests/e2e/heatball.sh) and the Windows program's under Wine
# (tests/windows/heatball-wine.sh); sourced by them after they set what differs:
#
#   start_program   a function: starts the program in the background with its
#                   standard error in stderr.txt, and sets pid
#   closer          send-close: asks a window to close as a window manager would
#   main_outer      "X Y W H": the main window's outer rectangle on the screen
#   main_client     "X Y W H": its client area, where the picture is
#   viewport        "W H": the viewport, the window's stored size
#   panel_outer     "X Y W H": the panel's outer rectangle
#   panel_client    "X Y": the top left corner of the panel's client area
#   face            the panel's face colour, "r,g,b"
#   window_class    the WM_CLASS line xprop should print for both windows, or
#                   empty when the program does not choose it
#   snap_back       yes when a resize from outside must snap back; otherwise
#                   the reason it does not apply (printed as a skip)
#   shots           a folder for the documentation's pictures, or empty
#   shot_name       their name's stem ("screenshot", "screenshot-wine")
#   shot_crop       the part of the screen they show ("1110x840+0+0")
#   PYTHON3         the Python to run the counter reader with
#   HEAT_FACTS      the program's facts its build wrote (tests/support/facts.py)
#
# Checked, in this order: both windows appear with their captions, places
# and sizes; the icon; the panel's legend, its hidden controls' places bare
# and its visible controls drawn; the counter counting seconds (read off the
# screen by counter.py and judged by when each picture was taken); the model
# spinning; the hottest restart button ("1.0") restarting the count from 000
# and, ten seconds later by the program's own counter, the model red from
# every side; a click in place stopping the model; a resize snapping back; a
# close ending the program with exit code 0 and nothing on standard error.
# Every wait is bounded and generous; every check judges a picture taken
# after waiting for it.
# The restart buttons, their places and temperatures are the program's own
# (tests/support/facts.py, HEAT_FACTS). With shots set, it only leaves the
# start picture and the picture 15 s after "0.75" there, and ends the program.
# Exit status: 0 when every check passed.

support=$(cd "$(dirname "$0")/../support" && pwd)
. "$support/checks.sh"
expect() {   # description, actual, expected
  if [ "$2" = "$3" ]; then ok "$1"; else bad "$1: got '$2', expected '$3'"; fi
}

# ---- image helpers (ImageMagick) --------------------------------------------
now() { date +%s.%N; }
shot() { import -window root "$1"; }
# standard deviation of a rectangle: 0 when uniform (ImageMagick 6 gives -nan
# for some uniform rectangles, a rounding below zero under the square root)
spread() {
  s=$(im "$1" -crop "$2x$3+$4+$5" +repage -format "%[fx:standard_deviation]" info:)
  case $s in *nan*) echo 0 ;; *) echo "$s" ;; esac
}
# the colour of a rectangle's mean, as r,g,b in 0..255
mean_rgb() {
  im "$1" -crop "$2x$3+$4+$5" +repage -format "%[fx:round(255*mean.r)],%[fx:round(255*mean.g)],%[fx:round(255*mean.b)]" info:
}
pixel() { im "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:; }
# a black and white mask of the pixels near a colour within a rectangle
mask() { im "$1" -crop "$2x$3+$4+$5" +repage -fuzz "$7" -fill white -opaque "$6" -fill black +opaque white "$8"; }
at_least() { [ "$(printf '%.0f' "$1")" -ge "$2" ]; }

# The client area and the panel's client origin as numbers.
set -- $main_client
cx=$1 cy=$2 cw=$3 ch=$4
set -- $panel_client
px=$1 py=$2
# The restart buttons, one line each: label, temperature, the rectangle on the
# panel in pixels (width height x y; a dialog unit is 2 pixels across and 15/8
# down) and its centre (x y).
facts=$("$python" "$support/facts.py" boundary-buttons 2>&1) || { bad "the program's facts: $facts"; exit 1; }
buttons=$(echo "$facts" | awk '{ printf "%s %s %d %d %d %d %d %d\n", $1, $2, 2 * $5, int($6 * 15 / 8 + 0.5),
                                 2 * $3, int($4 * 15 / 8), 2 * $3 + $5, int((2 * $4 + $6) * 15 / 16 + 0.5) }')
button() { echo "$buttons" | awk -v label="$1" '$1 == label'; }
set -- $(echo "$buttons" | sort -g -k 2 | tail -n 1)
hottest=$1 hottest_temperature=$2 hottest_rectangle="$3 $4 $5 $6" hottest_x=$((px + $7)) hottest_y=$((py + $8))
# The model's outline against the background in the lower 600 rows of the
# client area (the counter, above them, changes every second).
outline() { mask "$1" "$cw" 600 "$cx" $((cy + ch - 600)) "rgb(26,26,26)" 3% "$2"; }
# pixels of the client area in the red of the hottest boundary, lit or in
# shade (red at least 90 of 255, green and blue below 0.4 of it), one in 16
# looked at
reds() {
  im "$1" -crop "${cw}x${ch}+${cx}+${cy}" +repage -sample 25% -fx "(r>90/255 && g<0.4*r && b<0.4*r) ? 1 : 0" \
    -format "%[fx:round(mean*w*h)]" info:
}
# the yellow field of the panel's icon
icon_yellow() {
  mask "$1" 40 40 $((px + 178)) $((py + 156)) "rgb(255,255,0)" 20% icon-yellow.png
  white_count icon-yellow.png
}

. "$support/x-windows.sh"

launched=$(now)
start_program
main=$(wait_for '^  Velmora - free distribution soft$') || { bad "the main window appears within 60 s"; kill "$pid"; exit 1; }
panel=$(wait_for '^temperature color scales $') || { bad "the panel appears within 60 s"; kill "$pid"; exit 1; }

# ---- the counter counts seconds ---------------------------------------------------
# Read from the screen again and again from the start until it shows 005:
# never more than the seconds since the program was started, never back.
if [ -z "$shots" ]; then
  # shellcheck disable=SC2086
  if watched=$("$python" "$counter" --watch --since "$launched" --until 5 $main_client $viewport); then
    ok "the counter counts the seconds: $watched"
  else
    bad "the counter counts the seconds: $watched"
  fi
fi

# The start picture, once both windows are painted: the legend, the icon and
# the hottest button on the panel, the model in the main window (looked at
# until then, however long a busy machine takes to paint them).
i=0
while :; do
  shot start.png
  if [ "$(pixel start.png $((px + 85)) $((py + 3)))" = "247,6,5" ] &&
     [ "$(pixel start.png $((cx + cw / 2)) $((cy + ch / 2)))" != "0,0,0" ] &&
     awk "BEGIN{exit !($(set -- $hottest_rectangle; spread start.png "$1" "$2" $((px + $3)) $((py + $4))) > 0.02)}" &&
     [ "$(icon_yellow start.png)" -ge 150 ]; then
    break
  fi
  i=$((i + 1))
  [ $i -lt 60 ] || break
  sleep 0.5
done

# Pictures for the documentation only: the start, and 15 seconds after "0.75".
if [ -n "$shots" ]; then
  im start.png -crop "$shot_crop" +repage "$shots/$shot_name-start.png"
  set -- $(button 0.75)
  xdotool mousemove $((px + $7)) $((py + $8)) click 1
  sleep 15
  shot late.png
  im late.png -crop "$shot_crop" +repage "$shots/$shot_name-0.75-after-15s.png"
  "$closer" "$main"
  wait "$pid"
  exit $?
fi

# ---- the windows -------------------------------------------------------------------
expect "main window caption" "$(xprop -id "$main" WM_NAME)" 'WM_NAME(STRING) = "  Velmora - free distribution soft"'
expect "main window's outer rectangle" "$(geometry "$main")" "$main_outer"
xprop -id "$main" _NET_WM_ICON | grep -q "32 x 32" && ok "the window icon is 32 x 32" || bad "the window icon is set"
expect "panel caption" "$(xprop -id "$panel" WM_NAME)" 'WM_NAME(STRING) = "temperature color scales "'
# Arial 10 points: base units 8 x 15; the panel 147 x 131 units at (400, 16)
# from the main window's client area.
expect "panel's outer rectangle from its template" "$(geometry "$panel")" "$panel_outer"
if [ -n "$window_class" ]; then
  expect "window class" "$(xprop -id "$main" WM_CLASS)" "$window_class"
  expect "panel class, the same as the main window's" "$(xprop -id "$panel" WM_CLASS)" "$window_class"
fi

# ---- the panel -----------------------------------------------------------------------
expect "legend: red at the top of the bar" "$(pixel start.png $((px + 85)) $((py + 3)))" "247,6,5"
expect "legend: blue at its bottom" "$(pixel start.png $((px + 85)) $((py + 198)))" "5,5,247"
expect "legend: its grey field" "$(pixel start.png $((px + 10)) $((py + 190)))" "192,192,192"
# the places of the hidden controls stay bare face (panel pixels: units x 2, y x 15 / 8)
for r in "54 12 122 144 w/o-greens" "78 21 178 203 equilibrium" "34 18 220 175 w/o-yellows" \
         "8 24 103 170 the-colour-scales-group" "84 6 180 233 its-lower-edge"; do
  set -- $r
  s=$(spread start.png "$1" "$2" $((px + $3)) $((py + $4)))
  m=$(mean_rgb start.png "$1" "$2" $((px + $3)) $((py + $4)))
  if [ "$s" = 0 ] && [ "$m" = "$face" ]; then ok "nothing shown where $5 lies hidden"; else bad "$5 area not bare: spread $s, mean $m, face $face"; fi
done
# the shown controls: each rectangle carries text or picture
drawn() {   # width height x y name
  s=$(spread start.png "$1" "$2" $((px + $3)) $((py + $4)))
  if awk "BEGIN{exit !($s > 0.02)}"; then ok "$5 is drawn"; else bad "$5 is not drawn (spread $s)"; fi
}
while read -r label _ w h x y _; do drawn "$w" "$h" "$x" "$y" "button-$label"; done <<EOF
$buttons
EOF
for r in "168 37 4 200 the-hint" "172 21 118 120 the-credit-line" "164 111 128 3 the-group-box" "36 36 180 158 the-icon"; do
  drawn $r
done
at_least "$(icon_yellow start.png)" 150 && ok "the icon's yellow field" || bad "the icon shows no yellow"

# ---- it spins --------------------------------------------------------------------
# The background's outline of the model changes as it turns (the colours
# change with the heat as well, so only the outline is compared). Looked at
# until it moved: a busy machine draws fewer frames, and each turns the model
# by the same small angle.
outline start.png spin1.png
n=0
i=0
while [ $i -lt 60 ] && [ "$n" -lt 50 ]; do
  sleep 0.5
  shot later.png
  outline later.png spin2.png
  n=$(differing spin1.png spin2.png)
  i=$((i + 1))
done
at_least "$n" 50 && ok "the model turns by itself ($n outline pixels moved)" || bad "the model does not turn ($n in 30 s)"

# At the start temperature, 2.3, neither the shell nor the disc is red,
# whichever way the model faces.
shot before-restart.png
reds_before=$(reds before-restart.png)

# ---- the hottest button: the counter back to 000 -------------------------------------------
# The counter showed 005 or more when the button was pressed: the new run's first
# readings are 000 (unless the first look came a second late), and none runs
# ahead of the seconds since the press.
pressed=$(now)
xdotool mousemove "$hottest_x" "$hottest_y" click 1
# shellcheck disable=SC2086
if watched=$("$python" "$counter" --watch --since "$pressed" --before 5 --seconds 3 $main_client $viewport); then
  ok "after \"$hottest\" the counter starts again from 000: $watched"
else
  bad "after \"$hottest\" the counter starts again from 000: $watched"
fi

# ---- ten seconds at the hottest temperature: the model red --------------------------------
# Ten seconds (200 steps) at that temperature after the restart, by the program's own
# counter: the shell and the whole disc are red, whichever side faces the viewer.
# (Read while the model still turns: stopped, a cube edge might stay across
# a digit.)
# shellcheck disable=SC2086
"$python" "$counter" --watch --since "$pressed" --until 10 $main_client $viewport >watch.txt ||
  bad "the counter reaches 010 after the restart: $(cat watch.txt)"
shot red.png
reds_after=$(reds red.png)
if [ "$reds_before" -lt 20 ] && [ "$reds_after" -gt 3000 ]; then
  ok "the model turned red ($reds_before red pixels in a sixteenth at 2.3, $reds_after after 10 s at $hottest_temperature)"
else
  bad "the model did not turn red ($reds_before red pixels in a sixteenth at 2.3, $reds_after after 10 s at $hottest_temperature)"
fi

# ---- a left click in place stops the model ------------------------------------------
# Stopped once two pictures a second apart show the same outline; then it
# must stay so for two more seconds.
xdotool mousemove $((cx + 290)) $((cy + ch - 70)) click 1
still=""
i=0
while [ $i -lt 30 ] && [ -z "$still" ]; do
  shot stop1.png
  sleep 1
  shot stop2.png
  outline stop1.png still1.png
  outline stop2.png still2.png
  [ "$(differing still1.png still2.png)" = 0 ] && still=yes
  i=$((i + 1))
done
[ -n "$still" ] && ok "a click in place stops the model" || bad "the model still turns 30 s after a click in place"
cpu1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep 2
cpu2=$(awk '{print $14 + $15}' "/proc/$pid/stat")
shot stop3.png
outline stop3.png still3.png
expect "and it stands still (outline pixels moved in 2 s)" "$(differing still2.png still3.png)" "0"
ticks=$(getconf CLK_TCK)
echo "# stopped, one frame a timer tick: $(awk "BEGIN{printf \"%.0f\", 100 * ($cpu2 - $cpu1) / $ticks / 2}")% of one processor"

# ---- a resize snaps back ----------------------------------------------------------------
# The server applies the new size at once; the program then gives the window
# its own size back.
if [ "$snap_back" = yes ]; then
  xdotool windowsize "$main" 500 400
  i=0
  while [ $i -lt 100 ] && [ "$(geometry "$main")" != "$main_outer" ]; do sleep 0.2; i=$((i + 1)); done
  expect "a resize snaps back" "$(geometry "$main")" "$main_outer"
else
  skip "a resize snaps back: $snap_back"
fi

# ---- closing ends the program with exit code 0 ------------------------------------------
closing_ends_it
exit $fail
