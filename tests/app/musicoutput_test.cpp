// The music's output as chosen: silent or the synthesiser, behind the MIDI log when asked.
#include "app/musicoutput.h"

#include <gtest/gtest.h>

#include "device/audiopath.h"
#include "device/soundmixer.h"
#include "platform/files.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

struct MusicOutputTest : testing::Test {
    test::TempDir dir;
    SoundMixer mixer;
    AudioPath path{mixer};
    MusicOutput music;
    std::string error;
};

TEST_F(MusicOutputTest, TheLogWritesWhatTheSequencerSendsOnItsWayToTheSink)
{
    const std::string log = (dir.Path() / "midi.log").string();
    {
        MusicOutput logged;  // the log is complete once its output has gone
        ASSERT_TRUE(logged.Start({MusicSink::Silent, true}, "", log, path, error)) << error;
        MidiOut& out = logged.Output(true);
        ASSERT_TRUE(out.Open());
        out.Short(0x643C90);
        out.Reset();
    }
    auto bytes = ReadWholeFile(log);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "0 90 3C 64\n0 reset\n");
}

TEST_F(MusicOutputTest, ALogThatCannotBeWrittenIsAnError)
{
    const std::string log = (dir.Path() / "missing" / "midi.log").string();
    EXPECT_FALSE(music.Start({MusicSink::Silent, true}, "", log, path, error));
    EXPECT_EQ(error, "cannot write the MIDI log " + log);
}

TEST_F(MusicOutputTest, TheSynthesiserSaysWhyItDidNotOpen)
{
    const std::string font = (dir.Path() / "no-such-font.sf2").string();
    ASSERT_TRUE(music.Start({MusicSink::Synthesiser, false}, font, "", path, error));
    EXPECT_FALSE(music.Output(true).Open());
    EXPECT_EQ(music.Failure(), "the SoundFont " + font + " does not exist");
}

TEST_F(MusicOutputTest, SilentOpensWithoutAnySoundFont)
{
    ASSERT_TRUE(music.Start({MusicSink::Silent, false}, "", "", path, error));
    EXPECT_TRUE(music.Output(true).Open());
}

}  // namespace
}  // namespace kipkip
