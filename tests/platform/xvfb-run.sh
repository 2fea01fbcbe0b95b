#!/bin/sh
# Runs a command under a private Xvfb (1280 x 1024, 24 bits) on the first free
# display from :57 up, and stops the server afterwards. Exit code: the command's.
set -u
pid=""
display=""
for n in $(seq 57 120); do
  if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  i=0
  while [ $i -lt 100 ]; do
    kill -0 "$pid" 2>/dev/null || break
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
    sleep 0.05
    i=$((i + 1))
  done
  # the server that answers must be ours, not one another run started first
  if [ -n "$display" ] && kill -0 "$pid" 2>/dev/null; then break; fi
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
  display=""
done
if [ -z "$display" ]; then
  echo "xvfb-run.sh: could not start Xvfb" >&2
  exit 1
fi
DISPLAY="$display" "$@"
status=$?
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
