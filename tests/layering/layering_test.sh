#!/usr/bin/env bash
# The layering check on a tiny tree of its own: clean, it passes; with one wrong include
# planted at a time, it fails and names the file, the line and the include.
set -euo pipefail
check="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

# A tree in which every include is allowed.
make_tree() {
    rm -rf "$scratch/src"
    mkdir -p "$scratch/src"/{platform/sdl,platform/headless,device,kernel,replay,app}
    printf '#include <vector>\n#include "platform/files.h"\n' >"$scratch/src/platform/files.cpp"
    printf '#include <SDL.h>\n#include "platform/ports.h"\n' >"$scratch/src/platform/sdl/window.cpp"
    printf '#include "platform/ports.h"\n' >"$scratch/src/platform/headless/loop.cpp"
    printf '// a device\n#include "device/mixer.h"\n#include "platform/ports.h"\n' \
        >"$scratch/src/device/mixer.cpp"
    printf '#include "device/inputstate.h"\n#include "platform/files.h"\n' \
        >"$scratch/src/replay/script.cpp"
    printf '#include "kernel/kernel.h"\n#include "replay/script.h"\n#include "platform/sdl/window.h"\n' \
        >"$scratch/src/app/main.cpp"
}

# plant FILE LINE-TEXT EXPECTED-MESSAGE: a new FILE in the clean tree, the line its third.
plant() {
    make_tree
    local file="$1" text="$2" expected="$3"
    mkdir -p "$(dirname "$scratch/$file")"
    printf '// planted\n\n%s\n' "$text" >"$scratch/$file"
    local output status=0
    output="$("$check" "$scratch")" || status=$?
    if [ "$status" -eq 0 ] || [ "$output" != "$expected" ]; then
        echo "FAIL: planting '$text' in $file: exit $status, printed:" >&2
        echo "$output" >&2
        echo "expected: $expected" >&2
        failures=$((failures + 1))
    fi
}

make_tree
if ! output="$("$check" "$scratch")"; then
    echo "FAIL: the clean tree was refused:" >&2
    echo "$output" >&2
    failures=$((failures + 1))
fi

plant src/device/bad.cpp '#include "kernel/kernel.h"' \
    'src/device/bad.cpp:3: device may not include kernel/kernel.h'
plant src/platform/headless/bad.cpp '  #  include "platform/sdl/scancodes.h"' \
    'src/platform/headless/bad.cpp:3: platform/headless may not include platform/sdl/scancodes.h'
plant src/platform/sdl/bad.h '#include "device/mixer.h"' \
    'src/platform/sdl/bad.h:3: platform/sdl may not include device/mixer.h'
plant src/platform/bad.cpp '#include "platform/fluidsynth/synth.h"' \
    'src/platform/bad.cpp:3: platform may not include platform/fluidsynth/synth.h'
plant src/replay/bad.cpp '#include "app/keymap.h"' \
    'src/replay/bad.cpp:3: replay may not include app/keymap.h'
plant src/kernel/bad.cpp '#include <SDL_keyboard.h>' \
    'src/kernel/bad.cpp:3: kernel may not include <SDL_keyboard.h>'
plant src/platform/headless/bad.cpp '#include <fluidsynth.h>' \
    'src/platform/headless/bad.cpp:3: platform/headless may not include <fluidsynth.h>'
plant src/newfolder/bad.cpp '#include "platform/files.h"' \
    'src/newfolder/bad.cpp:3: newfolder may not include platform/files.h'

exit $((failures > 0))
