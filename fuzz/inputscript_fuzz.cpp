// The input-script reader on any bytes: it accepts or names a line, and a script it accepts
// answers for every tick.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "replay/scriptedinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    InputScriptResult result = InputScript::Parse("fuzz", std::span(data, size));
    if (!result.script) {
        if (result.error.empty()) {
            std::abort();  // a refused script always says why
        }
        return 0;
    }
    std::vector<std::uint32_t> ticks = {0, 1, UINT32_MAX};
    for (const InputScript::Step& step : result.script->Steps()) {
        ticks.push_back(step.tick);
        if (ticks.size() > 16) {
            break;
        }
    }
    ScriptedInput input(std::move(*result.script));
    input.Open();
    for (std::uint32_t tick : ticks) {
        input.SetTick(tick);
        KeyboardState keys;
        input.ReadKeyboard(keys);
        JoystickReading pad;
        if (input.HasJoystick()) {
            input.PollJoystick(pad);
        }
    }
    input.Close();
    return 0;
}
