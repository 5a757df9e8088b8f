// The music path's cost per 10 ms of sound: one sequencer pass over the game's song (looping,
// so every pass of the measured run plays real events), and FluidSynth rendering the 441 frames
// that follow each pass with that song playing through the installed General MIDI SoundFont.
// realtime_x is seconds of sound made per second of CPU; the share of one core the music
// takes while the game runs is 100 / realtime_x percent, with a target of under 5 %.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "device/kivmidi.h"
#include "platform/fluidsynth/fluidmidiout.h"
#include "platform/silentmidiout.h"

namespace kipkip {
namespace {

constexpr double kPassSeconds = 0.010;
constexpr std::size_t kPassFrames = 441;

void Report(benchmark::State& state)
{
    state.counters["realtime_x"] =
        benchmark::Counter(kPassSeconds, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SequencerPass(benchmark::State& state)
{
    SilentMidiOut out;
    TKivMidi midi(out);
    if (!midi.Init() || !midi.Play("BGM", true)) {
        state.SkipWithError("the game's song does not play");
        return;
    }
    for (auto _ : state) {
        midi.SmfPlay();
    }
    Report(state);
}
BENCHMARK(BM_SequencerPass);

// The whole music path of one 10 ms: the pass, then the synthesiser's 441 frames.
void BM_PassAndRender10ms(benchmark::State& state)
{
    FluidMidiOut out(FluidMidiOut::ChooseSoundFont(""));
    TKivMidi midi(out);
    if (!midi.Init() || !midi.Play("BGM", true)) {
        state.SkipWithError("no SoundFont, or the game's song does not play");
        return;
    }
    std::vector<std::int16_t> frames(kPassFrames * 2);
    // Past the introduction, into the loop, where most instruments play.
    for (int pass = 0; pass < 500; ++pass) {
        midi.SmfPlay();
        out.Render(frames);
    }
    for (auto _ : state) {
        midi.SmfPlay();
        out.Render(frames);
        benchmark::DoNotOptimize(frames.data());
    }
    Report(state);
    state.counters["voices"] = out.ActiveVoices();
}
BENCHMARK(BM_PassAndRender10ms);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
