// platform/soundfontsamples.h
// Where the samples of a SoundFont lie in its file, and how much of a read that begins at a
// sample belongs to that sample.
//
// The format asks for 46 points of silence after every sample, and FluidSynth's on-demand loader
// counts those points into each sample it loads. A font packed without them (TimGM6mb is one)
// would then end every unlooped note with the first points of the next sample, a click; the
// synthesiser's file reads use Kept() to read silence there instead.
//
// Only the RIFF chunk headers and the sample headers are read. Anything unexpected (not a RIFF
// SoundFont, a chunk that runs past the file, compressed samples) gives no layout, which only
// means the font is loaded whole.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace kipkip {

class SoundFontSamples {
public:
    // A sample's points: [start, end) in the 16-bit point array.
    struct Extent {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
    };

    // Where a chunk's bytes lie in the file.
    struct Chunk {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
    };

    static std::optional<SoundFontSamples> Read(std::istream& font);
    static std::optional<SoundFontSamples> Read(const std::string& path);

    // Of `count` bytes read from the file at `offset`, how many to keep: a read that begins at a
    // sample's first point (in the 16-bit points or in the low bytes of 24-bit ones) keeps what
    // belongs to that sample, and the rest is to be read as silence; any other read keeps all.
    std::uint64_t Kept(std::uint64_t offset, std::uint64_t count) const;

    std::size_t SampleCount() const { return samples_.size(); }

private:
    std::uint64_t KeptIn(const Chunk& chunk, std::uint64_t bytesPerPoint, std::uint64_t offset,
                         std::uint64_t count) const;

    Chunk points_;                   // the 16-bit points
    std::optional<Chunk> lowBytes_;  // the low bytes of 24-bit points, if any
    std::vector<Extent> samples_;    // by start
};

}  // namespace kipkip
