#!/usr/bin/env bash
# Writes the films the animation tests play: real AVI files of Debian's python3-mecavideo,
# whose MPEG-4 pictures Wine's MCI cannot decode, re-encoded in Microsoft Video 1, which it
# can ("real-*.avi"), and one original kept as it is ("mpeg4.avi").
# Usage: make_films.sh <folder>
set -euo pipefail

folder=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && apt-get download -qq python3-mecavideo >/dev/null 2>&1)
dpkg-deb -x "$work"/python3-mecavideo_*.deb "$work/tree"
videos=$work/tree/usr/share/pymecavideo/data/video

mkdir -p "$folder"
# Small pictures keep the decoding under Wine quick; the frames and their rate stay.
for name in g1 Principe_inertie; do
    ffmpeg -hide_banner -loglevel error -y -i "$videos/$name.avi" -an -vf scale=160:120 -c:v msvideo1 \
           "$work/$name.avi"
done
mv "$work/g1.avi" "$folder/real-g1.avi"
mv "$work/Principe_inertie.avi" "$folder/real-inertie.avi"
cp "$videos/g1.avi" "$folder/mpeg4.avi"
