// app/pacescreen.h
// The screen between the game's window and the next screen that shows a record's pace while a
// game is played: each frame presented during play is copied, the record's marker drawn over
// the copy at the height the record's game had reached at the same tick of its own, and the
// copy passed on. With no pace to follow, no form watched, out of play (the title, game over),
// or when the game tick is not known, frames pass on as they are. The game's own frame is never
// written, so nothing the game computes or saves sees the marker.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/paceplace.h"
#include "device/surface.h"
#include "menu/menufont.h"
#include "menu/pacemarkerview.h"
#include "platform/ports.h"
#include "records/pace.h"

namespace kipkip {

class TMainForm;

class PaceScreen : public VideoPort {
public:
    // The tick within the game being played, 0 at its first tick; nothing when no game is
    // being played. Pace heights are kept by that count.
    using GameTick = std::function<std::optional<std::uint64_t>()>;

    // The next screen and the font outlive this one.
    PaceScreen(VideoPort& next, const MenuFont& font, GameTick gameTick)
        : next_(next), view_(font), gameTick_(std::move(gameTick))
    {}

    // The form whose game is followed; it outlives this screen (or is watched no more).
    void Watch(TMainForm& form) { form_ = &form; }
    // The pace to show and whose it is; nullptr: none. The pace outlives the following.
    void Follow(const Pace* pace, std::string initials);

    bool Present(const FrameView& frame) override;
    void SetFullScreen(bool fullScreen) override { next_.SetFullScreen(fullScreen); }

    // The frame as last passed on: the marked copy, or else the game's own frame (the form's
    // work surface; an empty surface before a form is watched).
    const Surface& Shown() const;

private:
    // Where the marker goes on the frame now, or nothing when none is drawn.
    std::optional<PacePlace> Place() const;

    VideoPort& next_;
    PaceMarkerView view_;
    GameTick gameTick_;
    TMainForm* form_ = nullptr;   // not owned
    const Pace* pace_ = nullptr;  // not owned
    std::string initials_;
    bool marked_ = false;  // whether the last frame passed on was the marked copy
    Surface shown_;        // the last frame with the marker
};

}  // namespace kipkip
