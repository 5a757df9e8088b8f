// device/midifile.cpp
#include "device/midifile.h"

#include <algorithm>

#include "platform/bytecursor.h"

namespace kipkip {

namespace {

constexpr std::size_t kHeaderBytes = 14;      // "MThd", length, format, tracks, division
constexpr std::size_t kChunkHeaderBytes = 8;  // "MTrk", length

}  // namespace

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
