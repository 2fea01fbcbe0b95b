# What the GUI tests' shell checks share, sourced once $support names this
# folder: the counter reader and the Python to run it with, ImageMagick,
# lines that say what passed and what failed (fail stays 1 after a failure),
# pictures compared, waiting for what is expected, and finding the program's
# windows.
counter=$support/counter.py
python=${PYTHON3:-python3}
. "$support/imagemagick.sh"
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }
skip() { echo "skip - $1"; }
note() { echo "# $1"; }
differing() { im_compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }   # pixels that differ
white_count() { im "$1" -format "%[fx:round(mean*w*h)]" info:; }              # white pixels of a mask
# Until COMMAND... succeeds, looking again every $look_every seconds, at most
# $looks times (by default 60 times, every half second: 30 s on a quiet
# machine, longer on a busy one).
eventually() {
  i=0
  while [ $i -lt "${looks:-60}" ]; do
    "$@" && return 0
    sleep "${look_every:-0.5}"
    i=$((i + 1))
  done
  return 1
}

# ---- the program's windows (xdotool, xprop, xwininfo; pid the program's process)
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# A window of the program's: its _NET_WM_PID names the process started (mutter
# 44 and later draw the frames of X windows in a client of their own, whose
# frame windows carry the same titles), or any with other_pid=yes (Wine's
# windows name the process Wine runs the exe in).
ours() { [ "${other_pid:-}" = yes ] || xprop -id "$1" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$"; }
find_window() {   # name pattern -> id of a viewable window of the program
  for id in $(xdotool search --name "$1" 2>/dev/null); do
    if viewable "$id" && ours "$id"; then echo "$id"; return 0; fi
  done
  return 1
}
wait_window() { eventually find_window "$1" >/dev/null && find_window "$1"; }

# A close request to the main window ($closer, as a window manager sends it)
# ends the program within 30 s, with exit code 0 and nothing on standard
# error (stderr.txt).
closing_ends_it() {
  "$closer" "$main"
  i=0
  while kill -0 "$pid" 2>/dev/null && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
  if kill -0 "$pid" 2>/dev/null; then
    bad "the program ends within 30 s of its window being closed"
    kill "$pid"
  fi
  wait "$pid"
  code=$?
  [ "$code" = 0 ] && ok "exit code 0 after closing" || bad "exit code $code after closing"
  [ -s stderr.txt ] && bad "standard error: $(cat stderr.txt)" || ok "nothing on standard error"
}
