// device/midifile.cpp
#include "device/midifile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "platform/bytecursor.h"

namespace kipkip {

namespace {

constexpr std::size_t kHeaderBytes = 14;      // "MThd", length, format, tracks, division
constexpr std::size_t kChunkHeaderBytes = 8;  // "MTrk", length

// The variable-length number at `at`, moving past it; nothing when it runs past the track.
std::optional<std::uint32_t> ReadNumber(std::span<const std::uint8_t> track, std::size_t& at)
{
    std::uint32_t value = 0;
    while (at < track.size()) {
        const std::uint8_t byte = track[at++];
        value = (value << 7) | (byte & 0x7Fu);
        if (!(byte & midibytes::kMoreBytes)) {
            return value;
        }
    }
    return std::nullopt;
}

// Walks one track's events, as far as they can be read, noting the bank each channel selects
// and the preset of each program change.
void ScanTrack(std::span<const std::uint8_t> track, std::array<int, midibytes::kChannels>& banks,
               std::set<MidiPreset>& presets)
{
    std::size_t at = 0;
    std::uint8_t status = 0;
    while (ReadNumber(track, at) && at < track.size()) {
        const std::uint8_t first = track[at];
        if (first == midibytes::kSystemExclusive || first == midibytes::kMetaEvent) {
            at += first == midibytes::kMetaEvent ? 2 : 1;
            const std::optional<std::uint32_t> length = ReadNumber(track, at);
            if (!length || *length > track.size() - std::min(at, track.size())) {
                return;
            }
            at += *length;
            continue;
        }
        if (first & midibytes::kStatusBit) {
            status = first;
            ++at;
        }
        const std::uint8_t kind = status & 0xF0;
        const int channel = status & 0x0F;
        const std::size_t dataBytes = midibytes::DataBytesOf(status);
        if (status == 0 || track.size() - at < dataBytes) {
            return;
        }
        if (kind == midibytes::kControlChange && track[at] == midibytes::kBankSelect &&
            channel != midibytes::kDrumChannel) {
            banks[static_cast<std::size_t>(channel)] = track[at + 1];
        } else if (kind == midibytes::kProgramChange) {
            presets.insert({banks[static_cast<std::size_t>(channel)], track[at]});
        }
        at += dataBytes;
    }
}

}  // namespace

std::vector<MidiPreset> MidiFile::Presets() const
{
    std::array<int, midibytes::kChannels> banks{};
    banks[midibytes::kDrumChannel] = MidiPreset::kDrumBank;
    std::set<MidiPreset> presets = {{0, 0}, {MidiPreset::kDrumBank, 0}};
    for (std::span<const std::uint8_t> track : tracks) {
        ScanTrack(track, banks, presets);
    }
    return {presets.begin(), presets.end()};
}

bool MidiFile::Read(std::span<const std::uint8_t> bytes, MidiFile& file, std::string& error)
{
    file = MidiFile{};
    const ByteCursor in(bytes);
    // The header's own length is not used: the first track chunk is taken to start right
    // after a 6-byte header, as the sequencer always did.
    if (!in.Has(0, kHeaderBytes)) {
        error = "the file is shorter than a MIDI header";
        return false;
    }
    if (!in.IdAt(0, "MThd")) {
        error = "the file does not begin with MThd";
        return false;
    }
    file.format = in.Be16At(8);
    file.declaredTracks = in.Be16At(10);
    file.division = in.Be16At(12);
    if (file.format != 0 && file.format != 1) {
        error = "format " + std::to_string(file.format) + " is not played (only 0 and 1)";
        return false;
    }
    file.headerRead = true;
    const int count = std::min(file.declaredTracks, kMaxTracks);
    std::size_t offset = kHeaderBytes;
    for (int track = 0; track < count; ++track) {
        const std::string where = "track " + std::to_string(track) + ": ";
        if (!in.Has(offset, kChunkHeaderBytes)) {
            error = where + "the file ends before the track's chunk header";
            return false;
        }
        if (!in.IdAt(offset, "MTrk")) {
            error = where + "the chunk is not MTrk";
            return false;
        }
        const std::uint32_t length = in.Be32At(offset + 4);
        offset += kChunkHeaderBytes;
        if (!in.Has(offset, length)) {
            error = where + "the track runs past the end of the file";
            return false;
        }
        file.tracks.push_back(in.BytesAt(offset, length));
        offset += length;
    }
    return true;
}

}  // namespace kipkip
