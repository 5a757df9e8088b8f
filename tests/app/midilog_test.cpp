#include "app/midilog.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace kipkip {
namespace {

// What reached the output behind the log.
class RecordingMidiOut : public MidiOut {
public:
    bool Open() override { return opened = true; }
    void Close() override { opened = false; }
    void Short(std::uint32_t message) override { shorts.push_back(message); }
    bool Long(std::span<const std::uint8_t> bytes) override
    {
        longs.emplace_back(bytes.begin(), bytes.end());
        return acceptLong;
    }
    void Reset() override { ++resets; }

    bool opened = false;
    bool acceptLong = true;
    std::vector<std::uint32_t> shorts;
    std::vector<std::vector<std::uint8_t>> longs;
    int resets = 0;
};

struct MidiLogFixture : testing::Test {
    RecordingMidiOut out;
    std::ostringstream lines;
    std::uint64_t now = 0;
    MidiLog log{out, lines, [this] { return now; }};
};

TEST_F(MidiLogFixture, WritesEachMessageWithItsPassTimeAndPassesItOn)
{
    ASSERT_TRUE(log.Open());
    EXPECT_TRUE(out.opened);
    log.Short(0x644593);  // note-on, channel 4, key 0x45, velocity 0x64
    log.Short(0x0107C5);  // program change: one data byte, whatever stands in the word above it
    now = 10;
    log.Short(0x2000E0);  // pitch bend
    const std::vector<std::uint8_t> gs = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40,
                                          0x00, 0x7F, 0x00, 0x41, 0xF7};
    EXPECT_TRUE(log.Long(gs));
    now = 123450;
    log.Reset();
    EXPECT_EQ(lines.str(),
              "0 93 45 64\n"
              "0 C5 07\n"
              "10 E0 00 20\n"
              "10 F0 41 10 42 12 40 00 7F 00 41 F7\n"
              "123450 reset\n");
    EXPECT_EQ(out.shorts, (std::vector<std::uint32_t>{0x644593, 0x0107C5, 0x2000E0}));
    ASSERT_EQ(out.longs.size(), 1u);
    EXPECT_EQ(out.longs[0], gs);
    EXPECT_EQ(out.resets, 1);
    log.Close();
    EXPECT_FALSE(out.opened);
}

// A message the output refuses was still sent: the log shows it, and the sender hears the
// refusal.
TEST_F(MidiLogFixture, ARefusedLongMessageIsLoggedAndReportedAsRefused)
{
    out.acceptLong = false;
    const std::vector<std::uint8_t> gm = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_FALSE(log.Long(gm));
    EXPECT_EQ(lines.str(), "0 F0 7E 7F 09 01 F7\n");
}

TEST(MidiLog, ShortMessagesCarryTheBytesTheirStatusSays)
{
    for (int status : {0x80, 0x9F, 0xA0, 0xB3, 0xEF, 0xF2}) {
        EXPECT_EQ(MidiLog::ShortLength(static_cast<std::uint8_t>(status)), 3) << status;
    }
    for (int status : {0xC0, 0xCF, 0xD0, 0xDF, 0xF1, 0xF3}) {
        EXPECT_EQ(MidiLog::ShortLength(static_cast<std::uint8_t>(status)), 2) << status;
    }
    for (int status : {0xF6, 0xF8, 0xFE, 0x45}) {
        EXPECT_EQ(MidiLog::ShortLength(static_cast<std::uint8_t>(status)), 1) << status;
    }
}

}  // namespace
}  // namespace kipkip
