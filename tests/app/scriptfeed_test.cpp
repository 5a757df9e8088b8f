// An input script is fed by loop ticks, a recording's keys by the game tick the next step runs.
#include "app/scriptfeed.h"

#include <gtest/gtest.h>

#include "app/runclock.h"
#include "replay/scriptedinput.h"

namespace kipkip {
namespace {

InputScript Script(std::string_view text)
{
    auto parsed = InputScript::Parse(
        "script", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_TRUE(parsed.script) << parsed.error;
    return parsed.script ? *parsed.script : InputScript{};
}

TEST(ScriptFeed, FeedsByLoopTicksOrByGameTicks)
{
    // Loop ticks 2 and 3 leave the game still: by game ticks the space bar comes two loop
    // ticks later than by loop ticks.
    const bool steps[] = {true, false, false, true, true, true};
    for (ScriptFeed::Count count : {ScriptFeed::Count::LoopTicks, ScriptFeed::Count::GameTicks}) {
        ScriptedInput input(Script("1 none\n3 space\n"));
        RunClock clock;
        ScriptFeed feed(input, clock, count);
        std::string seen;
        for (std::uint64_t tick = 1; tick <= 6; ++tick) {
            clock.BeforeTick(tick);
            feed.BeforeTick(tick);
            KeyboardState keys;
            input.ReadKeyboard(keys);
            seen += keys[0x39] != 0 ? 'S' : '.';
            if (steps[tick - 1]) {
                clock.GameStepped();
            }
        }
        EXPECT_EQ(seen, count == ScriptFeed::Count::LoopTicks ? "..SSSS" : "....SS");
    }
}

}  // namespace
}  // namespace kipkip
