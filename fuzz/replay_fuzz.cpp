// Replay files on any bytes: reading one never goes outside it, and what it holds is in order.
#include <cstdint>
#include <cstdlib>

#include "replay/replayfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    ReplayFileResult result = ReplayFile::Parse("fuzz", std::span(data, size));
    if (result.replay) {
        const ReplayFile& replay = *result.replay;
        for (std::size_t i = 1; i < replay.seeds.size(); ++i) {
            if (replay.seeds[i].first <= replay.seeds[i - 1].first) {
                std::abort();  // seeds are promised in rising ticks
            }
        }
        replay.script.HeldAt(replay.LastTick());
    } else if (result.error.empty()) {
        std::abort();  // a refusal always says why
    }
    return 0;
}
