// menu/initialsview.h
// The entry of a new record's initials drawn over the game-over frame, in the menu's style: a
// panel low on the screen, so that the game's last picture stays in sight above it (the frame is
// not dimmed), with "NEW RECORD", the place and height the game earned, the three letters drawn
// twice the font's size with the one under the cursor in yellow between an up and a down arrow,
// and a line of help that holds for the keyboard and the controller alike.
#pragma once

#include <cstddef>
#include <string>

#include "device/kivdraw.h"
#include "device/surface.h"
#include "menu/initialsentry.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"

namespace kipkip {

class InitialsView {
public:
    static constexpr std::string_view kHelp = "UP/DOWN LETTER  LEFT/RIGHT MOVE  JUMP OK";

    // The font must outlive the view.
    explicit InitialsView(const MenuFont& font) : font_(font), painter_(font) {}

    // Where the panel stands on the 320x240 frame (right and bottom exclusive).
    static TRect PanelBox();
    // "1ST PLACE", "2ND PLACE", ... for a 0-based place.
    static std::string PlaceText(std::size_t place);

    void Draw(Surface& frame, const InitialsEntry& entry) const;

private:
    void Letters(Surface& frame, const TRect& box, int top, const InitialsEntry& entry) const;
    // A letter at twice the font's size, its box's top-left at (x, y); clipped to the frame.
    void BigLetter(Surface& frame, int x, int y, char letter, std::uint32_t colour) const;

    const MenuFont& font_;
    MenuPainter painter_;
};

}  // namespace kipkip
