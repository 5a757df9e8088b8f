#!/usr/bin/env bash
# Makes the screenshots a software centre would show (the metainfo lists none until the project
# has a web address to serve them from): the title, a climb, the records screen and the menu,
# each a 320x240 frame of a headless run scaled to 960x720 PNG. Needs a built kipkip and
# ImageMagick.  Usage: packaging/screenshots.sh KIPKIP OUTDIR
set -euo pipefail
kipkip="$(realpath "$1")"
out="$(realpath -m "$2")"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir data
printf '1 none\n5 space\n7 none\n' > start.txt
for t in $(seq 40 20 400); do printf '%d space\n%d none\n%d right\n%d none\n' \
    "$t" $((t + 2)) $((t + 6)) $((t + 12)); done >> start.txt
"$kipkip" --headless --dir data --input start.txt --ticks 400 \
    --shot 3:title.bmp --shot 300:climb.bmp
printf '1 none\n5 escape\n7 none\n' > menu.txt
"$kipkip" --headless --dir data --input menu.txt --ticks 10 --shot 9:menu.bmp
printf '1 none\n5 b\n7 none\n' > records.txt
"$kipkip" --headless --with-records --dir data --input records.txt --ticks 10 --shot 9:records.bmp
for shot in title climb menu records; do
    convert "$shot.bmp" -filter point -resize 300% "$out/$shot.png"
done
echo "screenshots in $out"
