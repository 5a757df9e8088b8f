// app/paceplace.h
// Where a height in metres is on the game's screen during play. The view follows the hero: in
// each step he moves, he sets the origin of the scene's unnamed layer (where he, the platforms,
// coins and enemies are) to trunc(kFeetFromTop - his y), so that his feet stay kFeetFromTop
// rows from the top of the screen; the world's y falls kPixelsPerMetre pixels a metre from the
// first floor (y 0) up. Each object of that layer is drawn at its truncated y plus the origin,
// so the floor at height h, y = -h * kPixelsPerMetre, is drawn on row origin - h *
// kPixelsPerMetre: the row of the hero's feet when he stands at that height. The origin is read
// from the layer rather than worked out again from the hero, so the marker sits on the picture
// as it was drawn, whatever moved the layer last (a hero held still between levels keeps his).
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
