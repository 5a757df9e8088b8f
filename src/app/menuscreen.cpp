#include "app/menuscreen.h"

#include "app/framecopy.h"

namespace kipkip {

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
