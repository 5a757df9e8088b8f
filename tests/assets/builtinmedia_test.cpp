// The built-in bitmaps, sounds and song have the sizes and layouts the game is made for.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/resources.h"

namespace kipkip {
namespace {

// Little- and big-endian reads that never go past the resource.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}

    bool Has(std::size_t offset, std::size_t count) const
    {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    std::uint32_t Le(std::size_t offset, int count) const
    {
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i) {
            value = (value << 8) | At(offset + static_cast<std::size_t>(i));
        }
        return value;
    }
    std::uint32_t Be(std::size_t offset, int count) const
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            value = (value << 8) | At(offset + static_cast<std::size_t>(i));
        }
        return value;
    }
    std::string Text(std::size_t offset, std::size_t count) const
    {
        return Has(offset, count)
                   ? std::string(data_.begin() + offset, data_.begin() + offset + count)
                   : "";
    }
    std::uint8_t At(std::size_t offset) const { return offset < data_.size() ? data_[offset] : 0; }
    std::size_t Size() const { return data_.size(); }

private:
    std::span<const std::uint8_t> data_;
};

Bytes Resource(const char* type, const char* name)
{
    auto resource = FindResource(type, name);
    EXPECT_TRUE(resource) << type << " " << name;
    return Bytes(resource.value_or(std::span<const std::uint8_t>()));
}

TEST(BuiltInMedia, BitmapsAreUncompressedEightBitPalettesOfTheirSizes)
{
    struct Case {
        const char* name;
        std::uint32_t width, height;
    };
    const Case cases[] = {
        {"BACK", 320, 960}, {"BLOCK", 48, 16},    {"CLEAR", 215, 65},    {"COIN", 192, 64},
        {"DROP", 112, 56},  {"ENEMY", 128, 64},   {"GAMEOVER", 209, 70}, {"HISCORE", 120, 40},
        {"M", 37, 22},      {"KIPKIP0", 128, 96}, {"SPASE", 316, 58},    {"SUUJI", 80, 32},
        {"TIME", 100, 38},  {"TITLE", 320, 240},
    };
    for (const Case& c : cases) {
        Bytes bmp = Resource("BITMAP", c.name);
        ASSERT_TRUE(bmp.Has(0, 54)) << c.name;
        EXPECT_EQ(bmp.Text(0, 2), "BM") << c.name;
        EXPECT_EQ(bmp.Le(14, 4), 40u) << c.name << ": the classic 40-byte info header";
        EXPECT_EQ(bmp.Le(18, 4), c.width) << c.name;
        EXPECT_EQ(bmp.Le(22, 4), c.height) << c.name;
        EXPECT_EQ(bmp.Le(28, 2), 8u) << c.name << ": bits per pixel";
        EXPECT_EQ(bmp.Le(30, 4), 0u) << c.name << ": compression";
        std::uint32_t rowBytes = (c.width + 3) / 4 * 4;
        EXPECT_GE(bmp.Size(), bmp.Le(10, 4) + rowBytes * c.height) << c.name << ": pixel data";
        // The palette's first entry is pure black, the transparent colour.
        EXPECT_EQ(bmp.Le(54, 3), 0u) << c.name;
    }
}

// The chunks of a RIFF WAVE file in order, with the fmt chunk's fields.
struct Wave {
    std::vector<std::string> chunks;
    std::uint32_t fmtSize = 0, format = 0, channels = 0, rate = 0, bits = 0, frames = 0,
                  dataBytes = 0;
};

