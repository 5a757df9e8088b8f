// platform/fluidsynth/silencedreads.h
// FluidSynth's file reads of a SoundFont loaded on demand, with silence read past the end of
// each sample (see platform/soundfontsamples.h): a font packed without the format's silence
// after its samples then sounds as it does loaded whole.
//
// FluidSynth's file callbacks carry nothing but the file's name, so the samples' places are
// kept by name for the life of the process.
#pragma once

#include <string>

#include "platform/soundfontsamples.h"

// FluidSynth's own types, named here so that only our .cpp includes its header.
struct _fluid_hashtable_t;
struct _fluid_sfloader_t;

namespace kipkip {

// A SoundFont loader for a synthesiser (which then owns it) that reads `path` so.
_fluid_sfloader_t* NewSilencedReadsLoader(_fluid_hashtable_t* settings, const std::string& path,
                                          SoundFontSamples samples);

}  // namespace kipkip
