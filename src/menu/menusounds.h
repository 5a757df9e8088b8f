// menu/menusounds.h
// The menu's two sounds, a soft tick for moving and a brighter blip for choosing, on a mixer of
// their own that the audio path plays over the game's sound, also while the game's is held. A
// build without the sounds stays silent.
#pragma once

#include "device/soundmixer.h"
#include "menu/menu.h"

namespace kipkip {

class MenuSounds {
public:
    // Adds the sounds to the mixer, which outlives this and the audio output that pulls it.
    explicit MenuSounds(SoundMixer& mixer);

    void Play(MenuSound sound);

private:
    SoundMixer& mixer_;
    int move_ = -1;  // the copies, -1 when the sound is missing
    int choose_ = -1;
};

}  // namespace kipkip
