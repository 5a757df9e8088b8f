// The window's own scaling of a 320x240 5-6-5 frame to 960x720 (scale 3), on each build of its
// loops, beside SDL's nearest-neighbour stretch of the same pixels, which is what SDL's software
// renderer does with a frame the window leaves to it.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/framescaler.h"
#include "platform/pixelformats.h"

namespace kipkip {
namespace {

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;
constexpr int kWindowWidth = 960;
constexpr int kWindowHeight = 720;
constexpr int kBytes = 2;

std::vector<std::uint8_t> PatternPixels(int width, int height)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * kBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 37 + i / 640);
    }
    return pixels;
}

void BM_FrameScaler(benchmark::State& state)
{
    const auto path = static_cast<FrameScaler::Path>(state.range(0));
    if (path == FrameScaler::Path::Avx2 && !FrameScaler::HasAvx2()) {
        state.SkipWithError("this processor has no AVX2");
        return;
    }
    const FrameScaler scaler(path);
    const std::vector<std::uint8_t> pixels = PatternPixels(kFrameWidth, kFrameHeight);
    const FrameView frame{pixels.data(), kFrameWidth, kFrameHeight, kFrameWidth * kBytes,
                          pixelformats::kRgb565};
    std::vector<std::uint8_t> target(static_cast<std::size_t>(kWindowWidth) * kWindowHeight *
                                     kBytes);
    for (auto _ : state) {
        scaler.Scale(frame, target.data(), kWindowWidth, kWindowHeight, kWindowWidth * kBytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWindowWidth * kWindowHeight);
    state.SetLabel(path == FrameScaler::Path::Avx2 ? "avx2" : "baseline");
}
BENCHMARK(BM_FrameScaler)
    ->Arg(static_cast<int>(FrameScaler::Path::Avx2))
    ->Arg(static_cast<int>(FrameScaler::Path::Baseline));

void BM_SdlBlitScaled(benchmark::State& state)
{
    std::vector<std::uint8_t> pixels = PatternPixels(kFrameWidth, kFrameHeight);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), kFrameWidth, kFrameHeight, 16, kFrameWidth * kBytes, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 16, SDL_PIXELFORMAT_RGB565);
    for (auto _ : state) {
        SDL_BlitScaled(source, nullptr, target, nullptr);
        benchmark::DoNotOptimize(target->pixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWindowWidth * kWindowHeight);
    SDL_FreeSurface(target);
    SDL_FreeSurface(source);
}
BENCHMARK(BM_SdlBlitScaled);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
