#!/usr/bin/env bash
# Tests that need a screen (the player's by default), in a Wine prefix made a moment before, as
# a new user has it: the prefix is made by "wineboot -i" under a persistent wineserver, and
# Wine's X11 driver draws on a virtual screen of its own, which the tests can read. A test
# skipped there fails. A test that wants a user at the keyboard names a script that types: it
# runs beside the test program on the same screen, and fails the test unless it has ended by the
# time the program does.
# Usage: on_screen.sh <program folder of the build> <test name> [test program [typist]]
set -euo pipefail
programs=$1
test=$2
program=${3:-qxstage30_tests.exe}
typist=${4:-}
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No .NET or HTML engine to install in the new prefix, and no debugger on a crash.
export WINEDLLOVERRIDES='mscoree,mshtml=;winedbg.exe=d'
export ALSA_CONFIG_PATH=$(cd "$(dirname "$0")/../../tools" && pwd)/alsa-null.conf

# Started with its streams elsewhere, so that nothing it leaves running holds CTest's pipes.
quiet() { "$@" </dev/null >/dev/null 2>&1; }

exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb=$!
typing=
finish() {
    [ -z "$typing" ] || kill "$typing" 2>/dev/null || true
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display")

mkdir -p "$WINEPREFIX"
quiet /usr/lib/wine/wineserver -p
quiet /usr/lib/wine/wine64 wineboot -i
cd "$programs"
if [ -n "$typist" ]; then
    "$typist" </dev/null >"$work/typist" 2>&1 &
    typing=$!
fi
status=0
/usr/lib/wine/wine64 "$program" --gtest_filter="$test" | tee "$work/output" || status=$?
if [ -n "$typing" ]; then
    # A typist still at work when the test is over has failed.
    kill "$typing" 2>/dev/null || true
    wait "$typing" || { echo "The typist failed:"; cat "$work/typist"; status=1; }
    typing=
fi
[ "$status" -eq 0 ] && ! grep -q "SKIPPED \]" "$work/output"