Wave ReadWave(const Bytes& file)
{
    Wave wave;
    if (file.Text(0, 4) != "RIFF" || file.Text(8, 4) != "WAVE") {
        return wave;
    }
    for (std::size_t at = 12; file.Has(at, 8);) {
        std::string id = file.Text(at, 4);
        std::uint32_t size = file.Le(at + 4, 4);
        if (!file.Has(at + 8, size)) {
            wave.chunks.push_back(id + " (runs past the end)");
            break;
        }
        wave.chunks.push_back(id);
        if (id == "fmt ") {
            wave.fmtSize = size;
            wave.format = file.Le(at + 8, 2);
            wave.channels = file.Le(at + 10, 2);
            wave.rate = file.Le(at + 12, 4);
            wave.bits = file.Le(at + 22, 2);
        } else if (id == "fact") {
            wave.frames = file.Le(at + 8, 4);
        } else if (id == "data") {
            wave.dataBytes = size;
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

TEST(BuiltInMedia, SoundsArePcmWavesWithFmtFactAndDataChunks)
{
    struct Case {
        const char* name;
        std::uint32_t channels, rate;
    };
    for (const Case& c : {Case{"FLY", 1, 44100}, Case{"DOWN", 1, 44100}, Case{"STAR", 2, 22050}}) {
        Wave wave = ReadWave(Resource("WAVE", c.name));
        EXPECT_EQ(wave.chunks, (std::vector<std::string>{"fmt ", "fact", "data"})) << c.name;
        EXPECT_EQ(wave.fmtSize, 16u) << c.name;
        EXPECT_EQ(wave.format, 1u) << c.name << ": PCM";
        EXPECT_EQ(wave.channels, c.channels) << c.name;
        EXPECT_EQ(wave.rate, c.rate) << c.name;
        EXPECT_EQ(wave.bits, 16u) << c.name;
        std::uint32_t frameBytes = c.channels * 2;
        EXPECT_EQ(wave.frames * frameBytes, wave.dataBytes) << c.name << ": fact counts the frames";
        EXPECT_GT(wave.frames, 0u) << c.name;
        EXPECT_LT(wave.frames, c.rate / 2) << c.name << ": under half a second";
    }
}

// What the song's first track and header say.
struct Song {
    std::uint32_t format = 0, tracks = 0, division = 0, tempo = 0, tracksFound = 0;
    std::vector<std::pair<std::uint32_t, std::string>> cues;  // tick, text
};

std::uint32_t ReadNumber(const Bytes& file, std::size_t& at, std::size_t end)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        std::uint8_t byte = file.At(at++);
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0) {
            break;
        }
    }
    return value;
}

// Walks the first track's events, keeping the tempo and the cue points.
void ReadConductor(const Bytes& file, std::size_t at, std::size_t end, Song& song)
{
    std::uint32_t tick = 0;
    std::uint8_t status = 0;
    while (at < end) {
        tick += ReadNumber(file, at, end);
        std::uint8_t byte = file.At(at);
        if (byte & 0x80) {
            status = byte;
            ++at;
        }
        if (status == 0xFF) {
            std::uint8_t type = file.At(at++);
            std::uint32_t length = ReadNumber(file, at, end);
            if (type == 0x51 && length == 3) {
                song.tempo = file.Be(at, 3);
            } else if (type == 0x07) {
                song.cues.push_back({tick, file.Text(at, length)});
            } else if (type == 0x2F) {
                return;
            }
            at += length;
        } else if (status == 0xF0 || status == 0xF7) {
            at += ReadNumber(file, at, end);
        } else {
            std::uint8_t kind = status & 0xF0;
            at += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        }
    }
}

TEST(BuiltInMedia, TheSongIsAFormat1FileOfTenTracksWithItsLoopCues)
{
    Bytes file = Resource("MIDI", "BGM");
    Song song;
    ASSERT_EQ(file.Text(0, 4), "MThd");
    song.format = file.Be(8, 2);
    song.tracks = file.Be(10, 2);
    song.division = file.Be(12, 2);
    std::size_t at = 8 + file.Be(4, 4);
    while (file.Has(at, 8) && file.Text(at, 4) == "MTrk") {
        std::uint32_t length = file.Be(at + 4, 4);
        ASSERT_TRUE(file.Has(at + 8, length))
            << "track " << song.tracksFound << " runs past the end";
        if (song.tracksFound == 0) {
            ReadConductor(file, at + 8, at + 8 + length, song);
        }
        ++song.tracksFound;
        at += 8 + length;
    }
    EXPECT_EQ(song.format, 1u);
    EXPECT_EQ(song.tracks, 10u);
    EXPECT_EQ(song.tracksFound, 10u);
    EXPECT_EQ(song.division, 480u);
    EXPECT_EQ(song.tempo, 363636u);
    EXPECT_EQ(song.cues, (std::vector<std::pair<std::uint32_t, std::string>>{{1920, "repeat"},
                                                                             {32640, "end"}}));
}

}  // namespace
}  // namespace kipkip
