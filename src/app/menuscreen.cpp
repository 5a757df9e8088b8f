#include "app/menuscreen.h"

namespace kipkip {

void MenuScreen::Open(const FrameView& frame)
{
    open_ = true;
    under_.Present(frame);
    Refresh();
}

void MenuScreen::Refresh()
{
    if (!open_ || under_.Frame().Empty()) {
        return;
    }
    shown_ = under_.Frame();
    overlay_(shown_);
    screen_.Present(shown_.View());
}

bool MenuScreen::Present(const FrameView& frame)
{
    if (!open_) {
        return screen_.Present(frame);
    }
    under_.Present(frame);
    Refresh();
    return true;
}

}  // namespace kipkip
