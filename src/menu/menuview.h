// menu/menuview.h
// The menu drawn over the game's frame: the frame dimmed, a panel sized to the page, the page's
// heading, each item with its value on the right, the pointer and the chosen line in yellow,
// arrows beside a value that left and right change, and a line of help or notice at the bottom.
// Everything is drawn on the 320x240 frame itself, so it scales with the game and a shot of the
// frame holds it.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "device/surface.h"
#include "menu/menu.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"

namespace kipkip {

class MenuView {
public:
    // What a key is called in the player's keyboard layout ("space", "z"), for its item's value.
    using KeyNamer = std::function<std::string(std::uint8_t code)>;

    // The font must outlive the view.
    MenuView(const MenuFont& font, KeyNamer keyName)
        : font_(font), painter_(font), keyName_(std::move(keyName))
    {}

    // Items whose setting the command line gave for this run: marked with a star.
    void SetFromCommandLine(std::set<MenuItem> items) { fromCommandLine_ = std::move(items); }

    void Draw(Surface& frame, const Menu& menu) const;

    // The item's value as the menu shows it ("80", "AUTO", "ON", "SPACE"), or empty.
    std::string Value(const Menu& menu, MenuItem item) const;

private:
    std::string KeyValue(std::uint8_t code) const;
    std::string HelpLine(const Menu& menu) const;
    void DrawItem(Surface& frame, const TRect& box, int y, const Menu& menu, MenuItem item,
                  bool chosen) const;

    const MenuFont& font_;
    MenuPainter painter_;
    KeyNamer keyName_;
    std::set<MenuItem> fromCommandLine_;
};

}  // namespace kipkip
