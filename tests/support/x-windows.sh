# Finding and measuring the program's windows from outside, for the shell
# tests that source this (xdotool and xwininfo).
wait_for() {   # window name pattern; prints the id of the first viewable one
  i=0
  while [ $i -lt 600 ]; do
    for id in $(xdotool search --name "$1" 2>/dev/null); do
      if xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable"; then echo "$id"; return 0; fi
    done
    sleep 0.1
    i=$((i + 1))
  done
  return 1
}
geometry() {   # id -> "x y w h"
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
