// device/kivdraw.h
// Everything the game draws with: the work surface on which each frame is composed, and the
// two whole-frame effects of the game's transitions, fading to black and to white. Update
// hands the finished frame to the window. Every operation that needs the surface gives false
// until Init has succeeded.
#pragma once

#include <cstdint>

#include "device/surface.h"
#include "platform/ports.h"

namespace kipkip {

enum class TColorDepth { cd16bpp, cd24bpp };

class TKivDraw {
public:
    static constexpr int kMaxWidth = 640;
    static constexpr int kMaxHeight = 480;

    explicit TKivDraw(VideoPort& video) : video(video) {}

    TColorDepth ColorDepth() const { return colorDepth; }
    void SetColorDepth(TColorDepth depth) { colorDepth = depth; }
    int Width() const { return width; }
    int Height() const { return height; }
    // Values above the largest screen are ignored.
    void SetWidth(int value);
    void SetHeight(int value);
    bool FullScreen() const { return fullScreen; }
    void SetFullScreen(bool flag) { fullScreen = flag; }

    // With the Width, Height and FullScreen properties, 16 bits for cd16bpp and 32 for cd24bpp.
    bool Init();
    // A width or height outside 1..640 or 1..480 becomes the largest; 16 bits per pixel is
    // 5-6-5, 24 or 32 is 32-bit.
    bool Init(int width, int height, bool fullScreen, int bitsPerPixel);
    void ReleaseAll();

    bool Clear();
    bool Fade(int step);
    bool WhiteFade(int step);
    bool Update();

    // The per-pixel loops of the fades, on any surface: each channel moves by `step` on the
    // 0..255 scale, reduced to the channel's width. Only the low 8 bits of the step count.
    static void Fade_Pixel(Surface& surface, int step);
    static void White_Pixel(Surface& surface, int step);

    bool Initialised() const { return initialised; }
    Surface& WorkSurface() { return work; }
    int SurfaceWidth() const { return surfaceWidth; }
    int SurfaceHeight() const { return surfaceHeight; }
    int FullScreenX() const { return fullScreenX; }
    int FullScreenY() const { return fullScreenY; }

private:
    VideoPort& video;
    TColorDepth colorDepth = TColorDepth::cd16bpp;
    int width = kMaxWidth;
    int height = kMaxHeight;
    bool fullScreen = false;

    bool initialised = false;
    Surface work;
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    int fullScreenX = 0;
    int fullScreenY = 0;
};

}  // namespace kipkip
