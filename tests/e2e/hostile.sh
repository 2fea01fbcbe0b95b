#!/bin/sh
# The program under another X client's random events and property changes
# (hostile-client), under Xvfb: it must live through them, then keep to its
# 20 steps a second ("1.0" restarts the counter from 000 and it counts with
# the clock, read off the screen as the black-box checks read it), have its
# panel destroyed by another client and go on, keep its size, and end with 0
# on a close request, having written nothing but X errors.
# usage: hostile.sh HEATBALL HOSTILE-CLIENT SEND-CLOSE [SEED [SECONDS]]
# The seed (default: the time) is printed, so that a failing run can be replayed.
set -u
heatball=$1
hostile=$2
closer=$3
seed=${4:-$(date +%s)}
seconds=${5:-15}
counter=$(cd "$(dirname "$0")/../support" && pwd)/counter.py
python=${PYTHON3:-python3}
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }
now() { date +%s.%N; }
echo "# seed $seed, $seconds s (replay: hostile.sh HEATBALL HOSTILE-CLIENT SEND-CLOSE $seed $seconds)"

. "$(cd "$(dirname "$0")/../support" && pwd)/x-windows.sh"
alive() { [ "$(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null)" != Z ] && kill -0 "$pid" 2>/dev/null; }
main_client="10 10 819 819"
viewport="819 819"

launched=$(now)
"$heatball" 2>stderr.txt &
pid=$!
main=$(wait_for '^  Velmora - free distribution soft$') && panel=$(wait_for '^temperature color scales $') ||
  { bad "the windows appear within 60 s"; kill -9 "$pid"; exit 1; }

"$hostile" "$seed" "$seconds" "$main" "$panel" || bad "hostile-client ended with an error"
if alive; then ok "it lives through $seconds s of random events"; else
  wait "$pid"; bad "it ended under the random events, with exit code $?"; exit 1
fi
# Spinning again (a drag released away from its start), so that no cube
# edge stays across the counter's digits; then "1.0", pressed as a user
# would, once the counter shows 005 or more.
xdotool mousemove 400 700 mousedown 1 mousemove 420 700 mousemove 440 702 mouseup 1
# shellcheck disable=SC2086
"$python" "$counter" --watch --since "$launched" --until 5 $main_client $viewport >watch.txt ||
  bad "the counter reaches 005 after the random events: $(cat watch.txt)"
set -- $(xwininfo -id "$panel" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
pressed=$(now)
xdotool mousemove $(($1 + 209)) $(($2 + 93)) click 1
# shellcheck disable=SC2086
if watched=$("$python" "$counter" --watch --since "$pressed" --before 5 --seconds 3 $main_client $viewport); then
  ok "after the random events \"1.0\" restarts the counter and it keeps to the clock: $watched"
else
  bad "after the random events \"1.0\" restarts the counter and it keeps to the clock: $watched"
fi

"$closer" --destroy "$panel"
sleep 1
alive && ok "its panel destroyed by another client, it goes on" || bad "it ended when its panel was destroyed"
place=$(geometry "$main")
[ "$place" = "10 10 819 819" ] && ok "it keeps its place and size (10 10 819 819)" ||
  bad "its main window is at $place, not 10 10 819 819"

"$closer" "$main"
i=0
while alive && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
if alive; then bad "it does not end within 30 s of a close request"; kill -9 "$pid"; fi
wait "$pid"
code=$?
[ "$code" = 0 ] && ok "a close ends it with 0" || bad "a close ends it with $code"
others=$(grep -v -e ': X error ignored: ' -e ': further X errors are not shown' stderr.txt)
[ -z "$others" ] && ok "standard error holds X errors only ($(wc -l <stderr.txt) lines)" ||
  bad "standard error: $others"
exit $fail
