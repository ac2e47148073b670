#!/usr/bin/env bash
# The typist of the control's on-screen test, run by on_screen.sh beside it: waits for the typing
# host's window, gives it the keyboard and types a French paragraph as X key events, pressing the
# host's own keys around the words to style (Ctrl+G bold, Ctrl+I italic, Ctrl+R red; a second
# press stops). The test expects exactly this text. Letters the keyboard has no key for (the
# accented ones) are typed through a key xdotool maps for each in turn: the pause between keys
# leaves Wine the time to read the new mapping.
set -euo pipefail
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Saisie rtedit$' | head -n 1)
timeout 30 xdotool windowfocus --sync "$window"
type() { xdotool type --delay 50 -- "$1"; }
keys() { xdotool key --delay 50 -- "$@"; }
type "Le rédacteur écrit ici à la main un paragraphe en français : "
keys ctrl+g; type "gras"; keys ctrl+g
type " puis gras, un mot "
keys ctrl+i; type "penché"; keys ctrl+i
type ", un mot "
keys ctrl+r; type "rouge"; keys ctrl+r
type ", et la suite coule d'une colonne à l'autre sans rien perdre de ce qu'elle dit, jusqu'à la seconde "
type "colonne où se trouve l'image "
