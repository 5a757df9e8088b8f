// toy/toysound.h
// A sound effect of the scene. Made from a "Sound" block, it registers its wave with the
// sound-effect device under its own name, once, while it is being made; from then on the game
// plays it by that name through the box, never through this object. The object holds only the
// two names: the device keeps the samples, and keeps them after the object is gone, until it
// drops all its sounds.
#pragma once

#include <string>
#include <vector>

#include "toy/toyobject.h"

namespace kipkip {

class TToySound : public TToyObject {
public:
    // From the current block of `db`: "name" and "fileName" (a built-in wave's name or a file
    // stem). A sound whose wave cannot be registered is still made, silently: playing its name
    // then finds nothing to play.
    TToySound(TToyBox* box, TTexDb& db);

    void SaveKeys(std::vector<std::string>& lines) override;

    std::string fileName;
};

}  // namespace kipkip
