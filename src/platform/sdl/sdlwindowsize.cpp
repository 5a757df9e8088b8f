#include "platform/sdl/sdlwindowsize.h"

#include <SDL.h>

#include <algorithm>

namespace kipkip {
namespace {

constexpr int kMaxFittingScale = 4;
constexpr double kDesktopShare = 0.85;

}  // namespace

int SdlWindowSize::FittingScale(int usableWidth, int usableHeight, int width, int height)
{
    int scale = 1;
    for (int k = 2; k <= kMaxFittingScale; ++k) {
        if (width * k <= usableWidth * kDesktopShare &&
            height * k <= usableHeight * kDesktopShare) {
            scale = k;
        }
    }
    return scale;
}

int SdlWindowSize::ScaleFor(int scale) const
{
    if (scale > 0) {
        return std::min(scale, kMaxScale);
    }
    const int display = window_ != nullptr ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
    SDL_Rect usable{0, 0, width_, height_};
    SDL_GetDisplayUsableBounds(display, &usable);
    return FittingScale(usable.w, usable.h, width_, height_);
}

void SdlWindowSize::Attach(SDL_Window* window, int scale, bool fullScreen)
{
    window_ = window;
    scale_ = scale;
    fullScreenPending_ = fullScreen;
}

void SdlWindowSize::Shown()
{
    if (fullScreenPending_) {
        fullScreenPending_ = false;
        SetFullScreen(true);
    }
}

void SdlWindowSize::SetScale(int scale)
{
    scale_ = ScaleFor(scale);
    if (window_ == nullptr) {
        return;
    }
    if (FullScreen()) {
        resizeOnLeaving_ = true;
    } else {
        Resize();
    }
}

void SdlWindowSize::Resize()
{
    // A maximised window keeps the size the window manager gave it.
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0) {
        SDL_RestoreWindow(window_);
    }
    SDL_SetWindowSize(window_, width_ * scale_, height_ * scale_);
}

void SdlWindowSize::SetFullScreen(bool fullScreen)
{
    if (window_ == nullptr) {
        return;
    }
    SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SDL_ShowCursor(fullScreen ? SDL_DISABLE : SDL_ENABLE);
    if (!fullScreen && resizeOnLeaving_) {
        resizeOnLeaving_ = false;
        Resize();
    }
}

bool SdlWindowSize::FullScreen() const
{
    return fullScreenPending_ || (window_ != nullptr && (SDL_GetWindowFlags(window_) &
                                                         SDL_WINDOW_FULLSCREEN_DESKTOP) != 0);
}

}  // namespace kipkip
