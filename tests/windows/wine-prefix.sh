#!/bin/sh
# Makes the Wine prefix the Windows tests share, afresh: wineboot with the
# Mono and Gecko installers and the menu builder turned off (the caller's
# WINEDLLOVERRIDES, and for the menu builder the prefix's own overrides too), and Wine's X11 driver told to draw the windows' frames
# and captions itself, as Windows does, instead of leaving them to the window
# manager: a window's X window is then its whole Windows rectangle.
# usage: wine-prefix.sh   (WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES from the caller)
set -eu
: "${WINEPREFIX:?}"
rm -rf "$WINEPREFIX"
start=$(date +%s)
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# No desktop menu entries made from the installer's shortcuts, whatever the
# caller's WINEDLLOVERRIDES (Wine 10 was seen to run its menu builder anyway).
wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
wineserver -w
echo "# the prefix took $(($(date +%s) - start)) s"
test -f "$WINEPREFIX/system.reg"
grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg"
