#include "platform/wavewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kipkip {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::string TagAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

TEST(WaveWriter, WritesTheCanonicalHeaderForEachLayout)
{
    struct Case {
        int rate;
        int channels;
        std::size_t samples;
        std::uint32_t byteRate;
        std::uint16_t blockAlign;
    };
    const Case cases[] = {
        {44100, 2, 882 * 2 * 3, 176400, 4},  // three ticks of the game's output
        {22050, 1, 5, 44100, 2},
        {8000, 2, 0, 32000, 4},  // an empty run is still a file that tools open
    };
    for (const Case& c : cases) {
        std::vector<std::int16_t> samples(c.samples, 7);
        std::vector<std::uint8_t> file = EncodeWave16(samples, c.rate, c.channels);
        SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.channels) + " channels");
        auto dataSize = static_cast<std::uint32_t>(c.samples * 2);
        ASSERT_EQ(file.size(), kWaveHeaderSize + dataSize);
        EXPECT_EQ(TagAt(file, 0), "RIFF");
        EXPECT_EQ(U32At(file, 4), file.size() - 8);
        EXPECT_EQ(TagAt(file, 8), "WAVE");
        EXPECT_EQ(TagAt(file, 12), "fmt ");
        EXPECT_EQ(U32At(file, 16), 16u);
        EXPECT_EQ(U16At(file, 20), 1u);  // PCM
        EXPECT_EQ(U16At(file, 22), c.channels);
        EXPECT_EQ(U32At(file, 24), static_cast<std::uint32_t>(c.rate));
        EXPECT_EQ(U32At(file, 28), c.byteRate);
        EXPECT_EQ(U16At(file, 32), c.blockAlign);
        EXPECT_EQ(U16At(file, 34), 16u);
        EXPECT_EQ(TagAt(file, 36), "data");
        EXPECT_EQ(U32At(file, 40), dataSize);
    }
}

TEST(WaveWriter, StoresEverySampleLittleEndianInOrder)
{
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768, 0x1234};
    std::vector<std::uint8_t> file = EncodeWave16(samples, 44100, 2);
    ASSERT_EQ(file.size(), kWaveHeaderSize + samples.size() * 2);
    const std::vector<std::uint8_t> expected = {0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF,
                                                0xFF, 0x7F, 0x00, 0x80, 0x34, 0x12};
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + kWaveHeaderSize, file.end()), expected);
}

TEST(WaveWriter, RefusesWhatTheHeaderCannotDescribe)
{
    const std::vector<std::int16_t> three(3, 0);
    struct Case {
        const char* what;
        int rate;
        int channels;
    };
    const Case cases[] = {
        {"no channels", 44100, 0},
        {"three channels", 44100, 3},
        {"a rate of 0", 0, 1},
        {"a negative rate", -44100, 1},
        {"half a stereo frame at the end", 44100, 2},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(EncodeWave16(three, c.rate, c.channels).empty()) << c.what;
    }
}

}  // namespace
}  // namespace kipkip
