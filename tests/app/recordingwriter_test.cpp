// The recording of a run is written after every tick in which a game ended, as the game reports
// it through its host, and once more at the end; it is numbered by game ticks.
#include "app/recordingwriter.h"

#include <gtest/gtest.h>

#include <string>

#include "app/recordinghost.h"
#include "app/runclock.h"
#include "app/ticksampling.h"
#include "platform/files.h"
#include "replay/replayfile.h"
#include "replay/replayrecorder.h"
#include "replay/tickinput.h"
#include "support/fakeports.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

// The ordinary host's stand-in: fixed seeds, no file, and a count of the game overs it heard.
class PlainHost : public GameHost {
public:
    std::uint32_t NewGameSeed() override { return 1000 + seeds++; }
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view, std::size_t) override
    {
        return std::nullopt;
    }
    void WriteScoreFile(std::string_view, std::span<const std::uint8_t>) override {}
    void GameOver() override { ++gamesOver; }

    std::uint32_t seeds = 0;
    int gamesOver = 0;
};

struct RecordingRun {
    test::TempDir dir;
    std::string path = (dir.Path() / "run.rec").string();
    test::FakeInput device;
    TickInput input{device};
    TickSampling sampling{&input};
    RunClock clock;
    ReplayRecorder recorder{path, {}, kDefaultPadBinding};
    RecordingWriter writer{recorder, input, clock};
    PlainHost files;
    RecordingHost host{files, recorder, writer, clock};
    std::uint64_t loopTick = 0;

    // One loop tick; the game, when stepped, reads the keyboard and does what `game` says.
    template <typename Game>
    void Tick(bool stepGame, Game game)
    {
        ++loopTick;
        clock.BeforeTick(loopTick);
        sampling.BeforeTick(loopTick);
        if (stepGame) {
            clock.GameStepped();
            KeyboardState keys;
            input.ReadKeyboard(keys);
            game();
        }
        writer.AfterTick(loopTick);
    }
    void Tick(bool stepGame = true)
    {
        Tick(stepGame, [] {});
    }
    std::string File() const
    {
        auto bytes = ReadWholeFile(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : "";
    }
};

TEST(RecordingWriter, WritesTheRecordingAfterEachGameOver)
{
    RecordingRun run;
    for (int game = 1; game <= 3; ++game) {
        run.Tick(true, [&run] { run.host.NewGameSeed(); });
        run.device.keyboard[0x39] = game % 2 != 0 ? 0x80 : 0;
        run.Tick();
        const std::string before = run.File();
        run.Tick(true, [&run] { run.host.GameOver(); });
        const std::string written = run.File();
        ASSERT_NE(written, before) << "game " << game;
        auto replay = ReplayFile::Parse(
            "run.rec",
            std::span(reinterpret_cast<const std::uint8_t*>(written.data()), written.size()));
        ASSERT_TRUE(replay.replay) << replay.error;
        EXPECT_EQ(replay.replay->seeds.size(), static_cast<std::size_t>(game));
        EXPECT_EQ(replay.replay->LastTick(), run.clock.GameTick()) << "up to the game over's tick";
        run.Tick();
        run.Tick();
        EXPECT_EQ(run.File(), written) << "nothing more until the next game over";
    }
    EXPECT_EQ(run.files.gamesOver, 3) << "the ordinary host hears of it too";
    EXPECT_FALSE(run.writer.Failed());
}

TEST(RecordingWriter, NumbersTheRecordingByGameTicks)
{
    RecordingRun run;
    run.Tick();
    run.Tick(false);
    run.Tick(false);
    run.Tick(true, [&run] { run.host.NewGameSeed(); });
    run.device.keyboard[0x39] = 0x80;
    run.Tick(false);
    run.Tick();
    run.writer.Finish();
    auto replay = ReplayFile::Load(run.path);
    ASSERT_TRUE(replay.replay) << replay.error;
    EXPECT_EQ(replay.replay->LastTick(), 3u);
    EXPECT_EQ(replay.replay->seeds,
              (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{2, 1000}}));
    EXPECT_FALSE(replay.replay->script.HeldAt(2).keys.test(0x39));
    EXPECT_TRUE(replay.replay->script.HeldAt(3).keys.test(0x39));
}

TEST(RecordingWriter, ARecordingThatCannotBeWrittenIsAFailure)
{
    RecordingRun run;
    std::filesystem::create_directory(run.path);
    run.Tick(true, [&run] { run.host.GameOver(); });
    EXPECT_TRUE(run.writer.Failed());
}

}  // namespace
}  // namespace kipkip
