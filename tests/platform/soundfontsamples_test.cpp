#include "platform/soundfontsamples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kipkip {
namespace {

// A SoundFont image of a few samples: each sample's points, then `gap` points of zero before the
// next one, and the sample headers with a closing record.
struct FontSample {
    int points = 100;
    int gap = 46;
    std::uint16_t type = 1;  // mono
};

void PutLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i));
    }
}

std::string Chunk(const std::string& id, const std::string& body)
{
    std::string out = id;
    PutLe(out, static_cast<std::uint32_t>(body.size()), 4);
    return out + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Font(const std::vector<FontSample>& samples)
{
    std::string points;
    std::string headers;
    for (const FontSample& sample : samples) {
        const auto start = static_cast<std::uint32_t>(points.size() / 2);
        for (int i = 0; i < sample.points; ++i) {
            PutLe(points, 1000 + i, 2);
        }
        const auto end = static_cast<std::uint32_t>(points.size() / 2);
        points.append(static_cast<std::size_t>(sample.gap) * 2, '\0');
        headers += std::string(20, 'x');
        for (std::uint32_t word : {start, end, start + 10, end - 10, 44100u}) {
            PutLe(headers, word, 4);
        }
        headers += std::string("\x3c\0\0\0", 4);  // original key, correction, link
        PutLe(headers, sample.type, 2);
    }
    headers += std::string("EOS") + std::string(43, '\0');
    const std::string info = Chunk("LIST", "INFO" + Chunk("ifil", std::string("\2\0\1\0", 4)));
    const std::string sdta = Chunk("LIST", "sdta" + Chunk("smpl", points));
    const std::string pdta = Chunk("LIST", "pdta" + Chunk("shdr", headers));
    return Chunk("RIFF", "sfbk" + info + sdta + pdta);
}

std::optional<SoundFontSamples> Samples(const std::string& image)
{
    std::istringstream in(image);
    return SoundFontSamples::Read(in);
}

// Where the points of the fixture's samples begin in the file.
std::uint64_t PointsAt(const std::string& image, const std::string& chunk = "smpl")
{
    return image.find(chunk) + 8;
}

// A read from a sample's first point keeps that sample and reads silence after it, however
// little or much follows it in the file; any other read is left whole.
TEST(SoundFontSamples, AReadFromASamplesStartKeepsOnlyThatSample)
{
    const std::string image = Font({{100, 0}, {300, 46}, {50, 200}});
    const auto samples = Samples(image);
    ASSERT_TRUE(samples);
    EXPECT_EQ(samples->SampleCount(), 3u);
    const std::uint64_t points = PointsAt(image);
    const struct {
        std::uint64_t offset;
        std::uint64_t count;
        std::uint64_t kept;
    } reads[] = {
        {points, 2 * 146, 2 * 100},                // the first sample and the second's start
        {points + 2 * 100, 2 * 346, 2 * 300},      // the second, packed right after the first
        {points + 2 * 446, 2 * 296, 2 * 50},       // the third and the silence after it
        {points + 2 * 100, 2 * 20, 2 * 20},        // less than the sample: all of it is the sample
        {points + 2 * 101, 2 * 400, 2 * 400},      // not a sample's start
        {points + 2 * 100 + 1, 2 * 400, 2 * 400},  // between two points
        {0, 12, 12},                               // the file's header
        {image.size() - 46, 46, 46},               // the sample headers
    };
    for (const auto& read : reads) {
        EXPECT_EQ(samples->Kept(read.offset, read.count), read.kept)
            << read.offset - points << "+" << read.count;
    }
}

TEST(SoundFontSamples, SamplesInTheSynthesisersRomAreNotPlaced)
{
    const std::string image = Font({{}, {300, 0, 0x8001}, {}});
    const auto samples = Samples(image);
    ASSERT_TRUE(samples);
    EXPECT_EQ(samples->SampleCount(), 2u);
    EXPECT_EQ(samples->Kept(PointsAt(image) + 2 * 146, 2 * 400), 2u * 400);
}

// The low bytes of 24-bit points sit in a chunk of their own, a byte a point.
TEST(SoundFontSamples, TheLowBytesOfEachSampleAreKeptToo)
{
    std::string image = Font({{100, 0}, {300, 46}});
    const std::string lowBytes = Chunk("sm24", std::string(446, '\1'));
    image.insert(image.find("LIST", image.find("smpl")), lowBytes);
    const std::uint32_t riffSize = static_cast<std::uint32_t>(image.size() - 8);
    const std::uint32_t sdtaSize =
        static_cast<std::uint32_t>(image.find("LIST", image.find("sm24")) - image.find("sdta"));
    for (int i = 0; i < 4; ++i) {
        image[4 + i] = static_cast<char>(riffSize >> (8 * i));
        image[image.find("sdta") - 4 + i] = static_cast<char>(sdtaSize >> (8 * i));
    }
    const auto samples = Samples(image);
    ASSERT_TRUE(samples);
    EXPECT_EQ(samples->Kept(PointsAt(image, "sm24"), 146), 100u);
    EXPECT_EQ(samples->Kept(PointsAt(image, "sm24") + 100, 346), 300u);
    EXPECT_EQ(samples->Kept(PointsAt(image) + 2 * 100, 2 * 346), 2u * 300);
}

// Whatever cannot be placed gives no layout, which only means the font is loaded whole.
TEST(SoundFontSamples, AnythingUnreadableIsNotPlaced)
{
    const std::string good = Font({{}, {}});
    std::string wrongForm = good;
    wrongForm.replace(8, 4, "WAVE");
    std::string chunkPastEnd = good;
    chunkPastEnd[16] = '\x7f';  // the INFO list claims far more than the file holds
    const std::string noHeaders = Chunk("RIFF", "sfbk" + Chunk("LIST", "sdta" + Chunk("smpl", "")));
    const std::string compressed = Font({{}, {100, 0, 0x11}});
    for (const std::string& image :
         {std::string(), good.substr(0, 10), good.substr(0, good.size() - 30), wrongForm,
          chunkPastEnd, noHeaders, compressed}) {
        EXPECT_FALSE(Samples(image)) << image.size() << " bytes";
    }
    EXPECT_FALSE(SoundFontSamples::Read(std::string("/nonexistent/font.sf2")));
}

}  // namespace
}  // namespace kipkip
