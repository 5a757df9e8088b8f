#include "app/musicchoice.h"

namespace kipkip {
namespace {

struct SinkRow {
    bool muted;
    bool heard;
    MusicSink sink;
};

constexpr SinkRow kSinks[] = {
    {false, true, MusicSink::Synthesiser},
    {false, false, MusicSink::Silent},
    {true, true, MusicSink::Silent},
    {true, false, MusicSink::Silent},
};

}  // namespace

MusicChoice ChooseMusicOutput(bool muted, bool heard, bool logged)
{
    for (const SinkRow& row : kSinks) {
        if (row.muted == muted && row.heard == heard) {
            return {row.sink, logged};
        }
    }
    return {MusicSink::Silent, logged};
}

}  // namespace kipkip
