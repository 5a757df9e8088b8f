// platform/sdl/sdlwindowsize.h
// The size of the game's window: the frame at a whole-number scale, or the desktop in full
// screen. Both can change while the game runs, from the menu or by F11. A scale chosen in full
// screen waits for the window to leave it, and is then applied even where the window manager
// would leave the window as large as the desktop. Full screen wished for before the window is
// first shown waits for it too: a window made full screen before the window manager has taken
// it stays an ordinary window under some window managers (Openbox among them). The cursor is
// hidden in full screen however it is reached, and shown in a window.
#pragma once

struct SDL_Window;

namespace kipkip {

class SdlWindowSize {
public:
    static constexpr int kMaxScale = 8;

    // The frame's logical size.
    SdlWindowSize(int width, int height) : width_(width), height_(height) {}

    // The scale a window gets for `scale`: 0 (or less) the fitting one for the desktop it is
    // on, more than kMaxScale kMaxScale. Asks SDL's video, which must be started.
    int ScaleFor(int scale) const;
    // The window (not owned), just made at `scale`; `fullScreen` is entered once it is shown.
    void Attach(SDL_Window* window, int scale, bool fullScreen);
    // The window is shown: a full screen wished for at the start is entered now.
    void Shown();

    // Resizes the window to the frame at `scale` (as ScaleFor), or remembers it for leaving
    // full screen.
    void SetScale(int scale);
    int Scale() const { return scale_; }
    void SetFullScreen(bool fullScreen);
    // Also true while a full screen wished for at the start waits for the window to be shown.
    bool FullScreen() const;

    // The default scale for a desktop of that usable size.
    static int FittingScale(int usableWidth, int usableHeight, int width, int height);

private:
    void Resize();

    SDL_Window* window_ = nullptr;
    int width_;
    int height_;
    int scale_ = 1;
    bool fullScreenPending_ = false;
    bool resizeOnLeaving_ = false;  // a scale chosen in full screen
};

}  // namespace kipkip
