// Watching a record's game: how fast the games before it are caught up on, in the steps the
// owner makes once a loop tick, and how long one such step holds the loop. The three-game run's
// third game is watched, so the first two (8895 ticks) are caught up on. The program's own
// replay speed (--timedemo of the same recording) is the peer to set the ticks a second beside.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/recordwatch.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"
#include "replay/replayfile.h"

namespace kipkip {
namespace {

const std::filesystem::path kRun =
    std::filesystem::path(KIPKIP_SOURCE_DIR) / "tests/e2e/games/three_games";

void CatchUpOnTheEarlierGames(benchmark::State& state)
{
    // The run's data directory; the watch reads the game's data there and writes nothing.
    std::filesystem::current_path(kRun);
    ReplayFileResult loaded = ReplayFile::Load((kRun / "game.rec").string());
    if (!loaded.replay) {
        state.SkipWithError(loaded.error.c_str());
        return;
    }
    SdlBitmap bitmaps;
    SdlFont fonts;
    std::uint64_t ticks = 0;
    std::uint64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto watch =
            std::make_unique<RecordWatch>(*loaded.replay, RecordWatch::Ports{bitmaps, fonts});
        state.ResumeTiming();
        while (watch->CatchingUp()) {
            watch->Step();
            ++steps;
        }
        ticks += watch->GameTick();
        state.PauseTiming();
        watch.reset();
        state.ResumeTiming();
    }
    state.counters["ticks/s"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
    state.counters["s/step"] = benchmark::Counter(
        static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(CatchUpOnTheEarlierGames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
