#!/bin/sh
# Makes the BMP files beside this script with ImageMagick 6 (Debian's `convert`). BMP3: writes
# the classic 40-byte header; ImageMagick picks 1, 4 or 8 bits from the number of colours.
set -eu
cd "$(dirname "$0")"
convert -size 5x3 xc:white -fill black -draw 'point 1,1' -type bilevel BMP3:bits1.bmp
convert -size 5x3 xc:red -fill blue -draw 'point 1,1' -fill lime -draw 'point 2,2' \
    -type palette -compress none BMP3:bits4.bmp
convert -size 3x18 gradient:red-blue -type palette -compress none BMP3:bits8.bmp
convert -size 3x18 gradient:red-blue -type palette -compress rle BMP3:rle8.bmp
convert -size 5x3 xc:red -fill blue -draw 'point 1,1' -type truecolor BMP3:bits24.bmp
convert -size 5x3 'xc:rgba(255,0,0,0.5)' -fill blue -draw 'point 1,1' \
    -define bmp3:alpha=true BMP3:bits32.bmp
head -c 80 bits24.bmp >truncated.bmp
