#!/bin/sh
# The program under a real window manager and on screens of several shapes,
# checked from outside as a user would meet it. Run it through
# tests/support/xvfb-run (with --wm and --screen as the mode needs).
#
# usage: window_managers.sh MODE HEATBALL SWAP-COUNTER-LIBRARY|none [SEND-CLOSE]
#   desktop   what holds under any desktop, X11 window manager or Wayland
#             compositor (through tests/support/wayland-run): the main
#             window's size; the panel on top of it at start; after
#             fullscreen and maximise requests the window at its size with
#             the picture filling it; closed through the desktop (its
#             _NET_CLOSE_WINDOW, else WM_DELETE_WINDOW as a close button
#             sends it, by SEND-CLOSE) the program ends with exit code 0
#   session   maximise, fullscreen and a corner drag leave the window at its
#             size and place without a resize loop; the panel's place and
#             hints; iconify stops the frames and restore brings them back;
#             the manager's close request ends the program with exit code 0
#   screen    the main window and the panel wholly on the screen's work area
#   refused   a refused OpenGL context (indirect rendering, which Xvfb does
#             not allow): the box "Error", exit code 1, one line on
#             standard error
#   no-glx    an X server without GLX: the same
# Every wait is bounded but generous and ends as soon as what it waits for is
# seen, so a busy machine makes the test slower, not wrong.
set -u
mode=$1
heatball=$2
swaplib=$3
sendclose=${4:-}
support=$(cd "$(dirname "$0")/../support" && pwd)
. "$support/checks.sh"

