#!/bin/sh
# Installs the package into a clean minimal Debian and starts the program
# there: a copy of a debootstrap minbase image of the release this runs on
# (tools/check-fresh keeps one a suite), `apt-get install ./heatball_*.deb` pulling in only what the
# package declares, then /usr/bin/heatball under an Xvfb of this machine,
# whose socket is lent to the image, until its main window and its panel
# show, its counter read off the screen counts seconds, and a close request
# ends it with exit code 0, having written nothing. Needs root (chroot,
# mount), xdotool, x11-utils, python3 (tests/support/counter.py, with
# HEAT_FACTS naming the facts the build wrote); ImageMagick for a picture.
# Usage: fresh_install.sh BASE-IMAGE DEB SEND-CLOSE [SCREENSHOT.png]
#        (run with DISPLAY set, for instance under tests/support/xvfb-run);
#        SCREENSHOT.png: the screen once the counter showed 003.
set -eu
base=$1
deb=$2
closer=$3
shot=${4:-}
[ -f "$base/etc/debian_version" ] || { echo "FAIL: $base is not a Debian image"; exit 1; }
[ -f "$deb" ] || { echo "FAIL: no package $deb"; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "FAIL: needs root for chroot and mount"; exit 1; }
work=$(mktemp -d /var/tmp/heatball-fresh-install.XXXXXX)
image=$work/root
mounted=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  for m in $mounted; do umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true; done
  # Never delete through a mount that is still there (/dev).
  if grep -q " $work/" /proc/self/mounts; then echo "FAIL - still mounted below $work; left in place"; else rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
status=0
fail() { echo "FAIL - $*"; status=1; }

cp -a "$base" "$image"
# The suites this machine's apt uses, as check-fresh gives them, and its
# leave to read a testing mirror's expired Release files.
apt-get indextargets --format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT)' |
  awk '$1 == "deb" && !seen[$2 " " $3 " " $4]++ { print "deb " $2 " " $3 " " $4 }' \
  >"$image/etc/apt/sources.list"
[ ! -f /etc/apt/apt.conf.d/90heatball-check-fresh ] ||
  cp /etc/apt/apt.conf.d/90heatball-check-fresh "$image/etc/apt/apt.conf.d/"
cp /etc/resolv.conf "$image/etc/resolv.conf"
cp "$deb" "$image/root/"
mkdir -p "$image/tmp/.X11-unix"
mount -t proc proc "$image/proc"; mounted="$image/proc"
mount --bind /dev "$image/dev"; mounted="$image/dev $mounted"
mount --bind /tmp/.X11-unix "$image/tmp/.X11-unix"; mounted="$image/tmp/.X11-unix $mounted"
in_image() {
  chroot "$image" /usr/bin/env -i HOME=/root DEBIAN_FRONTEND=noninteractive \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@" </dev/null
}

name=$(basename "$deb")
if in_image sh -c "apt-get update -q && apt-get install -y -q --no-install-recommends ./root/$name" >"$work/apt.log" 2>&1 &&
   in_image dpkg -s heatball >/dev/null 2>&1; then
  echo "ok   - apt-get installs $name with $(grep -c '^Setting up' "$work/apt.log") packages"
else
  tail -n 30 "$work/apt.log"; fail "apt-get install ./$name"; exit 1
fi

launched=$(date +%s.%N)
in_image /usr/bin/env DISPLAY="$DISPLAY" /usr/bin/heatball >"$work/out.txt" 2>&1 &
pid=$!
# Up to a minute for each window: the first start on a busy machine may be slow.
shown() {   # window name pattern; prints the id of the first viewable one
  i=0
  while [ $i -lt 300 ]; do
    for id in $(xdotool search --name "$1" 2>/dev/null); do
      xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && { echo "$id"; return 0; }
    done
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
    i=$((i + 1))
  done
  return 1
}
main=$(shown '^  Velmora - free distribution soft$') && panel=$(shown '^temperature color scales $') || main=""
[ -n "$main" ] && echo "ok   - /usr/bin/heatball opens its main window and its panel there" ||
  fail "no main window and panel; it said: $(cat "$work/out.txt")"
if [ -n "$main" ]; then
  # It runs there: the counter, read off the screen, counts the seconds
  # (the main window's client area is the window: no window manager).
  area=$(xwininfo -id "$main" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
  # shellcheck disable=SC2086
  if watched=$(${PYTHON3:-python3} "$(dirname "$0")/../support/counter.py" --watch --since "$launched" --until 3 $area); then
    echo "ok   - the counter counts the seconds there: $watched"
  else
    fail "the counter counts the seconds there: $watched"
  fi
  [ -n "$shot" ] && import -window root "$shot"
  "$closer" "$main"
  i=0
  while kill -0 "$pid" 2>/dev/null && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
  if kill -0 "$pid" 2>/dev/null; then
    fail "it is still running 30 s after a close"
  else
    code=0; wait "$pid" || code=$?; pid=""
    [ "$code" -eq 0 ] && echo "ok   - it ends with exit code 0 after a close" || fail "exit code $code after a close"
  fi
  [ -s "$work/out.txt" ] && fail "it wrote: $(cat "$work/out.txt")"
fi
exit $status
