// Which output the music goes to, for every run.
#include "app/musicchoice.h"

#include <gtest/gtest.h>

namespace kipkip {
namespace {

TEST(MusicChoice, TheSynthesiserOnlyWhenTheSoundIsHeardAndNotMuted)
{
    struct Case {
        bool muted;
        bool heard;
        MusicSink sink;
    };
    const Case cases[] = {
        {false, true, MusicSink::Synthesiser},
        {false, false, MusicSink::Silent},
        {true, true, MusicSink::Silent},
        {true, false, MusicSink::Silent},
    };
    for (const Case& c : cases) {
        for (bool logged : {false, true}) {
            EXPECT_EQ(ChooseMusicOutput(c.muted, c.heard, logged), (MusicChoice{c.sink, logged}))
                << c.muted << c.heard << logged;
        }
    }
}

}  // namespace
}  // namespace kipkip
