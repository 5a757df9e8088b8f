// app/datachecker.h
// `kipkip --check FILE...`: loads each data file with the game's own reader and writes one
// JSON line per file, so modders and tools learn whether the game will accept it and why not.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kipkip {

class DataChecker {
public:
    // With `dump`, text data also gets one line per entry.
    explicit DataChecker(bool dump) : dump_(dump) {}

    // True when every file is accepted.
    bool CheckAll(const std::vector<std::string>& files, std::ostream& out) const;

private:
    bool CheckText(const std::string& file, std::ostream& out) const;
    bool CheckBitmap(const std::string& file, std::ostream& out) const;

    bool dump_;
};

}  // namespace kipkip
