#include "replay/replayrecorder.h"

#include "platform/files.h"
#include "replay/replayfile.h"

namespace kipkip {

void ReplayRecorder::Observe(std::uint32_t tick, const InputScript::Held& held)
{
    lastTick_ = tick;
    std::string words = InputScript::Format(held);
    if (lastHeld_ && *lastHeld_ == words) {
        return;
    }
    lastHeld_ = words;
    lastWritten_ = tick;
    lines_.push_back(std::to_string(tick) + " " + words);
}

void ReplayRecorder::Seed(std::uint32_t tick, std::uint32_t seed)
{
    lines_.push_back("seed " + std::to_string(tick) + " " + std::to_string(seed));
}

std::string ReplayRecorder::Text() const
{
    std::string text = std::string(ReplayFile::kMagic) + "\nhiscore " + std::to_string(hiScore_) +
                       "\n" + ReplayFile::KeysLine(keys_) + "\n" + ReplayFile::PadLine(pad_) + "\n";
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    if (lastHeld_ && lastTick_ > lastWritten_) {
        text += std::to_string(lastTick_) + " " + *lastHeld_ + "\n";
    }
    return text;
}

bool ReplayRecorder::Flush() const
{
    const std::string text = Text();
    return WriteWholeFile(
        path_, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace kipkip
