// app/musicchoice.h
// Which output the music's messages go to, decided here and nowhere else, from one table: the
// synthesiser (FluidSynth with a SoundFont) when the run's sound is heard or kept in a file,
// else an output that sounds nothing, so that no SoundFont is loaded for nobody. A muted run
// never opens its sequencer, so it needs no synthesiser either. --midi-log puts the log in
// front of whichever output it is.
#pragma once

namespace kipkip {

enum class MusicSink { Synthesiser, Silent };

struct MusicChoice {
    MusicSink sink = MusicSink::Silent;
    bool logged = false;  // every message is written down on its way to the sink

    bool operator==(const MusicChoice&) const = default;
};

// `heard`: an audio device plays the run's sound, or --audio-out keeps it.
MusicChoice ChooseMusicOutput(bool muted, bool heard, bool logged);

}  // namespace kipkip
