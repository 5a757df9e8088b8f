// What the pace marker costs when a game starts with it on: following a long record (90,000
// ticks, half an hour of play) and the first frame passed on with the marker, on a fresh screen
// so that its copy of the frame is made then. Beside it, its peer: a copy of the frame alone.
// And what reading such a record's pace file costs, in case it is read as the game starts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/framecopy.h"
#include "app/mainform.h"
#include "app/pacescreen.h"
#include "device/soundmixer.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/silentmidiout.h"
#include "records/pacetext.h"
#include "support/fakeports.h"

namespace kipkip {
namespace {

constexpr std::uint64_t kRecordTicks = 90'000;

class NoVideo : public VideoPort {
public:
    bool Present(const FrameView&) override { return true; }
    void SetFullScreen(bool) override {}
};

// A climb of about a metre every ten ticks, with falls now and then.
Pace LongPace()
{
    Pace pace;
    std::int32_t height = 0;
    for (std::uint64_t tick = 0; tick < kRecordTicks; ++tick) {
        height += tick % 10 == 0 ? 1 : 0;
        height -= tick % 997 == 0 ? 5 : 0;
        pace.Add(height);
    }
    return pace;
}

// The real game, past its title and into the first tick of play, its frames going nowhere.
struct GameInPlay {
    NoVideo video;
    SdlBitmap bitmaps;
    test::FakeFont fonts;
    test::FakeInput input;
    test::FakeTimer timer;
    SoundMixer mixer;
    SilentMidiOut midiOut;
    TMainForm form{{video, bitmaps, fonts, input, timer, mixer, midiOut, true}};

    GameInPlay()
    {
        for (int i = 0;
             i < 20 && !(form.MainMode() && form.MainMode()->scene == TGameMainMode::kPlay); ++i) {
            input.keyboard[TMainForm::kDefaultKeys.Button1] = i % 2 == 1 ? 0x80 : 0;
            timer.Expire();
        }
        input.keyboard.fill(0);
        timer.Expire();
    }
};

void BM_StartWithTheMarker(benchmark::State& state)
{
    GameInPlay game;
    const Pace pace = LongPace();
    const MenuFont font = MenuFont::BuiltIn().value();
    NoVideo next;
    const FrameView frame = game.form.Draw().WorkSurface().View();
    const auto gameTick = [] { return std::optional<std::uint64_t>(0); };
    PaceScreen probe(next, font, gameTick);
    probe.Watch(game.form);
    probe.Follow(&pace, "KIP");
    probe.Present(frame);
    if (&probe.Shown() == &game.form.Draw().WorkSurface()) {
        state.SkipWithError("the marker was not drawn: the game is not in play");
        return;
    }
    for (auto _ : state) {
        PaceScreen screen(next, font, gameTick);
        screen.Watch(game.form);
        screen.Follow(&pace, "KIP");
        screen.Present(frame);
        benchmark::DoNotOptimize(screen.Shown().Row(0));
    }
}
BENCHMARK(BM_StartWithTheMarker)->Unit(benchmark::kMicrosecond);

void BM_PeerCopyAFrame(benchmark::State& state)
{
    GameInPlay game;
    const FrameView frame = game.form.Draw().WorkSurface().View();
    for (auto _ : state) {
        Surface copy;
        CopyFrame(frame, copy);
        benchmark::DoNotOptimize(copy.Row(0));
    }
}
BENCHMARK(BM_PeerCopyAFrame)->Unit(benchmark::kMicrosecond);

void BM_ReadALongPace(benchmark::State& state)
{
    const std::string text = PaceText::Format(LongPace());
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::string error;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaceText::Parse("bench", bytes, error));
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadALongPace)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
