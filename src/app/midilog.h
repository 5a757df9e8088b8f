// app/midilog.h
// `--midi-log FILE`: an output that writes down every message the sequencer sends before passing
// it on. One line per message, `<ms> <bytes>` (the message's bytes as uppercase hex pairs
// separated by spaces), and `<ms> reset` for each reset of the output; `<ms>` is the time of the
// pass that sent it, from the clock it is given (see docs/formats.md). A short message is
// written with as many bytes as its status byte says it has.
//
// Passes run on the audio thread and Stop on the game thread, so lines are written under a lock.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <ostream>
#include <span>
#include <utility>

#include "platform/ports.h"

namespace kipkip {

class MidiLog : public MidiOut {
public:
    using Clock = std::function<std::uint64_t()>;

    // The output and the stream must outlive the log.
    MidiLog(MidiOut& output, std::ostream& lines, Clock clock)
        : output_(output), lines_(lines), clock_(std::move(clock))
    {}

    bool Open() override { return output_.Open(); }
    void Close() override { output_.Close(); }
    void Short(std::uint32_t message) override;
    bool Long(std::span<const std::uint8_t> bytes) override;
    void Reset() override;
    // Not a message: passed on, not written down.
    void Prepare(std::span<const MidiPreset> presets) override { output_.Prepare(presets); }

    // The number of bytes a short message with this status byte carries (1 to 3).
    static int ShortLength(std::uint8_t status);

private:
    void Write(std::span<const std::uint8_t> bytes);

    MidiOut& output_;
    std::ostream& lines_;
    Clock clock_;
    std::mutex mutex_;
};

}  // namespace kipkip
