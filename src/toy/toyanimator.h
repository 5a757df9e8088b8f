// toy/toyanimator.h
// Plays one animation of an animation file at a time, with the object clock as the time since
// the animation started, and draws the frame due at that time at the animator's own position.
// A looping animation starts again at 0 when it reaches its end; any other stops there
// (playing becomes false) and keeps showing its last step. An animator is not in the box: the
// actor that makes it owns it, updates it, places it and draws it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toy/toyshape.h"

namespace kipkip {

class TToyAnime;
class TToyAnimeFile;

class TToyAnimator : public TToyShape {
public:
    // On the box's animation file of that name (none when there is no such file): stopped,
    // with no animation, at (0, 0).
    TToyAnimator(TToyBox* box, std::string_view animeFileName);

    // Draws the due frame at the animator's position (the origin is ignored: the owner has
    // placed the animator on the screen) and takes the animation's hit rectangle. Nothing
    // while there is no animation.
    void Draw(int originX, int originY) override;
    // While playing: the clock advances and the end is handled. No flicker.
    void Update(int elapsed) override;
    // An animator writes no keys.
    void SaveKeys(std::vector<std::string>& lines) override;

    // Starts the animation of that name from 0. When the file lacks it (or there is no
    // file), the animator has no animation and draws nothing; the rest stays as it was.
    void Play(std::string_view animeName, bool loop);

    TToyAnimeFile* animeFile = nullptr;  // not owned: the box's
    TToyAnime* anime = nullptr;          // not owned: the animation file's
    std::int32_t duration = 0;           // of the animation, taken when play starts
    bool playing = false;
    bool looping = false;
};

}  // namespace kipkip
