#!/bin/sh
# Remakes the WAVE files the checker's end-to-end tests read: 50 ms of a 440 Hz tone in each
# layout the game accepts, made with sox, one cut short, and two in the extensible form.
set -e
cd "$(dirname "$0")"
sox -n -r 11025 -b 8 -c 1 u8-mono-11025.wav synth 0.05 sine 440
sox -n -r 44100 -b 8 -c 2 u8-stereo-44100.wav synth 0.05 sine 440
sox -n -r 22050 -b 16 -c 1 s16-mono-22050.wav synth 0.05 sine 440
sox -n -r 48000 -b 16 -c 2 s16-stereo-48000.wav synth 0.05 sine 440
head -c 100 s16-mono-22050.wav > truncated.wav

# sox writes the extensible form only above 16 bits or two channels, which the game refuses:
# the 24-bit one stands for those, and the 16-bit mono one is the samples of s16-mono-22050.wav
# under an extensible header written here (the PCM sub-format, valid bits 16, front centre).
sox -n -r 22050 -b 24 -c 1 s24-mono-22050-extensible.wav synth 0.05 sine 440
le16() { printf "$(printf '\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
tail -c +45 s16-mono-22050.wav > samples.raw
size=$(wc -c < samples.raw)
{
    printf RIFF; le32 $((4 + 8 + 40 + 8 + size)); printf 'WAVE'
    printf 'fmt '; le32 40
    le16 65534; le16 1; le32 22050; le32 44100; le16 2; le16 16
    le16 22; le16 16; le32 4
    printf '\001\000\000\000\000\000\020\000\200\000\000\252\000\070\233\161'
    printf 'data'; le32 "$size"; cat samples.raw
} > s16-mono-22050-extensible.wav
rm samples.raw
