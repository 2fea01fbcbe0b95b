# The program by keyboard, as a user without a mouse meets it: checks shared
# by the Linux program's (tests/e2e/keys.sh, under a window manager or a
# Wayland desktop) and the Windows program's under Wine
# (tests/windows/keys-wine.sh); sourced by them after they set what differs:
#
#   start_program   a function: starts the program in the background with its
#                   standard error in stderr.txt, and sets pid
#   closer          send-close: asks a window to close as a window manager would
#   client_of_main  a function, main window id -> "X Y W H": its client area in
#                   a picture of that X window (import -window)
#   client_of_panel a function, panel window id -> "X Y": its client area's
#                   corner in a picture of that X window
#   viewport        "W H": the viewport, the window's stored size
#   other_pid       yes when the program's windows name another process than
#                   the one started (Wine's; checks.sh)
#   PYTHON3         the Python to run the counter reader with
#
# Pictures are of the program's own X windows, not of the screen: under a
# Wayland compositor the root window shows nothing. Every check waits for
# what it expects within a generous bound and judges the picture it took:
# Escape first (under Wine the window manager may give the panel the
# keyboard when it maps it); Space stops the model; the arrows turn it and
# leave it still, back where it was after the opposite presses; Page Up,
# Page Down, +, - and the keypad's + zoom and zoom back; Space sets it
# spinning again; F6 puts the focus mark on "0.4", Tab moves it; Space on
# each of the three buttons restarts the count from 000 with the shell in
# the colour of 2.3, 3.3 and 4.0; Escape takes the mark away and gives the
# keys back to the model; a held arrow keeps turning it; the mouse still
# sets it spinning and stops it; a close ends the program with exit code 0.
# Exit status: 0 when every check passed.

support=$(cd "$(dirname "$0")/../support" && pwd)
. "$support/checks.sh"

# ---- pictures of the program's windows (ImageMagick) -----------------------------
shot_main() { import -window "$main" "$1" 2>/dev/null; }
shot_panel() { import -window "$panel" "$1" 2>/dev/null; }
# The model's outline against the background in the lower 600 rows of the
# client area (the counter, above them, changes every second): white where
# the background shows.
outline() {   # picture, mask
  set -- "$1" "$2" $(client_of_main "$main")
  im "$1" -crop "$5x600+$3+$(($4 + $6 - 600))" +repage -fuzz 3% -fill white -opaque "rgb(26,26,26)" \
    -fill black +opaque white "$2"
}
# Pixels of the client area in a colour, one in 16 looked at: the shell's
# colours at 2.3 (a light green), 3.3 (orange) and 4.0 (red), lit or in shade.
coloured() {   # picture, colour
  set -- "$1" "$2" $(client_of_main "$main")
  case "$2" in
    green) rule="g>90/255 && g>1.2*r && r>0.4*g && b<0.8*g" ;;     # lit: 142, 192, 119
    orange) rule="r>90/255 && g>0.6*r && g<0.9*r && b<0.45*r" ;;   # lit: 178, 136, 57
    red) rule="r>90/255 && g<0.35*r && b<0.4*r" ;;                 # lit: 216, 47, 57
  esac
  im "$1" -crop "$5x$6+$3+$4" +repage -sample 25% -fx "($rule) ? 1 : 0" -format "%[fx:round(mean*w*h)]" info:
}
# The focus mark of a panel button: dark pixels with face to their right, as
# a dotted line has them (a solid frame or the label's strokes have few).
buttons="0.4:154:24:112:19 0.75:152:52:114:21 1.0:152:82:114:21"
dots() {   # picture, button label
  set -- "$1" $(client_of_panel "$panel") $(echo "$buttons" | tr ' ' '\n' | grep "^$2:" | tr ':' ' ')
  im "$1" -crop "$7x$8+$(($2 + $5))+$(($3 + $6))" +repage -colorspace gray \
    -fx "(u<0.3 && p[1,0]>0.5) ? 1 : 0" -format "%[fx:round(mean*w*h)]" info:
}
# The label of the button that carries the mark in a picture of the panel,
# judged against each button's count without it (a default button's solid
# frame, which Windows leaves on the last one, adds about 40); "none" when
# none does.
marked() {
  best=none
  for label in 0.4 0.75 1.0; do
    gain=$(($(dots "$1" "$label") - $(eval echo "\$base_$(echo "$label" | tr . _)")))
    [ "$gain" -ge 70 ] && best=$label
  done
  echo "$best"
}
# The counter read off a picture of the main window: three digits, or ? where
# a cell could not be read.
reading() {
  # shellcheck disable=SC2046
  "$python" "$counter" "$1" $(client_of_main "$main") $viewport 2>/dev/null
}

