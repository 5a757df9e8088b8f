#include "app/pacescreen.h"

#include <algorithm>
#include <utility>

#include "app/framecopy.h"
#include "app/mainform.h"

namespace kipkip {
namespace {

// Where the work surface is on a frame: all of a window's frame, the middle of the larger
// full-screen canvas.
TRect ScreenOn(const FrameView& frame)
{
    const int width = std::min(frame.width, TMainForm::kClientWidth);
    const int height = std::min(frame.height, TMainForm::kClientHeight);
    const int left = (frame.width - width) / 2;
    const int top = (frame.height - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace

void PaceScreen::Follow(const Pace* pace, std::string initials)
{
    pace_ = pace;
    initials_ = std::move(initials);
}

std::optional<PacePlace> PaceScreen::Place() const
{
    if (pace_ == nullptr || form_ == nullptr) {
        return std::nullopt;
    }
    const TGameMainMode* mode = form_->MainMode();
    if (mode == nullptr || mode->scene != TGameMainMode::kPlay) {
        return std::nullopt;
    }
    const std::optional<std::uint64_t> tick = gameTick_ ? gameTick_() : std::nullopt;
    if (!tick) {
        return std::nullopt;
    }
    return PacePlace::Of(*mode, pace_->HeightAt(*tick), TMainForm::kClientHeight);
}

bool PaceScreen::Present(const FrameView& frame)
{
    const std::optional<PacePlace> place = Place();
    marked_ = place.has_value();
    if (!marked_) {
        return next_.Present(frame);
    }
    CopyFrame(frame, shown_);
    view_.Draw(shown_, ScreenOn(frame), place->where, place->y, initials_);
    return next_.Present(shown_.View());
}

const Surface& PaceScreen::Shown() const
{
    static const Surface kNothing;
    if (marked_) {
        return shown_;
    }
    return form_ != nullptr ? form_->Draw().WorkSurface() : kNothing;
}

}  // namespace kipkip
