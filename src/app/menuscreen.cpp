#include "app/menuscreen.h"

#include <algorithm>

namespace kipkip {
namespace {

void CopyFrame(const FrameView& frame, Surface& into)
{
    if (into.Width() != frame.width || into.Height() != frame.height ||
        !(into.Format() == frame.format)) {
        into = Surface(frame.width, frame.height, frame.format);
    }
    const auto rowBytes = static_cast<std::size_t>(frame.width * frame.format.BytesPerPixel());
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::copy(row, row + rowBytes, into.Row(y));
    }
}

}  // namespace

void MenuScreen::Open(const FrameView& frame)
{
    open_ = true;
    CopyFrame(frame, under_);
    Refresh();
}

void MenuScreen::Refresh()
{
    if (!open_ || under_.Empty()) {
        return;
    }
    shown_ = under_;
    overlay_(shown_);
    screen_.Present(shown_.View());
}

bool MenuScreen::Present(const FrameView& frame)
{
    if (!open_) {
        return screen_.Present(frame);
    }
    CopyFrame(frame, under_);
    Refresh();
    return true;
}

}  // namespace kipkip
