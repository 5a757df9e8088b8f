// tests/support/smfbytes.h
// Standard MIDI files built in a test, a track at a time: each event is written as its delta
// time (a variable-length number) followed by its bytes, and a file wraps its tracks in an
// MThd header and MTrk chunks.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace kipkip::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes VariableLength(std::uint32_t value)
{
    Bytes reversed{static_cast<std::uint8_t>(value & 0x7F)};
    while (value >>= 7) {
        reversed.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    }
    return Bytes(reversed.rbegin(), reversed.rend());
}

inline void Append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

class TrackBytes {
public:
    // Any event: the delta time and the bytes as given.
    TrackBytes& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes)
    {
        Append(data, VariableLength(delta));
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    TrackBytes& Meta(std::uint32_t delta, std::uint8_t type, const Bytes& content)
    {
        Append(data, VariableLength(delta));
        data.push_back(0xFF);
        data.push_back(type);
        Append(data, VariableLength(static_cast<std::uint32_t>(content.size())));
        Append(data, content);
        return *this;
    }
    TrackBytes& Tempo(std::uint32_t delta, std::uint32_t microsPerQuarter)
    {
        return Meta(delta, 0x51,
                    {static_cast<std::uint8_t>(microsPerQuarter >> 16),
                     static_cast<std::uint8_t>(microsPerQuarter >> 8),
                     static_cast<std::uint8_t>(microsPerQuarter)});
    }
    TrackBytes& Cue(std::uint32_t delta, std::string_view text)
    {
        return Meta(delta, 0x07, Bytes(text.begin(), text.end()));
    }
    TrackBytes& EndOfTrack(std::uint32_t delta) { return Meta(delta, 0x2F, {}); }
    // A system-exclusive event: F0, the length, then the bytes after F0 (normally ending F7).
    TrackBytes& SysEx(std::uint32_t delta, const Bytes& afterF0)
    {
        Append(data, VariableLength(delta));
        data.push_back(0xF0);
        Append(data, VariableLength(static_cast<std::uint32_t>(afterF0.size())));
        Append(data, afterF0);
        return *this;
    }
    // Bytes as they are, for events cut short.
    TrackBytes& Raw(std::initializer_list<std::uint8_t> bytes)
    {
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }

    Bytes data;
};

inline void AppendU16(Bytes& to, int value)
{
    to.push_back(static_cast<std::uint8_t>(value >> 8));
    to.push_back(static_cast<std::uint8_t>(value));
}

inline void AppendU32(Bytes& to, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        to.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// The header says `declaredTracks` (the number of tracks given when negative).
inline Bytes SmfFile(int format, int division, const std::vector<TrackBytes>& tracks,
                     int declaredTracks = -1)
{
    Bytes file{'M', 'T', 'h', 'd'};
    AppendU32(file, 6);
    AppendU16(file, format);
    AppendU16(file, declaredTracks < 0 ? static_cast<int>(tracks.size()) : declaredTracks);
    AppendU16(file, division);
    for (const TrackBytes& track : tracks) {
        Append(file, {'M', 'T', 'r', 'k'});
        AppendU32(file, static_cast<std::uint32_t>(track.data.size()));
        Append(file, track.data);
    }
    return file;
}

}  // namespace kipkip::test
