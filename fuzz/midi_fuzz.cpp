// The music sequencer on any bytes: the file is read as a song and played, once without
// looping until every track has ended and once with looping, reading nothing outside its
// tracks and never spinning inside one pass.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/kivmidi.h"
#include "device/midifile.h"
#include "platform/silentmidiout.h"

namespace {

// Enough for a song of several minutes at the slowest tempo that still moves.
constexpr int kMaxPasses = 20000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    const std::span<const std::uint8_t> image(data, size);
    MidiFile read;
    std::string error;
    const bool readable = MidiFile::Read(image, read, error);

    SilentMidiOut out;
    TKivMidi midi(out);
    midi.Init(
        [image](std::string_view,
                std::string_view) -> std::optional<std::span<const std::uint8_t>> { return image; },
        false);
    if (midi.LoadFile(image) != readable || midi.Play("FUZZ", false) != readable) {
        __builtin_trap();  // the device and its reader must agree
    }
    for (int pass = 0; pass < kMaxPasses && midi.IsPlay(); ++pass) {
        midi.SmfPlay();
    }
    if (readable) {
        midi.Stop();
        midi.Reset(true);
        midi.Play(true);
        for (int pass = 0; pass < 200; ++pass) {
            midi.SmfPlay();
        }
    }
    return 0;
}
