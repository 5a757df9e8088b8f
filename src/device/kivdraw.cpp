#include "device/kivdraw.h"

namespace kipkip {
namespace {

struct ChannelSteps {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

// The step placed into each channel's bit position: an 8-bit intensity loses its low bits in a
// 5- or 6-bit channel. Palette pixels have no channels and take no steps.
ChannelSteps StepsFor(const PixelFormat& format, int step)
{
    const PixelFormat& f = format;
    auto masked = [](std::int32_t value, std::uint32_t mask) {
        return static_cast<std::uint32_t>(value) & mask;
    };
    std::int32_t s = step;
    if (f == pixelformats::kRgb555) {
        return {masked(s << 7, f.redMask), masked(s << 2, f.greenMask), masked(s >> 3, f.blueMask)};
    }
    if (f == pixelformats::kRgb565) {
        return {masked(s << 8, f.redMask), masked(s << 3, f.greenMask), masked(s >> 3, f.blueMask)};
    }
    if (f.bitsPerPixel == 24 || f.bitsPerPixel == 32) {
        return {masked(s << 16, f.redMask), masked(s << 8, f.greenMask), masked(s, f.blueMask)};
    }
    return {};
}

template <typename ChannelFade>
void ForEachPixel(Surface& surface, int step, ChannelFade fade)
{
    const PixelFormat& f = surface.Format();
    ChannelSteps steps = StepsFor(f, step);
    std::uint32_t colourMask = f.redMask | f.greenMask | f.blueMask;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            std::uint32_t p = surface.Pixel(x, y);
            std::uint32_t channels = fade(p, f.redMask, steps.red) |
                                     fade(p, f.greenMask, steps.green) |
                                     fade(p, f.blueMask, steps.blue);
            surface.SetPixel(x, y, (p & ~colourMask) | channels);
        }
    }
}

}  // namespace

void TKivDraw::SetWidth(int value)
{
    if (value <= kMaxWidth) {
        width = value;
    }
}

void TKivDraw::SetHeight(int value)
{
    if (value <= kMaxHeight) {
        height = value;
    }
}

bool TKivDraw::Init()
{
    return Init(width, height, fullScreen, colorDepth == TColorDepth::cd16bpp ? 16 : 24);
}

bool TKivDraw::Init(int width, int height, bool fullScreen, int bitsPerPixel)
{
    ReleaseAll();
    surfaceWidth = (width < 1 || width > kMaxWidth) ? kMaxWidth : width;
    surfaceHeight = (height < 1 || height > kMaxHeight) ? kMaxHeight : height;
    fullScreenX = (kMaxWidth - surfaceWidth) >> 1;
    fullScreenY = (kMaxHeight - surfaceHeight) >> 1;
    this->fullScreen = fullScreen;
    PixelFormat format = bitsPerPixel == 16 ? pixelformats::kRgb565 : pixelformats::kXrgb32;
    work = Surface(surfaceWidth, surfaceHeight, format);
    initialised = true;
    return true;
}

void TKivDraw::ReleaseAll()
{
    work = Surface();
    initialised = false;
}

bool TKivDraw::Clear()
{
    if (!initialised) {
        return false;
    }
    work.Fill(0);
    return true;
}

void TKivDraw::Fade_Pixel(Surface& surface, int step)
{
    // Towards black: the complement of each channel grows by the step.
    ForEachPixel(surface, step, [](std::uint32_t p, std::uint32_t mask, std::uint32_t s) {
        std::uint32_t v = ((~p) & mask) + s;
        return (~(v > mask ? mask : v)) & mask;
    });
}

void TKivDraw::White_Pixel(Surface& surface, int step)
{
    ForEachPixel(surface, step, [](std::uint32_t p, std::uint32_t mask, std::uint32_t s) {
        std::uint32_t v = (p & mask) + s;
        return (v > mask ? mask : v) & mask;
    });
}

bool TKivDraw::Fade(int step)
{
    if (!initialised) {
        return false;
    }
    Fade_Pixel(work, step);
    return true;
}

bool TKivDraw::WhiteFade(int step)
{
    if (!initialised) {
        return false;
    }
    White_Pixel(work, step);
    return true;
}

bool TKivDraw::Update()
{
    return initialised && video.Present(work.View());
}

}  // namespace kipkip