# ---- what is waited for ---------------------------------------------------------------
# Still: two pictures a second apart show the same outline; still.png is the later.
still() {
  shot_main s1.png; sleep 1; shot_main s2.png
  outline s1.png o1.png; outline s2.png o2.png
  [ "$(differing o1.png o2.png)" = 0 ] && cp o2.png still.png
}
# Turning: the outline moved by 50 pixels or more since still.png.
turning() { shot_main t.png; outline t.png ot.png; [ "$(differing still.png ot.png)" -ge 50 ]; }
# The counter read as a number (its last reading in counted); false while a
# cell cannot be read.
counted=""
count() { shot_main c.png; r=$(reading c.png); case "$r" in *\?*|"") return 1 ;; esac; counted=$((1$r - 1000)); }
counter_at_least() { count && [ "$counted" -ge "$1" ]; }
# A restart by KEY: the counter showed 3 or more; after the key it goes back
# below what it showed (the reader reads a digit right or not at all), and
# no further than the seconds since the key allow.
restarts() {   # key, what it presses
  eventually counter_at_least 3 || bad "the counter does not reach 003 before $2 (it reads $(reading c.png))"
  before=$counted
  pressed=$(date +%s)
  key "$1"
  went_back() { count && [ "$counted" -lt "$before" ] && [ "$counted" -le $(($(date +%s) - pressed + 1)) ]; }
  if eventually went_back; then ok "$1 on $2 restarts the count (from $before to $(reading c.png))"; else
    bad "$1 on $2: the counter does not start again (it showed $before, now $(reading c.png))"; fi
}
mark_on() { shot_panel p.png; [ "$(marked p.png)" = "$1" ] && cp p.png "mark-$1.png"; }
key() { xdotool key "$@"; }

# ---- start -------------------------------------------------------------------------------
start_program
main=$(wait_window '^  Velmora - free distribution soft$') || { bad "the main window appears"; kill "$pid"; exit 1; }
panel=$(wait_window '^temperature color scales $') || { bad "the panel appears"; kill "$pid"; exit 1; }
# The desktop's keyboard on one of the program's windows (a window manager
# gives it to a new window; this asks for the main one, where it can).
xdotool windowactivate "$main" 2>/dev/null
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ]; }
eventually active || note "the desktop's active window is $(xdotool getactivewindow 2>/dev/null), not the main window"

key Escape

# ---- Space stops the model ----------------------------------------------------------------
key space
if eventually still; then ok "Space stops the model"; else bad "the model still turns 30 s after Space"; fi
cp still.png stopped.png

# The keys are the model's: the panel without the mark, each button's
# dotted pixels counted (once the panel is drawn: its label is there).
drawn() {
  shot_panel plain-panel.png &&
    set -- $(client_of_panel "$panel") && spread=$(im plain-panel.png -crop "112x19+$(($1 + 154))+$(($2 + 24))" +repage \
      -format "%[fx:standard_deviation]" info:) && awk "BEGIN{exit !($spread > 0.02)}"
}
eventually drawn || bad "the panel's buttons are not drawn"
for label in 0.4 0.75 1.0; do eval "base_$(echo "$label" | tr . _)=$(dots plain-panel.png "$label")"; done

# ---- the arrows turn it by steps, and leave it still ---------------------------------------
for pair in "Right Left" "Up Down"; do
  set -- $pair
  key "$1" "$1" "$1" "$1" "$1" "$1"
  if eventually turning; then moved=$(differing still.png ot.png); else moved=0; fi
  if [ "$moved" -ge 500 ] && eventually still; then
    ok "six presses of $1 turn the model ($moved outline pixels moved) and leave it still"
  else
    bad "six presses of $1: $moved outline pixels moved, or it did not stay still"
  fi
  key "$2" "$2" "$2" "$2" "$2" "$2"
  back() { shot_main b.png; outline b.png ob.png; [ "$(differing stopped.png ob.png)" -le 30 ]; }
  if eventually back; then ok "six presses of $2 turn it back ($(differing stopped.png ob.png) pixels off)"; else
    bad "six presses of $2 do not turn it back ($(differing stopped.png ob.png) pixels off)"; fi
