// menu/replaymarkview.h
// What marks a record's game being watched: a small panel in the bottom-left corner, over the
// ground, clear of the game's counters at the top, with "REPLAY", the record's initials and its
// height. Before the watched game comes to the screen, while the games its recording played
// earlier run unseen, the frame is darkened under a centred "PLEASE WAIT".
#pragma once

#include <string>
#include <string_view>

#include "device/kivdraw.h"
#include "device/surface.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"
#include "records/record.h"

namespace kipkip {

class ReplayMarkView {
public:
    static constexpr std::string_view kWait = "PLEASE WAIT";

    // The font must outlive the view.
    explicit ReplayMarkView(const MenuFont& font) : font_(font), painter_(font) {}

    // The mark's text for the record ("REPLAY KIP 1234 M") and where its panel stands on the
    // 320x240 frame (right and bottom exclusive).
    static std::string MarkText(const Record& record);
    static TRect MarkBox(const Record& record);
    static TRect WaitBox();

    void DrawMark(Surface& frame, const Record& record) const;
    void DrawWait(Surface& frame) const;

private:
    const MenuFont& font_;
    MenuPainter painter_;
};

}  // namespace kipkip
