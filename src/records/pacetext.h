// records/pacetext.h
// A pace's text file (docs/formats.md): the line "kipkip-pace 1", then a line "TICK HEIGHT"
// for each tick at which the height changes, the first at tick 0, and last the line "end N"
// with the game's number of ticks:
//
//     kipkip-pace 1
//     0 0
//     41 1
//     63 2
//     end 3000
//
// Nothing else is read: no comments, no blank lines, nothing after "end". Ticks rise from line
// to line and stay below N, each line's height differs from the one before, and everything is
// bounded before it is read: the file's size, each line's length, every number's range. An
// error names the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/pace.h"

namespace kipkip {

class PaceText {
public:
    static constexpr std::string_view kMagic = "kipkip-pace";
    static constexpr int kVersion = 1;
    static constexpr std::string_view kEndWord = "end";
    // "359999 -9999999" is the longest line we write; a line this long is not ours.
    static constexpr std::size_t kMaxLineLength = 32;
    // One line a tick at most, each no longer than the longest we write with its line end.
    static constexpr std::size_t kMaxSize = 64 + Pace::kMaxTicks * 17;

    // The pace, or nothing with "<name>: line <n>: <what>" (or "<name>: <what>") in `error`.
    // `name` only serves the message.
    static std::optional<Pace> Parse(std::string_view name, std::span<const std::uint8_t> text,
                                     std::string& error);
    // The file's text for `pace`; Parse reads it back as the same pace.
    static std::string Format(const Pace& pace);
};

}  // namespace kipkip
