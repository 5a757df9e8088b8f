// Watching a record's game from its recording: the earlier games of the run are played first,
// in bounded batches, then the record's game one tick a step, every tick as a plain replay of
// the recording plays it, with no file touched and beside another watched window.
#include "app/recordwatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/framefile.h"
#include "app/tracewriter.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

const fs::path kGames = fs::path(KIPKIP_SOURCE_DIR) / "tests/e2e/games";

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The game data the three-game run was played on, put in `folder`.
void CopyRunData(const fs::path& folder)
{
    fs::create_directories(folder);
    fs::copy(kGames / "three_games/files", folder / "files", fs::copy_options::recursive);
}

std::vector<std::string> ReadLines(const fs::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The recording up to and with tick `lastTick`: its key lines and seeds of later ticks left out.
std::string CutRecording(const fs::path& file, std::uint32_t lastTick)
{
    std::istringstream in(ReadBytes(file));
    std::string cut;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        std::string tick = first;
        if (first == "seed") {
            words >> tick;
        }
        const bool timed = !tick.empty() && std::isdigit(static_cast<unsigned char>(tick[0]));
        if (!timed || std::stoul(tick) <= lastTick) {
            cut += line + '\n';
        }
    }
    return cut;
}

ReplayFile Parsed(const std::string& text)
{
    ReplayFileResult result = ReplayFile::Parse(
        "test.rec", {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    if (!result.replay) {
        throw std::runtime_error(result.error);
    }
    return *std::move(result.replay);
}

// Every file under a folder, by its path inside it.
std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The watch's trace, one line (every actor too) after each game tick it plays; its loop ticks
// are its game ticks, so a plain headless replay's lines are the same throughout.
class WatchTrace {
public:
    WatchTrace(RecordWatch& watch, const fs::path& file) : file_(file)
    {
        writer_ = std::make_unique<TraceWriter>();
        writer_->Open(file.string());
        writer_->SetActors(true);
        watch.OnEachTick([this, &watch] {
            writer_->Write(watch.GameTick(), watch.GameTick(), *watch.Form().Kernel(),
                           watch.Form().MainMode());
        });
    }

    std::vector<std::string> Lines()
    {
        writer_.reset();
        return ReadLines(file_);
    }

private:
    fs::path file_;
    std::unique_ptr<TraceWriter> writer_;
};

// The first line in which two traces differ, or "" when they agree throughout.
std::string FirstDifference(const std::vector<std::string>& watched,
                            const std::vector<std::string>& replayed)
{
    for (std::size_t i = 0; i < std::min(watched.size(), replayed.size()); ++i) {
        if (watched[i] != replayed[i]) {
            return "line " + std::to_string(i + 1) + "\nwatched:  " + watched[i] +
                   "\nreplayed: " + replayed[i];
        }
    }
    if (watched.size() != replayed.size()) {
        return std::to_string(watched.size()) + " lines watched, " +
               std::to_string(replayed.size()) + " replayed";
    }
    return "";
}

// What one Step did, and whether it did what a Step must: while catching up it plays up to
// the bound and stops before the record's game's first tick; then one tick; it says false
// exactly when the recording's last tick has been played.
std::string CheckStep(const RecordWatch& watch, std::uint64_t bound, std::uint64_t before,
                      bool wasCatchingUp, bool wentOn)
{
    const std::uint64_t expected = wasCatchingUp ? std::min(before + bound, watch.StartTick() - 1)
                                                 : std::min(before + 1, watch.EndTick());
    std::ostringstream fault;
    if (watch.GameTick() != expected) {
        fault << "from tick " << before << " to " << watch.GameTick() << ", not " << expected;
    } else if (wentOn != (watch.GameTick() < watch.EndTick())) {
        fault << "said " << wentOn << " at tick " << watch.GameTick();
    } else if (watch.CatchingUp() != (watch.GameTick() + 1 < watch.StartTick())) {
        fault << "catching up " << watch.CatchingUp() << " at tick " << watch.GameTick();
    }
    return fault.str();
}

// Steps the watch to its end, checking every step; `afterStep` sees the watch after each.
void WatchToTheEnd(
    RecordWatch& watch, std::uint64_t bound, const std::function<void()>& afterStep = [] {})
{
    for (bool wentOn = true; wentOn;) {
        const std::uint64_t before = watch.GameTick();
        const bool catchingUp = watch.CatchingUp();
        wentOn = watch.Step();
        afterStep();
        const std::string fault = CheckStep(watch, bound, before, catchingUp, wentOn);
        ASSERT_EQ(fault, "");
    }
    EXPECT_EQ(watch.GameTick(), watch.EndTick());
    EXPECT_FALSE(watch.Step()) << "a watch that has ended stays ended";
    EXPECT_EQ(watch.GameTick(), watch.EndTick());
}

// A plain headless replay of `recording` by the program, on the data in `data`: its trace,
// every actor too, in `out`/trace.jsonl and its frame at `shotTick` in `out`/shot.bmp.
void ReplayByTheProgram(const fs::path& recording, const fs::path& data, const fs::path& out,
                        std::uint64_t shotTick)
{
    const std::string command =
        std::string("\"") + KIPKIP_BINARY + "\" --headless --mute --dir \"" + data.string() +
        "\" --replay \"" + recording.string() + "\" --trace-actors --trace \"" +
        (out / "trace.jsonl").string() + "\" --shot " + std::to_string(shotTick) + ":\"" +
        (out / "shot.bmp").string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// The watch runs in the live game's data directory, which holds the data of the three-game run.
class RecordWatchTest : public ::testing::Test {
protected:
    RecordWatchTest() { CopyRunData(data.Path()); }

    test::TempDir data;
    test::ScopedCurrentPath inData{data.Path()};
    test::TempDir out;
    SdlBitmap bitmaps;
    SdlFont fonts;
};

// The three-game run cut during its second game: the first game (ticks 4 to 2891, a new high
// score at its end) is caught up on, the second watched from its first tick, 2892.
TEST_F(RecordWatchTest, PlaysEveryTickAsAPlainReplayDoesAndTouchesNoFile)
{
    constexpr std::uint64_t kShotTick = 3000;
    const std::string recording =
        out.Write("run.rec", CutRecording(kGames / "three_games/game.rec", 3100));
    const test::TempDir replayed;
    CopyRunData(replayed.Path() / "data");
    ReplayByTheProgram(recording, replayed.Path() / "data", replayed.Path(), kShotTick);
    const std::vector<std::string> replayedTrace = ReadLines(replayed.Path() / "trace.jsonl");

    const std::vector<std::string> before = Listing(data.Path());
    RecordWatch watch(Parsed(ReadBytes(recording)), {bitmaps, fonts});
    EXPECT_EQ(watch.StartTick(), 2892u);
    EXPECT_EQ(watch.EndTick(), replayedTrace.size());
    EXPECT_TRUE(watch.CatchingUp());
    EXPECT_TRUE(watch.Frame().Empty());
    WatchTrace trace(watch, out.Path() / "watched.jsonl");
    WatchToTheEnd(watch, RecordWatch::kCatchUpTicks, [&] {
        if (watch.GameTick() == kShotTick) {
            ASSERT_TRUE(SaveFrame(watch.Frame(), (out.Path() / "shot.bmp").string()));
        }
    });
    EXPECT_EQ(FirstDifference(trace.Lines(), replayedTrace), "");
    ASSERT_TRUE(fs::exists(replayed.Path() / "shot.bmp"));
    EXPECT_TRUE(ReadBytes(out.Path() / "shot.bmp") == ReadBytes(replayed.Path() / "shot.bmp"))
        << "the frame shown at tick " << kShotTick << " differs from the replay's";
    EXPECT_EQ(Listing(data.Path()), before) << "a new high score is not saved";
}

// Two watched windows in one program, stepped in turns, play as each plays alone: the devices,
// the kernel and the game keep no state outside their window.
TEST_F(RecordWatchTest, TwoWatchesSideBySidePlayAsEachAlone)
{
    const std::string recordings[] = {CutRecording(kGames / "three_games/game.rec", 300),
                                      CutRecording(kGames / "old_controller/game.rec", 300)};
    std::vector<std::string> alone[2];
    for (int i = 0; i < 2; ++i) {
        RecordWatch watch(Parsed(recordings[i]), {bitmaps, fonts});
        WatchTrace trace(watch, out.Path() / ("alone" + std::to_string(i)));
        WatchToTheEnd(watch, RecordWatch::kCatchUpTicks);
        alone[i] = trace.Lines();
        ASSERT_GT(alone[i].size(), 250u) << i;
    }
    RecordWatch first(Parsed(recordings[0]), {bitmaps, fonts});
    RecordWatch second(Parsed(recordings[1]), {bitmaps, fonts});
    WatchTrace firstTrace(first, out.Path() / "together0");
    WatchTrace secondTrace(second, out.Path() / "together1");
    for (bool on = true; on;) {
        const bool firstOn = first.Step();
        on = second.Step() || firstOn;
    }
    EXPECT_EQ(FirstDifference(firstTrace.Lines(), alone[0]), "");
    EXPECT_EQ(FirstDifference(secondTrace.Lines(), alone[1]), "");
}

// A recording made up for its ticks alone: a game starts in `start`, and the keys end in `end`.
std::string MadeUpRecording(std::uint32_t start, std::uint32_t end)
{
    std::string text = "kipkip-replay 1\nhiscore 0\n1 none\n";
    if (start > 2) {
        text += std::to_string(start - 1) + " space\n";
    }
    text += "seed " + std::to_string(start) + " 77\n";
    if (end > start) {
        text += std::to_string(end) + " left\n";
    }
    return text;
}

TEST_F(RecordWatchTest, CatchesUpInBatchesUpToTheGamesStartThenStepsOneTick)
{
    struct Case {
        const char* what;
        std::uint32_t start, end;
        std::uint64_t bound;
    };
    const Case cases[] = {
        {"one tick a batch", 120, 130, 1},
        {"a last batch cut short", 120, 130, 7},
        {"one batch", 120, 130, 1000},
        {"the game starts in the first tick", 1, 5, 200},
        {"the recording ends in its game's first tick", 120, 120, 200},
    };
    for (const Case& c : cases) {
        RecordWatch watch(Parsed(MadeUpRecording(c.start, c.end)), {bitmaps, fonts}, c.bound);
        EXPECT_EQ(watch.StartTick(), c.start) << c.what;
        EXPECT_EQ(watch.EndTick(), c.end) << c.what;
        EXPECT_EQ(watch.CatchingUp(), c.start > 1) << c.what;
        int steps = 0;
        WatchToTheEnd(watch, c.bound, [&] { ++steps; });
        const std::uint64_t batches = (c.start - 1 + c.bound - 1) / c.bound;
        EXPECT_EQ(steps, static_cast<int>(batches + c.end - c.start + 1)) << c.what;
        EXPECT_FALSE(watch.Frame().Empty()) << c.what;
    }
}

TEST_F(RecordWatchTest, ARecordingInWhichNoGameStartsEndsAtOnce)
{
    const char* recordings[] = {
        "kipkip-replay 1\nhiscore 0\n",
        "kipkip-replay 1\nhiscore 40\n1 none\n3 space\n4 none\n500 left\n",
    };
    for (const char* recording : recordings) {
        RecordWatch watch(Parsed(recording), {bitmaps, fonts});
        EXPECT_FALSE(watch.CatchingUp()) << recording;
        EXPECT_FALSE(watch.Step()) << recording;
        EXPECT_EQ(watch.GameTick(), 0u) << recording;
        EXPECT_EQ(watch.EndTick(), 0u) << recording;
        EXPECT_TRUE(watch.Frame().Empty()) << recording;
    }
}

}  // namespace
}  // namespace kipkip
