// records/pace.h
// How one game climbed: the hero's height in metres at each of its ticks, from the game's first
// tick (index 0). The records keep it beside a record's recording so that a later game can be
// shown, while it climbs, where the record was at the same moment of its own game.
//
// A game longer than kMaxTicks keeps its first kMaxTicks heights: the marker has nothing to
// show past them but the last height, which is also what a reader sees past a short game's end.
#pragma once

#include <cstdint>
#include <vector>

namespace kipkip {

class Pace {
public:
    static constexpr std::uint64_t kTicksPerSecond = 50;
    // Two hours of play, far beyond any game; 1.4 MB of heights at most.
    static constexpr std::uint64_t kMaxTicks = 2 * 60 * 60 * kTicksPerSecond;
    // Heights as the records table bounds them, and as far below the first floor.
    static constexpr std::int32_t kMaxHeight = 9'999'999;
    static constexpr std::int32_t kMinHeight = -kMaxHeight;

    // The height of the next tick. False, and nothing kept, once kMaxTicks are held or when the
    // height is outside kMinHeight ... kMaxHeight.
    bool Add(std::int32_t height);
    // The height at `tick`; past the last tick the last height, and 0 when there is none.
    std::int32_t HeightAt(std::uint64_t tick) const;
    std::uint64_t Ticks() const { return heights_.size(); }

    bool operator==(const Pace&) const = default;

private:
    std::vector<std::int32_t> heights_;  // one per tick, from the first
};

}  // namespace kipkip
