#!/bin/sh
# The program under another X client's random events and property changes
# (hostile-client), under a window manager (run it under xvfb-run --wm
# openbox): after each flood it draws again at once (the counter, read off
# the screen, advances within two seconds by the pictures' own times), keeps
# its size, and ends with 0 on a close request, having written nothing but X
# errors. After the first flood, "1.0" restarts the counter from 000 and it
# counts with the clock, and another client destroys the panel: it goes on.
# usage: hostile.sh HEATBALL HOSTILE-CLIENT SEND-CLOSE [SEED [SECONDS [RUNS]]]
# RUNS floods (default 3), one program each, with the seeds SEED, SEED+1, ...
# (default: the time); the seeds are printed, so that a failing run can be
# replayed.
set -u
heatball=$1
hostile=$2
closer=$3
seed=${4:-$(date +%s)}
seconds=${5:-8}
runs=${6:-3}
support=$(cd "$(dirname "$0")/../support" && pwd)
. "$support/checks.sh"
now() { date +%s.%N; }
echo "# seeds $seed to $((seed + runs - 1)), $seconds s each (replay one: hostile.sh HEATBALL HOSTILE-CLIENT SEND-CLOSE SEED $seconds 1)"

. "$support/x-windows.sh"
alive() { [ "$(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null)" != Z ] && kill -0 "$pid" 2>/dev/null; }
viewport="819 819"
set -- $(xwininfo -root | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print w, h}')
screen_w=$1
screen_h=$2

# Two readings of the counter whose pictures were taken at most two seconds
# apart differ: the program draws. Looks for such a pair for up to 30 s, so
# that a busy machine's slow looks cost time, never a false failure. The
# window's place is asked again before each look: the program may still be
# taking back the place the flood's hints had the manager give it.
draws_again() {   # the main window's id
  "$python" - "$support" "$1" $viewport <<'EOF'
import subprocess, sys, time
sys.path.insert(0, sys.argv[1])
import counter
main, viewport = sys.argv[2], [int(a) for a in sys.argv[3:5]]

def client_area():
    info = subprocess.run(['xwininfo', '-id', main], capture_output=True, text=True).stdout
    field = lambda name: int(info.split(name)[1].split()[0])
    return [field('Absolute upper-left X:'), field('Absolute upper-left Y:'), field('Width:'), field('Height:')]

readings, start = [], time.time()
while time.time() - start < 30:
    text, before, after = counter.look(*(client_area() + viewport))
    v = counter.value(text)
    if v is not None:
        for w, seen in readings:
            if w != v and after - seen <= 2.0:
                print('%03d, then %03d %.2f s later' % (w, v, after - seen))
                sys.exit(0)
        readings.append((v, before))
    time.sleep(0.05)
print('no change within 2 s in 30 s; read %s' % ', '.join('%03d' % v for v, _ in readings[-8:]))
sys.exit(1)
EOF
}

run=0
while [ $run -lt "$runs" ]; do
  s=$((seed + run))
  launched=$(now)
  "$heatball" 2>stderr.txt &
  pid=$!
  main=$(wait_for '^  Velmora - free distribution soft$') && panel=$(wait_for '^temperature color scales $') ||
    { bad "seed $s: the windows appear within 60 s"; kill -9 "$pid"; exit 1; }
  before=$(geometry "$main")
  panel_size=$(geometry "$panel" | cut -d' ' -f3,4)
  "$hostile" "$s" "$seconds" "$main" "$panel" >/dev/null || bad "seed $s: hostile-client ended with an error"
  if ! alive; then
    wait "$pid"
    bad "seed $s: it ended under the random events, with exit code $?"
    run=$((run + 1))
    continue
  fi
  # Another client can move any window anywhere (and the flood's hints can
  # make a manager do so, or end it): one moved off the screen is put back
  # as a user would drag it, so that its counter can be read.
  set -- $(geometry "$main")
  if [ "$1" -lt 0 ] || [ "$2" -lt 0 ] || [ $(($1 + $3)) -gt "$screen_w" ] || [ $(($2 + $4)) -gt "$screen_h" ]; then
    echo "# seed $s: the main window was left at $1, $2; moved back onto the screen"
    xdotool windowmove "$main" 10 10
    sleep 0.5
  fi
  if saw=$(draws_again "$main"); then ok "seed $s: it draws again after the flood: $saw"; else
    bad "seed $s: it draws again after the flood: $saw"
    import -window root "hostile-$s.png" 2>/dev/null
  fi
  after=$(geometry "$main")
  set -- $before
  set -- $after "$3" "$4"
  [ "$3 $4" = "$5 $6" ] && ok "seed $s: it keeps its size ($3 x $4)" || bad "seed $s: its size is $3 x $4, not $5 x $6"

  if [ $run -eq 0 ]; then
    # "1.0", pressed as a user would, once the counter shows 005 or more.
    set -- $after
    # shellcheck disable=SC2086
    "$python" "$support/counter.py" --watch --since "$launched" --until 5 $after $viewport >watch.txt ||
      bad "the counter reaches 005 after the random events: $(cat watch.txt)"
    # As a user would: the panel brought back and to the front (the flood
    # may have had the manager iconify it, and a manager the flood ends
    # leaves the windows stacked as they come), at its size again (the
    # flood's hints may have had the manager change it; the program asks its
    # own back), then its last restart button ("1.0") pressed where the
    # template puts it, once the panel is what lies under the pointer there.
    button=$(restart_buttons | tail -n 1 | awk '{ print $7, $8 }')
    panel_ready() {
      xdotool windowmap "$panel" windowraise "$panel" 2>/dev/null
      wmctrl -i -a "$panel" 2>/dev/null
      set -- $button $(geometry "$panel")
      [ "$5 $6" = "$panel_size" ] || return 1
      xdotool mousemove $(($3 + $1)) $(($4 + $2))
      sleep 0.2
      [ "$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')" = "$panel" ]
    }
    looks=20 eventually panel_ready ||
      note "the panel is $(geometry "$panel") (its size $panel_size), and not what lies under the pointer at \"1.0\""
    pressed=$(now)
    xdotool click 1
    # shellcheck disable=SC2086
    if watched=$("$python" "$support/counter.py" --watch --since "$pressed" --before 5 --seconds 3 $after $viewport); then
      ok "after the random events \"1.0\" restarts the counter and it keeps to the clock: $watched"
    else
      bad "after the random events \"1.0\" restarts the counter and it keeps to the clock: $watched"
    fi
    "$closer" --destroy "$panel"
    sleep 1
    alive && ok "its panel destroyed by another client, it goes on" || bad "it ended when its panel was destroyed"
  fi

  "$closer" "$main"
  i=0
  while alive && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
  if alive; then bad "seed $s: it does not end within 30 s of a close request"; kill -9 "$pid"; fi
  wait "$pid"
  code=$?
  [ "$code" = 0 ] && ok "seed $s: a close ends it with 0" || bad "seed $s: a close ends it with $code"
  others=$(grep -v -e ': X error ignored: ' -e ': further X errors are not shown' stderr.txt)
  [ -z "$others" ] && ok "seed $s: standard error holds X errors only ($(wc -l <stderr.txt) lines)" ||
    bad "seed $s: standard error: $others"
  run=$((run + 1))
done
exit $fail
