// The scene's costs: loading the built-in scene (parsing, the class factory, decoding every
// bitmap into sprites), and one update and draw of a scene as full as play gets.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "device/kivdraw.h"
#include "game/gamenames.h"
#include "kernel/kernel.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"
#include "toy/toyactor.h"
#include "toy/toyanimator.h"
#include "toy/toyanimefile.h"
#include "toy/toybox.h"
#include "toy/toyframe.h"

namespace kipkip {
namespace {

class NoVideo : public VideoPort {
public:
    bool Present(const FrameView&) override { return true; }
    void SetFullScreen(bool) override {}
};

struct Screen {
    NoVideo video;
    SdlBitmap bitmaps;
    SdlFont fonts;
    TKivDraw draw{video, bitmaps, fonts};
    TKernel kernel{&draw, nullptr, nullptr, nullptr};

    Screen() { draw.Init(320, 240, false, 16); }
};

// The animation file of that scene name (Shift-JIS).
TToyAnimeFile* AnimeFile(TToyBox& box, std::string_view name)
{
    return dynamic_cast<TToyAnimeFile*>(box.FindObject("AnimeFile", name));
}

// A moving actor shown by a frame of an animation file, as platforms are.
class FrameActor : public TToyActor {
public:
    FrameActor(TToyBox* box, TToyShape* frame, float x, float y, float speed)
        : TToyActor(box, "Plat", "", "", "", x, y, 0)
    {
        shape = frame;
        velocity.x = speed;
        Show();
    }
};

// An actor shown by its own animator, as coins and enemies are.
class AnimatedActor : public TToyActor {
public:
    AnimatedActor(TToyBox* box, std::string_view file, std::string_view anime, float x, float y)
        : TToyActor(box, "Coin", "", "", "", x, y, 0), animator(box, file)
    {
        animator.Play(anime, true);
        shape = &animator;
        velocity.y = 40;
        Show();
    }
    void Act(int elapsed) override { animator.Update(elapsed); }

private:
    TToyAnimator animator;
};

void BM_LoadBuiltInScene(benchmark::State& state)
{
    Screen screen;
    for (auto _ : state) {
        state.PauseTiming();
        screen.draw.Init(320, 240, false, 16);  // no sprite survives from the last load
        state.ResumeTiming();
        TToyBox box(&screen.kernel, nullptr, "toybox");
        benchmark::DoNotOptimize(box.objects.Count());
    }
}
BENCHMARK(BM_LoadBuiltInScene)->Unit(benchmark::kMillisecond);

void BM_UpdateAndDrawFullScene(benchmark::State& state)
{
    Screen screen;
    TToyBox box(&screen.kernel, nullptr, "toybox");
    box.HideLayer(gamenames::kLayerTitle);
    TToyAnimeFile* plat = AnimeFile(box, "\x8f\xb0");        // 床 (floor)
    std::string_view coinFile = "\x83\x52\x83\x43\x83\x93";  // コイン (coin)
    std::string_view enemyFile = "\x93\x47";                 // 敵 (enemy)
    std::string_view spin = "\x89\xf1\x93\x5d";              // 回転 (spinning)
    for (int i = 0; i < 150; ++i) {
        box.AddObject(std::make_unique<FrameActor>(&box, plat->FindFrame("plat3"),
                                                   float(i * 37 % 416 - 96),
                                                   float(i * 96 % 960 - 720), float(i % 9 - 4)));
    }
    for (int i = 0; i < 15; ++i) {
        box.AddObject(
            std::make_unique<AnimatedActor>(&box, coinFile, spin, float(i * 20), float(i * 16)));
    }
    for (int i = 0; i < 5; ++i) {
        box.AddObject(
            std::make_unique<AnimatedActor>(&box, enemyFile, spin, float(i * 60), float(i * 40)));
    }
    box.SortByLayers();
    for (auto _ : state) {
        box.Update(20);
        box.Draw();
        benchmark::ClobberMemory();
    }
    state.counters["objects"] = box.objects.Count();
}
BENCHMARK(BM_UpdateAndDrawFullScene)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
