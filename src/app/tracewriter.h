// app/tracewriter.h
// `--trace FILE`: one JSON line of the game's state after each tick, for tests and tools.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace kipkip {

class TKernel;

class TraceWriter {
public:
    // False when the file cannot be created.
    bool Open(const std::string& path);
    bool IsOpen() const { return out_.is_open(); }
    void Write(std::uint64_t tick, const TKernel& kernel);

private:
    std::ofstream out_;
};

}  // namespace kipkip
