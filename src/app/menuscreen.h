// app/menuscreen.h
// The screen between the game and the loop while a menu can open over the game. Closed, the
// game's frames pass as they are. Open, every frame is shown with the menu drawn over a copy of
// it, and since the held game presents nothing, the menu is shown again over the game's last
// frame whenever it changes.
#pragma once

#include <functional>

#include "app/framekeeper.h"
#include "device/surface.h"
#include "platform/ports.h"

namespace kipkip {

class MenuScreen : public VideoPort {
public:
    // Draws the menu over a frame.
    using Overlay = std::function<void(Surface& frame)>;

    // The screen outlives this one.
    MenuScreen(VideoPort& screen, Overlay overlay) : screen_(screen), overlay_(std::move(overlay))
    {}

    // Opens over `frame`, the game's last, and shows it with the menu.
    void Open(const FrameView& frame);
    void Close() { open_ = false; }
    bool IsOpen() const { return open_; }
    // Shows the menu again over the game's last frame.
    void Refresh();
    // The frame as shown with the menu, while it is open.
    const Surface& Shown() const { return shown_; }

    bool Present(const FrameView& frame) override;
    void SetFullScreen(bool fullScreen) override { screen_.SetFullScreen(fullScreen); }

private:
    VideoPort& screen_;
    Overlay overlay_;
    bool open_ = false;
    FrameKeeper under_;  // the game's last frame
    Surface shown_;      // that frame with the menu over it
};

}  // namespace kipkip
