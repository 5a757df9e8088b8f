#include "platform/soundfontguard.h"

#include <gtest/gtest.h>

#include <cstdint>
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

bool Guarded(const std::string& image)
{
    std::istringstream in(image);
    return EverySampleGuarded(in);
}

TEST(SoundFontGuard, AFontWithSilenceAfterEverySampleIsGuarded)
{
    EXPECT_TRUE(Guarded(Font({{}, {300, 46}, {50, 100}})));
}

TEST(SoundFontGuard, ASamplePackedAgainstTheNextIsNotGuarded)
{
    EXPECT_FALSE(Guarded(Font({{}, {300, 0}, {}})));
    EXPECT_FALSE(Guarded(Font({{}, {300, 45}, {}})));
    EXPECT_FALSE(Guarded(Font({{}, {}, {100, 20}})));  // the last one's silence cut short
}

TEST(SoundFontGuard, SamplesInTheSynthesisersRomNeedNoSilence)
{
    EXPECT_TRUE(Guarded(Font({{}, {300, 0, 0x8001}, {}})));
}

// Whatever is not a readable SoundFont answers no, which only means it is loaded whole.
TEST(SoundFontGuard, AnythingUnreadableIsNotGuarded)
{
    const std::string good = Font({{}, {}});
    std::string wrongForm = good;
    wrongForm.replace(8, 4, "WAVE");
    std::string chunkPastEnd = good;
    chunkPastEnd[16] = '\x7f';  // the INFO list claims far more than the file holds
    const std::string noHeaders = Chunk("RIFF", "sfbk" + Chunk("LIST", "sdta" + Chunk("smpl", "")));
    const std::string onlyTheClosingRecord = Font({});
    for (const std::string& image :
         {std::string(), good.substr(0, 10), good.substr(0, good.size() - 30), wrongForm,
          chunkPastEnd, noHeaders, onlyTheClosingRecord}) {
        EXPECT_FALSE(Guarded(image)) << image.size() << " bytes";
    }
    EXPECT_FALSE(EverySampleGuarded(std::string("/nonexistent/font.sf2")));
}

}  // namespace
}  // namespace kipkip
