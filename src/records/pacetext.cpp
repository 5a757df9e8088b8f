#include "records/pacetext.h"

#include <utility>
#include <vector>

#include "platform/textlines.h"
#include "platform/wholenumber.h"

namespace kipkip {
namespace {

// What the reader has taken in so far: the pace up to the last change line, and that line.
class PaceReader {
public:
    std::optional<std::string> Line(std::string_view line)
    {
        if (ended_) {
            return "nothing may follow the \"end\" line";
        }
        if (line.size() > PaceText::kMaxLineLength) {
            return "the line is longer than " + std::to_string(PaceText::kMaxLineLength) +
                   " characters";
        }
        const std::vector<std::string_view> words = Words(line, 3);
        if (words.size() != 2) {
            return "a line holds a tick and a height, or \"end\" and the number of ticks";
        }
        return words[0] == PaceText::kEndWord ? End(words[1]) : Change(words[0], words[1]);
    }

    bool Ended() const { return ended_; }
    Pace Take() { return std::move(pace_); }

private:
    std::optional<std::string> Change(std::string_view tickWord, std::string_view heightWord)
    {
        std::uint64_t tick = 0;
        std::int32_t height = 0;
        if (auto fault = ParseWholeNumber<std::uint64_t>("the tick", tickWord, 0,
                                                         Pace::kMaxTicks - 1, tick)) {
            return fault;
        }
        if (auto fault = ParseWholeNumber("the height", heightWord, Pace::kMinHeight,
                                          Pace::kMaxHeight, height)) {
            return fault;
        }
        if (!last_ && tick != 0) {
            return "the first height is the one at tick 0";
        }
        if (last_ && tick < pace_.Ticks()) {
            return "the ticks must rise from line to line";
        }
        if (last_ && height == *last_) {
            return "the height is the same as on the line before";
        }
        FillTo(tick);
        pace_.Add(height);
        last_ = height;
        return std::nullopt;
    }

    std::optional<std::string> End(std::string_view countWord)
    {
        std::uint64_t count = 0;
        if (auto fault = ParseWholeNumber<std::uint64_t>("the number of ticks", countWord, 0,
                                                         Pace::kMaxTicks, count)) {
            return fault;
        }
        // The last change's tick is Ticks() - 1 and has to be within the game.
        if (count < pace_.Ticks()) {
            return "the game ends before the last height given";
        }
        if (count > 0 && !last_) {
            return "a game of " + std::to_string(count) + " ticks needs its height at tick 0";
        }
        FillTo(count);
        ended_ = true;
        return std::nullopt;
    }

    // The last height, held until just before `tick`.
    void FillTo(std::uint64_t tick)
    {
        while (last_ && pace_.Ticks() < tick) {
            pace_.Add(*last_);
        }
    }

    Pace pace_;
    std::optional<std::int32_t> last_;
    bool ended_ = false;
};

bool IsFirstLine(std::string_view line)
{
    const std::vector<std::string_view> words = Words(line, 3);
    return line.size() <= PaceText::kMaxLineLength && words.size() == 2 &&
           words[0] == PaceText::kMagic && words[1] == std::to_string(PaceText::kVersion);
}

}  // namespace

std::optional<Pace> PaceText::Parse(std::string_view name, std::span<const std::uint8_t> bytes,
                                    std::string& error)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.size() > kMaxSize) {
        error =
            std::string(name) + ": too long: larger than " + std::to_string(kMaxSize) + " bytes";
        return std::nullopt;
    }
    PaceReader reader;
    std::string fault;
    ForEachLine(text, [&](std::size_t number, std::string_view line) {
        std::optional<std::string> wrong;
        if (number == 1) {
            if (!IsFirstLine(line)) {
                wrong = "not a pace file: the first line must be \"" + std::string(kMagic) + " " +
                        std::to_string(kVersion) + "\"";
            }
        } else {
            wrong = reader.Line(line);
        }
        if (wrong) {
            fault = "line " + std::to_string(number) + ": " + *wrong;
        }
        return !wrong;
    });
    if (fault.empty() && !reader.Ended()) {
        fault = text.empty() ? "empty: not a pace file" : "cut short: the \"end\" line is missing";
    }
    if (!fault.empty()) {
        error = std::string(name) + ": " + fault;
        return std::nullopt;
    }
    return reader.Take();
}

std::string PaceText::Format(const Pace& pace)
{
    std::string text = std::string(kMagic) + " " + std::to_string(kVersion) + "\n";
    for (std::uint64_t tick = 0; tick < pace.Ticks(); ++tick) {
        const std::int32_t height = pace.HeightAt(tick);
        if (tick == 0 || height != pace.HeightAt(tick - 1)) {
            text += std::to_string(tick) + " " + std::to_string(height) + "\n";
        }
    }
    text += std::string(kEndWord) + " " + std::to_string(pace.Ticks()) + "\n";
    return text;
}

}  // namespace kipkip
