#!/bin/sh
# What the program meets from outside that is no user's doing, under Xvfb:
# started with standard input, output or error closed (each, then all three;
# and with Mesa's diagnostics on and standard error closed), another client
# destroying its panel while standard error is closed (it comes back), and
# another client destroying its main window. Each time the program must end by itself or on
# a close request, with exit code 0, within a generous deadline, and never
# write into the X connection (which a closed descriptor 2 would become).
# Usage: foreign_clients.sh HEATBALL SEND-CLOSE
set -u
heatball=$1
closer=$2
fail=0
ok() { echo "ok   - $1"; }
bad() { echo "FAIL - $1"; fail=1; }

. "$(cd "$(dirname "$0")/../support" && pwd)/x-windows.sh"
# Waits up to 30 s for the program to end (in this shell: an ended child
# stays a zombie that kill -0 still finds until its parent waits); sets
# result to its exit code and the seconds it took, or to "running".
ended() {   # pid, start time
  i=0
  while [ $i -lt 300 ] && [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)" != Z ] && kill -0 "$1" 2>/dev/null; do
    sleep 0.1
    i=$((i + 1))
  done
  if [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)" != Z ] && kill -0 "$1" 2>/dev/null; then
    kill -9 "$1"
    wait "$1" 2>/dev/null
    result=running
  else
    wait "$1"
    result="$? $(awk -v s="$2" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }')"
  fi
}
# Starts the program with the redirections given (sh syntax), waits for both
# windows and sets main, panel and pid.
start() {   # redirections, environment
  eval "env $2 \"$heatball\" $1 &"
  pid=$!
  main=$(wait_for '^  Velmora - free distribution soft$') && panel=$(wait_for '^temperature color scales $')
}

for case in "0<&-|" "1>&-|" "2>&-|" "0<&- 1>&- 2>&-|" "2>&-|LIBGL_DEBUG=verbose"; do
  redirect=${case%|*} environment=${case#*|}
  what="started with ${environment:+$environment and }$redirect"
  if ! start "$redirect" "$environment"; then bad "$what: its windows appear within 60 s"; kill -9 "$pid"; continue; fi
  sleep 1
  "$closer" "$main"
  ended "$pid" "$(date +%s.%N)"
  set -- $result
  [ "$1" = 0 ] && ok "$what: a close ends it with 0 (in $2 s)" || bad "$what: after a close: $*"
done

# Another client destroys the panel: the X error this makes is reported on
# standard error, which is closed, so it must not go into the X connection.
# The panel comes back, an owned dialog as before: its buttons are the only
# way to restart a run.
if start "2>&-" ""; then
  lost=$panel
  "$closer" --destroy "$panel"
  if panel=$(wait_for '^temperature color scales $') && [ "$panel" != "$lost" ] &&
     xprop -id "$panel" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$main")"; then
    ok "its panel destroyed by another client comes back, owned by the main window"
  else
    bad "its panel destroyed by another client does not come back as an owned dialog"
  fi
  sleep 1
  "$closer" "$main"
  ended "$pid" "$(date +%s.%N)"
  set -- $result
  [ "$1" = 0 ] && ok "its panel destroyed by another client, standard error closed: a close ends it with 0 (in $2 s)" ||
    bad "its panel destroyed by another client, standard error closed: after a close: $*"
else
  bad "its windows appear within 60 s"
fi

# Another client destroys the main window, several times while frames are
# drawn: the program ends as when it is closed, and says only what the X
# errors of its last requests were.
for run in 1 2 3 4 5; do
  if ! start "2>stderr.txt" ""; then bad "run $run: its windows appear within 60 s"; continue; fi
  sleep 1
  "$closer" --destroy "$main"
  ended "$pid" "$(date +%s.%N)"
  set -- $result
  other=$(grep -cv ': X error ignored: ' stderr.txt)
  if [ "$1" = 0 ] && [ "$other" = 0 ]; then
    ok "run $run: its main window destroyed by another client, it ends with 0 in $2 s ($(wc -l <stderr.txt) X errors reported)"
  else
    bad "run $run: its main window destroyed by another client: $*; standard error: $(cat stderr.txt)"
  fi
done
exit $fail
