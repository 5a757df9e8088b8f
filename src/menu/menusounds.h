// menu/menusounds.h
// The menu's two sounds, a soft tick for moving and a brighter blip for choosing, on a mixer of
// their own: the game's sound stays held while the menu is open, and the menu's plays over it.
// A build without the sounds stays silent.
#pragma once

#include "device/soundmixer.h"
#include "menu/menu.h"

namespace kipkip {

class MenuSounds {
public:
    MenuSounds();

    void Play(MenuSound sound);
    // What the audio output mixes over the game's sound.
    SoundMixer& Mixer() { return mixer_; }

private:
    SoundMixer mixer_;
    int move_ = -1;  // the copies, -1 when the sound is missing
    int choose_ = -1;
};

}  // namespace kipkip
