#include "platform/fluidsynth/fluidmidiout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace kipkip {
namespace {

// FluidSynth dithers its 16-bit output: silence is a sample or two of ±1.
constexpr int kSilence = 2;
// A single piano note at velocity 100 peaks well above this with either Debian font.
constexpr int kAudible = 500;

constexpr std::uint32_t NoteOn(int channel, int key, int velocity)
{
    return static_cast<std::uint32_t>(0x90 | channel | key << 8 | velocity << 16);
}

constexpr std::uint32_t Control(int channel, int control, int value)
{
    return static_cast<std::uint32_t>(0xB0 | channel | control << 8 | value << 16);
}

// The loudest sample of `frames` frames rendered in 441-frame pieces, as the audio path does.
int RenderPeak(FluidMidiOut& out, std::size_t frames)
{
    std::vector<std::int16_t> piece(441 * 2);
    int peak = 0;
    for (std::size_t done = 0; done < frames; done += 441) {
        out.Render(piece);
        for (std::int16_t sample : piece) {
            peak = std::max(peak, std::abs(int{sample}));
        }
    }
    return peak;
}

// The tests play real notes through the SoundFont the game would choose (here, with no option).
class FluidMidiOutTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string soundFont = FluidMidiOut::ChooseSoundFont("");
        if (soundFont.empty() || !std::filesystem::exists(soundFont)) {
            GTEST_SKIP() << "no General MIDI SoundFont installed";
        }
        out_ = std::make_unique<FluidMidiOut>(soundFont);
        ASSERT_TRUE(out_->Open()) << out_->Error();
    }

    FluidMidiOut& Out() { return *out_; }

private:
    std::unique_ptr<FluidMidiOut> out_;
};

TEST_F(FluidMidiOutTest, ANoteOnSoundsAndTheResetCutsItAtOnce)
{
    EXPECT_LE(RenderPeak(Out(), 4410), kSilence) << "nothing plays before the first note";
    Out().Short(0x0000C0);  // acoustic grand piano
    Out().Short(NoteOn(0, 60, 100));
    Out().Short(NoteOn(9, 38, 100));  // a snare on the drum channel
    EXPECT_GT(RenderPeak(Out(), 4410), kAudible);
    EXPECT_GT(Out().ActiveVoices(), 0);
    Out().Reset();
    // The cut takes one block of 64 frames to fade; after that, nothing.
    RenderPeak(Out(), 441);
    EXPECT_LE(RenderPeak(Out(), 4410), kSilence);
    EXPECT_EQ(Out().ActiveVoices(), 0);
}

TEST_F(FluidMidiOutTest, ShortMessagesReachTheirChannels)
{
    // Volume 0 on channel 0 silences its notes and no other channel's.
    Out().Short(Control(0, 7, 0));
    Out().Short(NoteOn(0, 60, 127));
    EXPECT_LE(RenderPeak(Out(), 4410), kSilence);
    Out().Short(NoteOn(1, 64, 100));
    EXPECT_GT(RenderPeak(Out(), 4410), kAudible);
    // A note-off (and a note-on at velocity 0) end the notes; the release dies away.
    Out().Short(0x004080 | 1);
    Out().Short(NoteOn(0, 60, 0));
    RenderPeak(Out(), 44100 * 3);
    EXPECT_EQ(Out().ActiveVoices(), 0);
}

// GM System On and the GS reset (device 0x10) both reset the channels: the volume that was
// turned down comes back. FluidSynth obeys them only without F0/F7 and with device id 16.
TEST_F(FluidMidiOutTest, SystemExclusiveResetsAreObeyed)
{
    const std::vector<std::vector<std::uint8_t>> resets = {
        {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7},
        {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7},
    };
    for (const std::vector<std::uint8_t>& reset : resets) {
        // A fresh synthesiser each time: GM System On changes how later messages are taken.
        Out().Close();
        ASSERT_TRUE(Out().Open());
        Out().Short(Control(0, 7, 0));
        ASSERT_TRUE(Out().Long(reset));
        Out().Short(NoteOn(0, 60, 100));
        EXPECT_GT(RenderPeak(Out(), 4410), kAudible) << reset[1];
    }
}

TEST_F(FluidMidiOutTest, AMessageWithoutItsFrameIsRefused)
{
    const std::vector<std::uint8_t> unframed = {0x7E, 0x7F, 0x09, 0x01};
    EXPECT_FALSE(Out().Long(unframed));
    const std::vector<std::uint8_t> unterminated = {0xF0, 0x7E, 0x7F, 0x09, 0x01};
    EXPECT_FALSE(Out().Long(unterminated));
}

TEST_F(FluidMidiOutTest, ClosedItRendersSilenceAndIgnoresMessages)
{
    Out().Close();
    EXPECT_FALSE(Out().IsOpen());
    Out().Short(NoteOn(0, 60, 100));
    std::vector<std::int16_t> out(101, 1234);
    Out().Render(out);
    EXPECT_EQ(out, std::vector<std::int16_t>(101, 0));
    const std::vector<std::uint8_t> gm = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_FALSE(Out().Long(gm));
    // It opens again.
    ASSERT_TRUE(Out().Open());
    Out().Short(NoteOn(0, 60, 100));
    EXPECT_GT(RenderPeak(Out(), 4410), kAudible);
}

TEST(FluidMidiOut, WithoutASoundFontOpenFailsAndSaysWhy)
{
    FluidMidiOut none("");
    EXPECT_FALSE(none.Open());
    EXPECT_NE(none.Error().find("no SoundFont"), std::string::npos) << none.Error();
    FluidMidiOut missing("/no/such/font.sf2");
    EXPECT_FALSE(missing.Open());
    EXPECT_EQ(missing.Error(), "the SoundFont /no/such/font.sf2 does not exist");
    // This very file is no SoundFont either.
    FluidMidiOut notAFont(__FILE__);
    EXPECT_FALSE(notAFont.Open());
    EXPECT_EQ(notAFont.Error(), std::string(__FILE__) + " is not a SoundFont");
    EXPECT_FALSE(notAFont.IsOpen());
    std::vector<std::int16_t> out(8, 1234);
    notAFont.Render(out);
    EXPECT_EQ(out, std::vector<std::int16_t>(8, 0));
}

// The option, then the environment variable, then Debian's fonts, FluidR3 first.
TEST(FluidMidiOut, TheSoundFontIsChosenInItsOrder)
{
    const char* saved = std::getenv("KIPKIP_SOUNDFONT");
    std::string restore = saved != nullptr ? saved : "";
    ::setenv("KIPKIP_SOUNDFONT", "/from/the/environment.sf2", 1);
    EXPECT_EQ(FluidMidiOut::ChooseSoundFont("/given.sf2"), "/given.sf2");
    EXPECT_EQ(FluidMidiOut::ChooseSoundFont(""), "/from/the/environment.sf2");
    ::unsetenv("KIPKIP_SOUNDFONT");
    std::string found = FluidMidiOut::ChooseSoundFont("");
    if (std::filesystem::exists("/usr/share/sounds/sf2/FluidR3_GM.sf2")) {
        EXPECT_EQ(found, "/usr/share/sounds/sf2/FluidR3_GM.sf2");
    } else if (std::filesystem::exists("/usr/share/sounds/sf2/TimGM6mb.sf2")) {
        EXPECT_EQ(found, "/usr/share/sounds/sf2/TimGM6mb.sf2");
    } else {
        EXPECT_EQ(found, "");
    }
    if (saved != nullptr) {
        ::setenv("KIPKIP_SOUNDFONT", restore.c_str(), 1);
    }
}

}  // namespace
}  // namespace kipkip
