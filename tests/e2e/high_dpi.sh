#!/bin/sh
# The panel at 96, 144 and 192 dpi (Xft.dpi, as desktops set it at 100, 150
# and 200 %) on screens of 1920 x 1080, 2880 x 1620 and 3840 x 2160, each on
# its own X server in the same run: the panel's client area, the height of
# its buttons' text and its place beside the main window's picture scale
# with the resolution, and the picture keeps 0.8 of the screen's height.
#
# usage: high_dpi.sh HEATBALL SEND-CLOSE
#        high_dpi.sh --measure DPI HEATBALL SEND-CLOSE   (on a display, by the first form)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/imagemagick.sh"
. "$here/../support/x-windows.sh"

if [ "$1" = --measure ]; then
  dpi=$2 heatball=$3 sendclose=$4
  echo "Xft.dpi: $dpi" | xrdb -merge
  "$heatball" 2>stderr.txt &
  pid=$!
  main=$(wait_for '^  Velmora - free distribution soft$') || { echo "no main window"; kill $pid; exit 1; }
  panel=$(wait_for '^temperature color scales $') || { echo "no panel"; kill $pid; exit 1; }
  # The panel is drawn once its face and text are: the "0.4" button's
  # text is read from the screen until it is there (the wait is bounded).
  set -- $(geometry "$panel")
  px=$1 py=$2
  # The "0.4" button: (77, 13) 56 x 10 dialog units, Arial 10's units (8, 15)
  # at 96 dpi scaled; its inside, past the bevel.
  ux=$(( (8 * dpi + 48) / 96 )) uy=$(( (15 * dpi + 48) / 96 ))
  bx=$((77 * ux / 4 + 3)) by=$((13 * uy / 8 + 3)) bw=$((56 * ux / 4 - 6)) bh=$((10 * uy / 8 - 6))
  text=0 i=0
  while [ "$text" -le 0 ] && [ $i -lt 100 ]; do
    import -window root shot.png
    # black text on the grey face: the height of what is black
    text=$(im shot.png -crop "${bw}x${bh}+$((px + bx))+$((py + by))" +repage -colorspace gray -threshold 40% \
      -negate -format '%@' info: 2>/dev/null | sed -n 's/^[0-9]*x\([0-9]*\)+.*/\1/p')
    text=${text:-0}
    [ "$text" -ge "$bh" ] && text=0   # nothing found: trim gives the whole crop
    i=$((i + 1))
  done
  cp shot.png "screen-$dpi.png"
  echo "measured $dpi $(geometry "$main") $(geometry "$panel") $text"
  "$sendclose" "$main"
  wait $pid
  exit $?
fi

heatball=$1 sendclose=$2
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }
for setting in 96:1920x1080 144:2880x1620 192:3840x2160; do
  dpi=${setting%%:*} screen=${setting#*:}
  line=$(sh "$here/../support/xvfb-run" --screen "${screen}x24" sh "$0" --measure "$dpi" "$heatball" "$sendclose" |
         grep '^measured')
  [ -n "$line" ] || { bad "nothing measured at $dpi dpi"; continue; }
  echo "# $screen at $dpi dpi: main client x y w h, panel client x y w h, button text height: ${line#measured $dpi }"
  eval "m$dpi=\"${line#measured $dpi }\""
done
[ $fail = 0 ] || exit 1

# shellcheck disable=SC2154
set -- $m96; w96=$7 h96=$8 t96=$9 over96=$(($1 + $3 - $5)) dx96=$(($5 - $1)) dy96=$(($6 - $2))
for dpi in 144 192; do
  eval "set -- \$m$dpi"
  w=$7 h=$8 t=$9 over=$(($1 + $3 - $5)) dx=$(($5 - $1)) dy=$(($6 - $2))
  scaled() { echo $((($1 * dpi + 48) / 96)); }
  # Within a pixel at 192 dpi, where the dialog units are exactly twice
  # those at 96; at 144 the units are rounded to whole pixels (22.5 to 23, as
  # Windows rounds a font's height), which a dialog's size multiplies.
  near() {
    d=$(($1 - $2)) tolerance=1
    [ "$dpi" = 192 ] || tolerance=$(($2 / 25 + 1))
    [ $d -le $tolerance ] && [ $d -ge -$tolerance ]
  }
  near "$w" "$(scaled "$w96")" && near "$h" "$(scaled "$h96")" &&
    ok "at $dpi dpi the panel is $w x $h, $dpi/96 of $w96 x $h96" ||
    bad "at $dpi dpi the panel is $w x $h, not $dpi/96 of $w96 x $h96"
  [ "$t" -ge "$(( $(scaled "$t96") - 1 ))" ] && [ "$t" -le "$(( $(scaled "$t96") + 2 ))" ] &&
    ok "at $dpi dpi the button text is $t px high, at 96 $t96" || bad "at $dpi dpi the button text is $t px high, at 96 $t96"
  near "$dx" "$(scaled "$dx96")" && near "$dy" "$(scaled "$dy96")" &&
    ok "at $dpi dpi the panel stands ($dx, $dy) from the picture's corner, at 96 ($dx96, $dy96)" ||
    bad "at $dpi dpi the panel stands ($dx, $dy) from the picture's corner, at 96 ($dx96, $dy96)"
  [ "$over" -le $(( $(scaled "$over96") + 1 )) ] &&
    ok "at $dpi dpi the panel covers $over px of the picture's width, at 96 $over96" ||
    bad "at $dpi dpi the panel covers $over px of the picture's width, at 96 $over96"
done
set -- $m192
[ "$9" -ge 18 ] && ok "at 192 dpi the button text is at least 18 px high ($9)" || bad "at 192 dpi the button text is $9 px high"
[ "$3 $4" = "1728 1728" ] && ok "at 192 dpi on 3840 x 2160 the picture is 1728 x 1728" || bad "at 192 dpi the picture is $3 x $4"
exit $fail