# ---- looking from outside ---------------------------------------------------------------
client() {   # window -> "x y w h" of its client area on the screen
  xwininfo -id "$1" 2>/dev/null |
    awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
extents() {   # window -> "left right top bottom" of the manager's frame (0 0 0 0 without one)
  e=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ,)
  [ -n "$e" ] && echo "$e" || echo "0 0 0 0"
}
outer() {   # window -> "x y w h" of the frame around it
  set -- $(client "$1") $(extents "$1")
  echo $(($1 - $5)) $(($2 - $7)) $(($3 + $5 + $6)) $(($4 + $7 + $8))
}
workarea() {   # -> "x y w h"
  a=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= *//p' | tr -d , | cut -d' ' -f1-4)
  if [ -n "$a" ]; then echo "$a"; else xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print 0, 0, d[1], d[2]}'; fi
}
within() { d=$(($1 - $2)); [ "$d" -le "$3" ] && [ "$d" -ge "-$3" ]; }
# eventually (checks.sh): within about 15 seconds, looking every tenth of one
looks=150
look_every=0.1
# The picture fills the client area: its top edge and the lower half of its
# right edge (the panel covers the upper half) show the background (26, 26,
# 26) of the picture, not an empty band beside a smaller one (the thin lines
# of the cube that may cross them change the mean little).
fills() {   # screenshot, window
  set -- "$1" $(client "$2")
  for strip in "${4}x10+$2+$(($3 + 1))" "10x$(($5 / 2))+$(($2 + $4 - 11))+$(($3 + $5 / 2))"; do
    m=$(im "$1" -crop "$strip" +repage -format "%[fx:round(255*mean.r)] %[fx:round(255*mean.g)]" info:)
    set -- "$@" $m
  done
  within "$6" 26 12 && within "$7" 26 12 && within "$8" 26 12 && within "$9" 26 12
}
# The picture fills the window, judged from the window's own content (under
# a compositor the root window shows nothing).
fills_window() {   # window
  import -window "$1" window.png 2>/dev/null || return 1
  set -- window.png $(client "$1" | cut -d' ' -f3-)
  for strip in "${2}x10+0+1" "10x$(($3 / 2))+$(($2 - 11))+$(($3 / 2))"; do
    m=$(im "$1" -crop "$strip" +repage -format "%[fx:round(255*mean.r)] %[fx:round(255*mean.g)]" info: 2>/dev/null)
    set -- "$@" ${m:-0 0}
  done
  within "$4" 26 12 && within "$5" 26 12 && within "$6" 26 12 && within "$7" 26 12
}
# The window among the root's children that holds a client (its frame, or itself).
toplevel() {
  w=$1
  while :; do
    parent=$(xwininfo -tree -id "$w" 2>/dev/null | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    xwininfo -tree -id "$w" 2>/dev/null | grep -q 'Parent window id: .*(the root window)' && { echo "$w"; return; }
    [ -n "$parent" ] || { echo "$w"; return; }
    w=$parent
  done
}
# The first window is stacked above the second: by the manager's own list
# where it keeps one, else by the order of the root's children (top first).
above() {
  a=$(printf '0x%x' "$1"); b=$(printf '0x%x' "$2")
  order=$(xprop -root -notype _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p' | tr -d ,)
  if [ -n "$order" ]; then
    last=$(for w in $order; do [ "$w" = "$a" ] || [ "$w" = "$b" ] && echo "$w"; done | tail -1)   # bottom first
  else
    a=$(toplevel "$a"); b=$(toplevel "$b")
    last=$(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}' | while read w; do
      [ "$w" = "$a" ] || [ "$w" = "$b" ] && echo "$w"; done | head -1)   # top first
  fi
  [ "$last" = "$a" ]
}
supported() { xprop -root _NET_SUPPORTED 2>/dev/null | grep -q "$1"; }
swaps() { awk '{print $2}' "$counts" 2>/dev/null || echo 0; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
# configure events of a window during the given seconds, counted by xev
configures_during() {
  xev -id "$1" -event structure >xev.txt 2>/dev/null &
  watcher=$!
  sleep "$2"
  kill $watcher 2>/dev/null
  wait $watcher 2>/dev/null
  grep -c '^ConfigureNotify' xev.txt
}

start() {
  counts=$PWD/swaps.txt
  rm -f "$counts"
  if [ "$swaplib" = none ]; then "$heatball" 2>stderr.txt &
  else SWAP_COUNTER_FILE=$counts LD_PRELOAD=$swaplib "$heatball" 2>stderr.txt &
  fi
  pid=$!
}
stop() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
open_windows() {
  main=$(wait_window '^  Velmora - free distribution soft$') || { bad "the main window appears"; stop; exit 1; }
  panel=$(wait_window '^temperature color scales $') || { bad "the panel appears"; stop; exit 1; }
}

# The manager's name, the program started, its windows found and the main
# window's client area checked: 0.8 of the screen's height ($side), square.
begin() {
  manager=$(wmctrl -m 2>/dev/null | sed -n 's/^Name: //p')
  note "$1: ${manager:-none}"
  start
  open_windows
  side=$(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); printf "%d", d[2] * 0.8}')
  set -- $(client "$main")
  if [ "$3 $4" = "$side $side" ]; then ok "client area $side x $side"; else bad "client area $3 x $4, not $side x $side"; fi
}

# The program ends by itself with exit code $1; $2 and $3 name the occasion
# in the passing and the failing line.
ends_with() {
  gone() { ! kill -0 "$pid" 2>/dev/null; }
  if eventually gone; then
    wait "$pid"
    code=$?
    [ "$code" = "$1" ] && ok "$2, exit code $1" || bad "$2, exit code $code"
  else
    bad "the program does not end $3"
    stop
  fi
}

case "$mode" in
desktop)
  begin "desktop"
  set -- $(client "$main")
  note "main client at ($1, $2); panel client at $(client "$panel" | cut -d' ' -f1,2)"
  # The desktop has shown the main window by the time the program shows its
  # panel, so the panel is on top; it stays so until someone raises the other.
  if above "$panel" "$main"; then ok "the panel is on top of the main window"; else bad "the panel is under the main window"; fi
  for request in fullscreen maximized_vert,maximized_horz; do
    wmctrl -i -r "$main" -b add,$request
    # Whatever the desktop does with the request, and in whatever order it
    # says so: once the state is gone, the size is the program's.
    settled() {
      ! xprop -id "$main" _NET_WM_STATE | grep -Eq 'MAXIMIZED|FULLSCREEN' &&
        [ "$(client "$main" | cut -d' ' -f3-)" = "$side $side" ] && fills_window "$main"
    }
    if eventually settled; then ok "after $request the window is back at its size, the picture filling it"; else
      bad "after $request: client $(client "$main"), $(xprop -id "$main" _NET_WM_STATE)"
      cp window.png "after-$request.png" 2>/dev/null
    fi
  done
  if supported _NET_CLOSE_WINDOW; then wmctrl -i -c "$main"; how="_NET_CLOSE_WINDOW"; else "$sendclose" "$main"; how="WM_DELETE_WINDOW"; fi
  ends_with 0 "closed through the desktop ($how)" "when closed through the desktop ($how)"
  ;;

