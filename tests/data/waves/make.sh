#!/bin/sh
# Remakes the WAVE files the checker's end-to-end tests read: 50 ms of a 440 Hz tone in each
# layout the game accepts, made with sox, and one cut short.
set -e
cd "$(dirname "$0")"
sox -n -r 11025 -b 8 -c 1 u8-mono-11025.wav synth 0.05 sine 440
sox -n -r 44100 -b 8 -c 2 u8-stereo-44100.wav synth 0.05 sine 440
sox -n -r 22050 -b 16 -c 1 s16-mono-22050.wav synth 0.05 sine 440
sox -n -r 48000 -b 16 -c 2 s16-stereo-48000.wav synth 0.05 sine 440
head -c 100 s16-mono-22050.wav > truncated.wav
