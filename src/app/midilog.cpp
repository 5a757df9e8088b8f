#include "app/midilog.h"

#include <array>

namespace kipkip {

int MidiLog::ShortLength(std::uint8_t status)
{
    if (status >= 0xC0 && status <= 0xDF) {
        return 2;  // program change, channel pressure
    }
    if (status >= 0x80 && status <= 0xEF) {
        return 3;
    }
    switch (status) {
        case 0xF1:  // time code quarter frame
        case 0xF3:  // song select
            return 2;
        case 0xF2:  // song position
            return 3;
        default:
            // Real-time and other one-byte messages, and a data byte where a status should be.
            return 1;
    }
}

void MidiLog::Short(std::uint32_t message)
{
    std::array<std::uint8_t, 3> bytes = {static_cast<std::uint8_t>(message),
                                         static_cast<std::uint8_t>(message >> 8),
                                         static_cast<std::uint8_t>(message >> 16)};
    Write(std::span<const std::uint8_t>(bytes).first(
        static_cast<std::size_t>(ShortLength(bytes[0]))));
    output_.Short(message);
}

bool MidiLog::Long(std::span<const std::uint8_t> bytes)
{
    Write(bytes);
    return output_.Long(bytes);
}

void MidiLog::Reset()
{
    {
        std::lock_guard lock(mutex_);
        lines_ << clock_() << " reset\n";
    }
    output_.Reset();
}

void MidiLog::Write(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::lock_guard lock(mutex_);
    lines_ << clock_();
    for (std::uint8_t byte : bytes) {
        lines_ << ' ' << kHex[byte >> 4] << kHex[byte & 0x0F];
    }
    lines_ << '\n';
}

}  // namespace kipkip
