#include "app/mainform.h"

#include <gtest/gtest.h>

#include "support/fakeports.h"
#include "support/formrig.h"

namespace kipkip {
namespace {

// An output that only counts how it was opened and closed; `refuse` makes Open fail.
class CountingMidiOut : public MidiOut {
public:
    bool Open() override
    {
        ++opens;
        return !refuse;
    }
    void Close() override { ++closes; }
    void Short(std::uint32_t) override {}
    bool Long(std::span<const std::uint8_t>) override { return true; }
    void Reset() override {}

    bool refuse = false;
    int opens = 0;
    int closes = 0;
};

using test::DrawingMode;

struct MainFormFixture : testing::Test {
    test::FakeVideo video;
    test::FakeBitmaps bitmaps;
    test::FakeFont fonts;
    test::FakeInput input;
    test::FakeTimer timer;
    SoundMixer mixer;
    CountingMidiOut midiOut;
    bool mute = false;
    int made = 0;

    TMainForm::Ports Ports() { return {video, bitmaps, fonts, input, timer, mixer, midiOut, mute}; }
    TGameMgrMode::MainModeFactory Factory()
    {
        return [this](TGameMode* parent, std::int32_t value, TKernel* kernel) {
            ++made;
            return std::make_unique<DrawingMode>(parent, value, kernel);
        };
    }
};

TEST_F(MainFormFixture, StartUpLeavesThe20MsTimerRunningAndTheButtonsOnSpaceBAndReturn)
{
    TMainForm form(Ports(), Factory());
    EXPECT_NE(timer.running, 0u);
    EXPECT_EQ(timer.interval, 20u);
    InputState map;
    ASSERT_TRUE(form.Kernel()->input->GetKeys(map));
    EXPECT_EQ(map, (InputState{0xC8, 0xD0, 0xCB, 0xCD, 0x39, 0x30, 0x1C}));
    EXPECT_EQ(made, 0);  // nothing of the game exists before the first tick
}

// The kernel reaches the form's sound device whether or not it was initialised: a muted device
// refuses every sound by itself.
TEST_F(MainFormFixture, StartUpInitialisesTheSoundDeviceUnlessMuted)
{
    for (bool muted : {false, true}) {
        mute = muted;
        TMainForm form(Ports(), Factory());
        EXPECT_EQ(form.Kernel()->sound, &form.Sound()) << muted;
        EXPECT_EQ(form.Sound().Initialised(), !muted) << muted;
    }
}

// The sequencer opens its output at start-up unless muted, and the kernel reaches it either way
// (a sequencer that is not open refuses every song by itself).
TEST_F(MainFormFixture, StartUpOpensTheMusicOutputUnlessMuted)
{
    for (bool muted : {false, true}) {
        mute = muted;
        midiOut.opens = 0;
        {
            TMainForm form(Ports(), Factory());
            EXPECT_EQ(form.Kernel()->midi, &form.Midi()) << muted;
            EXPECT_EQ(form.Midi().IsOpen(), !muted) << muted;
            EXPECT_EQ(midiOut.opens, muted ? 0 : 1) << muted;
        }
        EXPECT_EQ(midiOut.closes, muted ? 0 : 1) << "closed when the form goes, muted " << muted;
        midiOut.closes = 0;
    }
}

// No output: the game starts all the same, without music.
TEST_F(MainFormFixture, AMusicOutputThatDoesNotOpenLeavesTheGameRunning)
{
    midiOut.refuse = true;
    TMainForm form(Ports(), Factory());
    EXPECT_FALSE(form.Midi().IsOpen());
    EXPECT_FALSE(form.Midi().Play("BGM", true));
    timer.Expire();
    EXPECT_EQ(made, 1);
}

TEST_F(MainFormFixture, TheFirstTickMakesTheMainModeAndPaintsNeverAdvanceTheGame)
{
    TMainForm form(Ports(), Factory());
    form.FormPaint();
    timer.Expire();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(video.presents, 0);
    timer.Expire();
    EXPECT_EQ(video.presents, 1);
    form.FormPaint();
    EXPECT_EQ(video.presents, 2);
    EXPECT_EQ(form.Kernel()->elapsed, 40);
}

TEST_F(MainFormFixture, ShutDownStopsTheTicksBeforeTheGameGoes)
{
    TMainForm form(Ports(), Factory());
    timer.Expire();
    form.FormDestroy();
    EXPECT_EQ(timer.running, 0u);
    EXPECT_EQ(form.Kernel(), nullptr);
    form.FormPaint();  // a late paint finds nothing to draw
    EXPECT_EQ(video.presents, 0);
}

TEST_F(MainFormFixture, ARefusedTimerEscapesStartUp)
{
    timer.refuse = true;
    EXPECT_THROW(TMainForm form(Ports(), Factory()), EHITimerError);
}

}  // namespace
}  // namespace kipkip