session)
  begin "window manager"

  # ---- the main window: its place, its hints ----------------------------------------------
  set -- $(outer "$main")
  home="$1 $2"
  if within "$1" 10 3 && within "$2" 10 3; then ok "frame at ($1, $2), by (10, 10)"; else bad "frame at ($1, $2), not by (10, 10)"; fi
  hints=$(xprop -id "$main" WM_NORMAL_HINTS)
  echo "$hints" | grep -q "minimum size: $side by $side" && echo "$hints" | grep -q "maximum size: $side by $side" &&
    ok "the size hints fix the size" || bad "the size hints do not fix the size: $hints"

  # ---- the panel ------------------------------------------------------------------------
  # Its frame's top-left corner (800, 30) from the main window's client area:
  # the template's (400, 16) in Arial 10's dialog units.
  set -- $(client "$main")
  mx=$1; my=$2
  set -- $(outer "$panel")
  if within "$1" $((mx + 800)) 3 && within "$2" $((my + 30)) 3; then
    ok "panel frame at ($1, $2), within 3 px of ($((mx + 800)), $((my + 30)))"
  else
    bad "panel frame at ($1, $2), not within 3 px of ($((mx + 800)), $((my + 30)))"
  fi
  state=$(xprop -id "$panel" _NET_WM_STATE)
  echo "$state" | grep -q _NET_WM_STATE_SKIP_TASKBAR && ok "the panel stays off the taskbar" || bad "no skip-taskbar: $state"
  xprop -id "$panel" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG && ok "the panel is a dialog" || bad "the panel is no dialog"
  xprop -id "$panel" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$main")" && ok "the panel is transient for the main window" ||
    bad "the panel is not transient for the main window"
  actions=$(xprop -id "$panel" _NET_WM_ALLOWED_ACTIONS)
  note "the manager allows the panel: $(echo "$actions" | sed 's/.*= //; s/_NET_WM_ACTION_//g')"
  import -window root start.png

  # ---- stop the model; its processor use from now on is the stopped figure --------------
  set -- $(client "$main")
  xdotool mousemove $(($1 + 300)) $(($2 + 700)) click 1
  sleep 1
  c0=$(cpu_ticks); sleep 2; c1=$(cpu_ticks)
  ticks=$(getconf CLK_TCK)
  note "stopped: $(((c1 - c0) * 50 / ticks)) % of one processor"

  # ---- maximise and fullscreen: the size and place come back, no resize loop -------------
  for request in maximized_vert,maximized_horz fullscreen; do
    wmctrl -i -r "$main" -b add,$request
    c0=$(cpu_ticks)
    n=$(configures_during "$main" 2)
    c1=$(cpu_ticks)
    note "after $request: $n configure events in 2 s, $(((c1 - c0) * 50 / ticks)) % of one processor"
    # The manager's own steps into the state and out of it are a few events;
    # a loop is thousands.
    [ "$n" -lt 40 ] && ok "no resize loop after $request ($n configure events in 2 s)" ||
      bad "a resize loop after $request ($n configure events in 2 s)"
    at_home() { set -- $(outer "$main"); [ "$1 $2" = "$home" ] && [ "$(client "$main" | cut -d' ' -f3-)" = "$side $side" ]; }
    if eventually at_home; then ok "after $request the window is back at its size and place"; else
      bad "after $request: frame $(outer "$main"), client $(client "$main")"
    fi
    xprop -id "$main" _NET_WM_STATE | grep -Eq 'MAXIMIZED|FULLSCREEN' && bad "the window stays $request" || ok "the window left $request"
    import -window root "after-$request.png"
    fills "after-$request.png" "$main" && ok "after $request the picture fills the window" ||
      bad "after $request the picture does not fill the window (after-$request.png)"
  done

  # ---- a drag on the frame's lower-right corner --------------------------------------------
  set -- $(outer "$main")
  cx=$(($1 + $3 - 1)); cy=$(($2 + $4 - 1))
  xdotool mousemove $cx $cy mousedown 1
  for step in 20 40 60 80 100; do xdotool mousemove $((cx + step)) $((cy + step)); sleep 0.05; done
  xdotool mouseup 1
  sleep 0.5
  at_home() { set -- $(outer "$main"); [ "$1 $2" = "$home" ] && [ "$(client "$main" | cut -d' ' -f3-)" = "$side $side" ]; }
  if eventually at_home; then ok "after a corner drag the window keeps its size and place"; else
    bad "after a corner drag: frame $(outer "$main"), client $(client "$main")"
  fi
  import -window root after-drag.png
  fills after-drag.png "$main" && ok "after a corner drag the picture fills the window" ||
    bad "after a corner drag the picture does not fill the window (after-drag.png)"

  # ---- iconified: no frames; restored: frames again ---------------------------------------
  xdotool windowminimize "$main"
  # ICCCM's state: some managers keep an iconified window mapped
  iconic() { xprop -id "$main" WM_STATE | grep -q 'window state: Iconic'; }
  if eventually iconic; then
    # A frame begun before the program heard of it may still end; then none.
    quiet() {
      s0=$(swaps); sleep 1.5; s1=$(swaps)
      [ "$s0" = "$s1" ]
    }
    c0=$(cpu_ticks)
    if eventually quiet; then ok "iconified, no frames are drawn (none in 1.5 s)"; else bad "iconified, frames go on being drawn"; fi
    c1=$(cpu_ticks)
    note "iconified: $(((c1 - c0) * 10 / ticks)) ticks a second of processor time"
  else
    bad "the window is not iconified"
  fi
  s0=$(swaps)
  wmctrl -i -a "$main"
  drawing() { [ "$(swaps)" -gt "$s0" ] && viewable "$main"; }
  if eventually drawing; then ok "restored, frames are drawn again"; else bad "restored, no frame is drawn"; fi

  # ---- the manager's close request ----------------------------------------------------------
  wmctrl -i -c "$main"
  ends_with 0 "closed by the manager" "on the manager's close request"
  [ -s stderr.txt ] && bad "standard error: $(cat stderr.txt)" || ok "nothing on standard error"
  ;;

