// platform/silentmidiout.h
// An output that takes every message and sounds none: a headless run whose sound nobody keeps
// needs no synthesiser, yet its sequencer must run as in any other run (the MIDI log and the
// game's music state depend on it), whatever SoundFonts the machine has.
#pragma once

#include "platform/ports.h"

namespace kipkip {

class SilentMidiOut : public MidiOut {
public:
    bool Open() override { return true; }
    void Close() override {}
    void Short(std::uint32_t) override {}
    bool Long(std::span<const std::uint8_t>) override { return true; }
    void Reset() override {}
};

}  // namespace kipkip
