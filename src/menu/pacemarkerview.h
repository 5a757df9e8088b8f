// menu/pacemarkerview.h
// The pace marker: where a record's game was at this moment of its own, drawn at the right edge
// of the game's screen in the menu's letters and colours. On the screen it is a pennant, a
// yellow line ringed in ink that reaches in from the right edge at the record's row, with the
// record's initials just above it (just below it near the top edge). Off the screen it is an
// arrow and the initials at the top or bottom right corner, pointing the way to the record.
//
// The screen is a rectangle of the frame (the whole frame in a window; the middle of the larger
// canvas full screen). Drawing is clipped to the frame: no row, however far off, and no
// initials, however long, write a pixel outside it.
#pragma once

#include <cstdint>
#include <string_view>

#include "device/kivdraw.h"
#include "device/surface.h"
#include "menu/menufont.h"

namespace kipkip {

class PaceMarkerView {
public:
    enum class Where : std::uint8_t { kOnScreen, kAbove, kBelow };

    static constexpr std::uint32_t kColour = 0xFFEC27;  // the menu's chosen line
    static constexpr std::uint32_t kInk = 0x10101C;     // the menu's outline
    // The pennant's length from the right edge: a little longer than three letters, so the
    // initials sit over it.
    static constexpr int kPennantLength = 22;
    // Between the right edge and the initials or the arrow.
    static constexpr int kMargin = 1;

    // The font must outlive the view.
    explicit PaceMarkerView(const MenuFont& font) : font_(font) {}

    // The marker of the record `initials` on `screen`; `y` is the record's row on it, counted
    // from its top, and only read when the record is on it.
    void Draw(Surface& frame, const TRect& screen, Where where, int y,
              std::string_view initials) const;

private:
    void DrawPennant(Surface& frame, const TRect& screen, int y, std::string_view initials) const;
    void DrawArrow(Surface& frame, const TRect& screen, Where where,
                   std::string_view initials) const;

    const MenuFont& font_;
};

}  // namespace kipkip
