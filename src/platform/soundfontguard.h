// platform/soundfontguard.h
// Whether a SoundFont keeps the silence its format asks for after every sample: 46 points of
// zero. FluidSynth's on-demand loader counts those points into each sample it loads, so a font
// packed without them (TimGM6mb is one) would end every unlooped note with the first points of
// the next sample, a click; such a font is loaded whole instead.
//
// Only the RIFF chunk headers, the sample headers and the points after each sample are read:
// a 150 MB font costs a few hundred kilobytes of reading. Anything unexpected (not a RIFF
// SoundFont, a chunk that runs past the file, compressed samples) answers "not guarded", which
// only means the font is loaded whole.
#pragma once

#include <istream>
#include <string>

namespace kipkip {

bool EverySampleGuarded(std::istream& font);
bool EverySampleGuarded(const std::string& path);

}  // namespace kipkip