done

# ---- zoom: Page Up, Page Down, + and - ----------------------------------------------------
shot_main z0.png; outline z0.png oz0.png; bg0=$(white_count oz0.png)
for pair in "Prior Next" "plus minus" "KP_Add KP_Subtract"; do
  set -- $pair
  key "$1" "$1" "$1"
  grew() { shot_main z1.png; outline z1.png oz1.png; bg1=$(white_count oz1.png); [ "$bg1" -le $((bg0 - 2000)) ]; }
  if eventually grew; then ok "$1 three times zooms in ($((bg0 - bg1)) fewer background pixels)"; else
    bad "$1 three times does not zoom in ($bg0 background pixels, then $bg1)"; fi
  key "$2" "$2" "$2"
  shrank() { shot_main z2.png; outline z2.png oz2.png; [ "$(differing oz0.png oz2.png)" -le 30 ]; }
  if eventually shrank; then ok "$2 three times zooms back out"; else
    bad "$2 three times does not zoom back ($(differing oz0.png oz2.png) pixels off)"; fi
done

# ---- Space sets it spinning again ---------------------------------------------------------
eventually still
key space
if eventually turning; then ok "Space sets the model spinning again"; else bad "the model stays still after a second Space"; fi

# ---- F6, Tab and Space: the three restarts without a mouse ------------------------------------
# Before each restart the counter shows 3 or more; after it, 000 and the
# shell's colour (read while the model turns, so that no cube edge stays
# across a digit).
key F6
if eventually mark_on 0.4; then ok "F6 puts the focus mark on \"0.4\""; else bad "after F6 the mark is on $(marked p.png)"; fi
for step in "0.4 green" "0.75 orange" "1.0 red"; do
  set -- $step
  if [ "$1" != 0.4 ]; then
    key Tab
    if eventually mark_on "$1"; then ok "Tab moves the mark to \"$1\""; else bad "after Tab the mark is on $(marked p.png)"; fi
  fi
  restarts space "\"$1\""
  shell() { shot_main "$2.png"; [ "$(coloured "$2.png" "$2")" -ge 100 ]; }
  if eventually shell "$1" "$2"; then ok "and the shell shows the $2 of its temperature ($(coloured "$2.png" "$2") pixels)"; else
    bad "no $2 shell after \"$1\" ($(coloured "$2.png" "$2") pixels)"; fi
done
restarts Return "\"1.0\""

# ---- Escape gives the keys back to the model ----------------------------------------------
key Escape
if eventually mark_on none; then ok "Escape takes the mark away"; else bad "after Escape the mark is on $(marked p.png)"; fi
key space
if eventually still; then ok "and Space stops the model again"; else bad "Space after Escape does not stop the model"; fi

# ---- a held arrow keeps turning it ---------------------------------------------------------
key Right
eventually still
cp still.png one-step.png
xdotool keydown Right
sleep 1.5
xdotool keyup Right
held() { shot_main h.png; outline h.png oh.png; [ "$(differing one-step.png oh.png)" -ge 1000 ]; }
if eventually held; then ok "Right held turns the model on ($(differing one-step.png oh.png) outline pixels moved)"; else
  bad "Right held for 1.5 s turns it no further than one press"; fi

# ---- the mouse still turns and stops it --------------------------------------------------
eventually still
set -- $(xwininfo -id "$main" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
mx=$1 my=$2
set -- $(client_of_main "$main")
cx=$((mx + $1 + 300)) cy=$((my + $2 + $4 - 300))
xdotool mousemove "$cx" "$cy" mousedown 1 mousemove $((cx + 40)) "$cy" mousemove $((cx + 80)) $((cy + 10)) mouseup 1
if eventually turning; then ok "a drag with the mouse sets it spinning"; else bad "a drag does not set it spinning"; fi
xdotool mousemove "$cx" "$cy" click 1
if eventually still; then ok "a click in place stops it"; else bad "a click in place does not stop it"; fi

# ---- closing ------------------------------------------------------------------------------
closing_ends_it
exit $fail
