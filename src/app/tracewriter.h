// app/tracewriter.h
// `--trace FILE`: one JSON line of the game's state after each tick, for tests and tools. The
// loop tick and the game tick (see runclock.h) and the kernel's input words come first; once the
// main mode exists, its screen, clock, hero, the counts of the scene's objects and the sounds and
// music of the tick follow, and with
// `--trace-actors` every actor's class, position and velocity. docs/formats.md has the fields.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace kipkip {

class TKernel;
class TGameMainMode;

class TraceWriter {
public:
    // False when the file cannot be created.
    bool Open(const std::string& path);
    bool IsOpen() const { return out_.is_open(); }
    // Whether each line lists the actors too.
    void SetActors(bool on) { actors_ = on; }
    // `mode` is nullptr until the main mode exists. `menu`: where the menu stands ("closed").
    void Write(std::uint64_t tick, std::uint64_t gameTick, const TKernel& kernel,
               const TGameMainMode* mode = nullptr, std::string_view menu = "closed");

    // The fields of the main mode, without the braces (for tests and tools).
    static std::string ModeFields(const TGameMainMode& mode, bool actors);

private:
    std::ofstream out_;
    bool actors_ = false;
};

}  // namespace kipkip
