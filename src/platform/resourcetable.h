// platform/resourcetable.h
// The table of resources compiled into the program, generated at build time from assets/.
#pragma once

#include <cstdint>
#include <vector>

namespace kipkip {

struct EmbeddedResource {
    const char* type;  // BITMAP, WAVE, MIDI, TEXT or ANIME
    const char* name;  // upper case
    const std::uint8_t* begin;
    const std::uint8_t* end;
};

const std::vector<EmbeddedResource>& EmbeddedResources();

}  // namespace kipkip
