// app/paceplace.h
// Where a height in metres is on the game's screen during play. The view follows the hero:
// each step of his he sets the origin of the scene's unnamed layer (where he, the platforms,
// coins and enemies are) so that his feet stay kFeetFromTop pixels from the top of the screen,
// origin y = trunc(kFeetFromTop - his y), and the world's y falls kPixelsPerMetre pixels a
// metre from the first floor (y 0) up. Every object of that layer is drawn at its truncated y
// plus the origin, so the floor of height h, y = -h x kPixelsPerMetre, is on the screen row
// origin - h x kPixelsPerMetre: the row where the hero's feet are when he stands at that
// height. Reading the layer's origin, not working it out again from the hero, keeps the marker
// on the picture drawn, whatever moved the layer last (a hero held still between levels keeps
// his last one).
#pragma once

#include <cstdint>
#include <optional>

#include "game/gamemain.h"
#include "menu/pacemarkerview.h"

namespace kipkip {

struct PacePlace {
    PaceMarkerView::Where where = PaceMarkerView::Where::kOnScreen;
    int y = 0;  // the row from the screen's top, on the screen only

    // Where `metres` is on a screen `screenHeight` rows high, drawn from `mode`'s scene as it
    // is now; nothing when the scene has no unnamed layer (nothing of the climb is drawn).
    static std::optional<PacePlace> Of(const TGameMainMode& mode, std::int32_t metres,
                                       int screenHeight);
};

}  // namespace kipkip
