#!/usr/bin/env bash
# Takes the pictures of the branch, font and text properties dialogs under Xvfb, in the X11
# prefix that tools/play makes, into $QX_BUILD/dialog-pictures/.
set -euo pipefail
source "$(dirname "$0")/../../../../../tools/lib.sh"

export QX_WINEPREFIX=$QX_BUILD/wineprefix-play
run() { "$QX_ROOT/tools/wine-run" "$@"; }
trap 'run --stop' EXIT
run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] && cp "$marlett" "$QX_WINEPREFIX/drive_c/windows/Fonts/"
run --stop

screen=:$((90 + RANDOM % 100))
Xvfb "$screen" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'run --stop; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$screen
sleep 2

pictures=$QX_BUILD/dialog-pictures
rm -rf "$pictures"
mkdir -p "$pictures"
cd "$QX_BUILD/bin"
QX_DIALOG_PICTURES="Z:${pictures//\//\\}" run qxtextdialogs_tests.exe --gtest_filter='DialogPictures.*'
ls "$pictures"
