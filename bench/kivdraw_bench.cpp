// The drawing device's hot paths beside a peer doing the same work on the same pixels:
// colour-keyed cell blits against SDL_BlitSurface with a colour key, the fades against memcpy
// of the frame, and a typical frame of the game.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "device/kivdraw.h"
#include "platform/files.h"

namespace kipkip {
namespace {

// Every bitmap is a pattern of the size its file names ("W H"), one pixel in eight
// transparent, as sprites with outlines and holes are.
class PatternBitmaps : public BitmapPort {
public:
    std::optional<Picture> Decode(std::span<const std::uint8_t> bytes, const PixelFormat& format,
                                  std::string&) override
    {
        Picture picture;
        std::sscanf(std::string(bytes.begin(), bytes.end()).c_str(), "%d %d", &picture.width,
                    &picture.height);
        picture.format = format;
        picture.pitch = picture.width * format.BytesPerPixel();
        picture.pixels.resize(static_cast<std::size_t>(picture.pitch) * picture.height);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            picture.pixels[i] =
                (i / format.BytesPerPixel()) % 8 == 0 ? 0 : static_cast<std::uint8_t>(i | 1);
        }
        return picture;
    }
};

class NoVideo : public VideoPort {
public:
    bool Present(const FrameView&) override { return true; }
    void SetFullScreen(bool) override {}
};

class NoFont : public FontPort {
public:
    bool Render(std::string_view, TextMask&) override { return false; }
};

struct Device {
    NoVideo video;
    PatternBitmaps bitmaps;
    NoFont fonts;
    TKivDraw draw{video, bitmaps, fonts};

    explicit Device(int bits) { draw.Init(320, 240, false, bits); }

    void Sprite(const std::string& name, int width, int height, int cellWidth, int cellHeight)
    {
        std::string file = "/tmp/kipkip-bench-" + name;
        std::string size = std::to_string(width) + " " + std::to_string(height);
        WriteWholeFile(file,
                       std::span(reinterpret_cast<const std::uint8_t*>(size.data()), size.size()));
        draw.CreateSprite(name, file, cellWidth, cellHeight);
    }
};

std::uint32_t SdlFormat(int bits)
{
    return bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_XRGB8888;
}

// range(0): cell width, range(1): cell height, range(2): bits per pixel.
void BM_OurKeyedBlit(benchmark::State& state)
{
    Device device(static_cast<int>(state.range(2)));
    int w = static_cast<int>(state.range(0));
    int h = static_cast<int>(state.range(1));
    device.Sprite("cell", w, h, w, h);
    for (auto _ : state) {
        device.draw.Draw(0, 0, "cell", 0, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

void BM_SdlKeyedBlit(benchmark::State& state)
{
    int w = static_cast<int>(state.range(0));
    int h = static_cast<int>(state.range(1));
    int bits = static_cast<int>(state.range(2));
    // The same pixels as ours: the device's own sprite surface copied into SDL surfaces.
    Device device(bits);
    device.Sprite("cell", w, h, w, h);
    const Surface& pixels = device.draw.GetSpriteSurf("cell")->Surface;
    SDL_Surface* source =
        SDL_CreateRGBSurfaceWithFormat(0, w, h, bits == 16 ? 16 : 32, SdlFormat(bits));
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, 320, 240, bits == 16 ? 16 : 32, SdlFormat(bits));
    for (int y = 0; y < h; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(source->pixels) + y * source->pitch, pixels.Row(y),
                    static_cast<std::size_t>(pixels.Pitch()));
    }
    SDL_SetColorKey(source, SDL_TRUE, 0);
    SDL_Rect where{0, 0, w, h};
    for (auto _ : state) {
        SDL_Rect to = where;
        SDL_BlitSurface(source, nullptr, target, &to);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
    SDL_FreeSurface(source);
    SDL_FreeSurface(target);
}

void BlitSizes(benchmark::internal::Benchmark* b)
{
    for (int bits : {16, 32}) {
        for (auto [w, h] : {std::pair{16, 16}, {32, 32}, {32, 48}, {320, 240}}) {
            b->Args({w, h, bits});
        }
    }
}
BENCHMARK(BM_OurKeyedBlit)->Apply(BlitSizes);
BENCHMARK(BM_SdlKeyedBlit)->Apply(BlitSizes);

void BM_Fade(benchmark::State& state)
{
    Device device(16);
    device.draw.WorkSurface().Fill(0x7BEF);
    for (auto _ : state) {
        device.draw.Fade(8);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Fade);

void BM_WhiteFade(benchmark::State& state)
{
    Device device(16);
    device.draw.WorkSurface().Fill(0x7BEF);
    for (auto _ : state) {
        device.draw.WhiteFade(8);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WhiteFade);

void BM_MemcpyFrame(benchmark::State& state)
{
    Device device(16);
    Surface copy(320, 240, device.draw.WorkSurface().Format());
    for (auto _ : state) {
        std::memcpy(copy.Row(0), device.draw.WorkSurface().Row(0),
                    static_cast<std::size_t>(copy.Pitch()) * copy.Height());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFrame);

// A frame of the game: the tall background clipped to the screen, nine pictures, 150
// platform cells and three numbers of three digits.
void BM_TypicalFrame(benchmark::State& state)
{
    Device device(16);
    device.Sprite("back", 320, 960, 0, 0);
    device.Sprite("title", 100, 38, 0, 0);
    device.Sprite("block", 48, 16, 16, 16);
    device.Sprite("digits", 80, 32, 16, 16);
    for (auto _ : state) {
        TKivDraw& d = device.draw;
        d.Draw(0, -600, "back", 0, 0, 0);
        for (int i = 0; i < 9; ++i) {
            d.Draw(i * 30, i * 20, "title", 0, 0, 0);
        }
        for (int i = 0; i < 150; ++i) {
            d.Draw((i * 37) % 320 - 8, (i * 11) % 240, "block", i % 3, 0, 0);
        }
        for (int n = 0; n < 3; ++n) {
            for (int digit = 0; digit < 3; ++digit) {
                d.Draw(60 + n * 100 + digit * 16, 28, "digits", (n + digit) % 10, 0, 0);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TypicalFrame)
    ->ComputeStatistics("median",
                        [](const std::vector<double>& v) {
                            std::vector<double> sorted = v;
                            std::sort(sorted.begin(), sorted.end());
                            return sorted[sorted.size() / 2];
                        })
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
