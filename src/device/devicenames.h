// device/devicenames.h
// The Shift-JIS texts of the devices, each with its UTF-8 gloss.
#pragma once

#include <string_view>

namespace kipkip::devicenames {

// "MIDIマッパーを開けませんでした。" (the MIDI mapper could not be opened): shown to the player
// when the music output does not open; the game then runs without music.
inline constexpr std::string_view kMidiMapperNotOpened =
    "MIDI\x83\x7d\x83\x62\x83\x70\x81\x5b\x82\xf0\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5"
    "\x82\xb5\x82\xbd\x81\x42";

}  // namespace kipkip::devicenames
