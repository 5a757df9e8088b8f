// device/midifile.h
// A standard MIDI file as the sequencer reads it: the header and its track chunks, each length
// checked against the file; and the bytes by which a track's events are told apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kipkip {

namespace midibytes {

// A byte with this bit set starts an event; without it the event repeats the last status.
inline constexpr std::uint8_t kStatusBit = 0x80;
// Channel messages: the status's low four bits are the channel; channel 10 (9 from 0) is the
// drums', whose kits are bank 128 (MidiPreset::kDrumBank).
inline constexpr int kChannels = 16;
inline constexpr int kDrumChannel = 9;
inline constexpr std::uint8_t kControlChange = 0xB0;
inline constexpr std::uint8_t kProgramChange = 0xC0;
inline constexpr std::uint8_t kPitchBend = 0xE0;

// Program change and channel pressure are the channel messages with one data byte, the rest
// have two.
constexpr std::size_t DataBytesOf(std::uint8_t status)
{
    return status >= kProgramChange && status < kPitchBend ? 1 : 2;
}
inline constexpr std::uint8_t kSystemExclusive = 0xF0;
inline constexpr std::uint8_t kMetaEvent = 0xFF;
// In a variable-length number (delta times, lengths), a byte with this bit has more after it.
inline constexpr std::uint8_t kMoreBytes = 0x80;

// Controllers the sequencer sends when a song stops.
inline constexpr std::uint8_t kBankSelect = 0;
inline constexpr std::uint8_t kSustainPedal = 64;
inline constexpr std::uint8_t kResetAllControllers = 121;
inline constexpr std::uint8_t kAllNotesOff = 123;

// Meta event types the sequencer acts on.
inline constexpr std::uint8_t kMetaCuePoint = 0x07;  // "repeat" and "end" mark the song's loop
inline constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr std::uint8_t kMetaSetTempo = 0x51;  // microseconds per quarter note, 3 bytes

}  // namespace midibytes

struct MidiFile {
    // The sequencer plays at most this many tracks; further ones are not read.
    static constexpr int kMaxTracks = 64;

    bool headerRead = false;  // "MThd" and a format of 0 or 1 were found
    int format = 0;
    int declaredTracks = 0;  // the header's count, before it is cut to kMaxTracks
    int division = 0;        // ticks per quarter note, the header's word as it is
    std::vector<std::span<const std::uint8_t>> tracks;  // MTrk contents, in file order

    // The presets the song plays: every program change with the bank its channel selected last
    // (the drum channel's kits are bank 128), and the first piano and the standard kit, which a
    // reset selects and a channel without a program change plays. Sorted, each once.
    std::vector<MidiPreset> Presets() const;

    // Reads `bytes` into `file`. False with the reason in `error` (and `file` filled as far as
    // it was read) when the file is not one the sequencer plays. Reads nothing outside `bytes`.
    static bool Read(std::span<const std::uint8_t> bytes, MidiFile& file, std::string& error);
};

}  // namespace kipkip