screen)
  start
  open_windows
  note "screen $(xdpyinfo | awk '/dimensions:/{print $2}'), work area $(workarea), window manager $(wmctrl -m 2>/dev/null | sed -n 's/^Name: //p')"
  set -- $(workarea)
  ax=$1; ay=$2; aw=$3; ah=$4
  on_area() {
    set -- $(outer "$1")
    [ "$1" -ge "$ax" ] && [ "$2" -ge "$ay" ] && [ $(($1 + $3)) -le $((ax + aw)) ] && [ $(($2 + $4)) -le $((ay + ah)) ]
  }
  for w in main panel; do
    eval id=\$$w
    if eventually on_area "$id"; then ok "the $w window wholly on the work area ($(outer "$id"))"; else
      bad "the $w window not wholly on the work area: $(outer "$id")"
    fi
  done
  set -- $(client "$main")
  [ "$3" = "$4" ] && ok "the main window is square ($3 x $4)" || bad "the main window is $3 x $4"
  import -window root screen.png
  stop
  ;;

refused|no-glx)
  if [ "$mode" = refused ]; then
    LIBGL_ALWAYS_INDIRECT=1 "$heatball" 2>stderr.txt &
  else
    "$heatball" 2>stderr.txt &
  fi
  pid=$!
  box=$(wait_window '^Error$') || { bad "the box \"Error\" appears"; stop; exit 1; }
  ok "the box \"Error\" appears"
  import -window root box.png
  set -- $(client "$box")
  xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 - 24)) click 1   # its OK button
  ends_with 1 "after the box" "after the box"
  lines=$(wc -l <stderr.txt)
  [ "$lines" = 1 ] && ok "one line on standard error: $(cat stderr.txt)" || bad "standard error has $lines lines: $(cat stderr.txt)"
  if [ "$mode" = refused ]; then
    grep -q "wglCreateContext failed" stderr.txt && ok "it names the refused context" || bad "it does not name the refused context"
  else
    grep -q "ChoosePixelFormat failed" stderr.txt && grep -q GLX stderr.txt && ok "it names the missing GLX" ||
      bad "it does not name the missing GLX"
  fi
  ;;
*)
  echo "window_managers.sh: unknown mode $mode" >&2
  exit 2
  ;;
esac
exit $fail
