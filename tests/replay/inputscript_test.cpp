#include "replay/inputscript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tempdir.h"

namespace kipkip {
namespace {

InputScriptResult ParseText(std::string_view text)
{
    return InputScript::Parse(
        "input.txt", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

InputScript Script(std::string_view text)
{
    InputScriptResult result = ParseText(text);
    EXPECT_TRUE(result.script) << result.error;
    return result.script ? *result.script : InputScript{};
}

// The key codes held, in rising order.
std::vector<int> Codes(const InputScript::Held& held)
{
    std::vector<int> codes;
    for (int code = 0; code < 256; ++code) {
        if (held.keys.test(static_cast<std::size_t>(code))) {
            codes.push_back(code);
        }
    }
    return codes;
}

TEST(InputScriptTicks, EachLineHoldsItsKeysUntilTheNext)
{
    InputScript script = Script(
        "# walk left, jump, then let go\n"
        "\n"
        "3   left\n"
        "\t30\tleft+space   # jump\n"
        "32 none\n"
        "40 B\n");
    const std::pair<std::uint32_t, std::vector<int>> held[] = {
        {0, {}},
        {1, {}},
        {2, {}},
        {3, {0xCB}},
        {29, {0xCB}},
        {30, {0x39, 0xCB}},
        {31, {0x39, 0xCB}},
        {32, {}},
        {39, {}},
        {40, {0x30}},
        {UINT32_MAX, {0x30}},
    };
    for (const auto& [tick, codes] : held) {
        EXPECT_EQ(Codes(script.HeldAt(tick)), codes) << "tick " << tick;
    }
    EXPECT_FALSE(script.UsesPad());
    EXPECT_EQ(script.Steps().size(), 4u);
}

TEST(InputScriptTicks, AnEmptyScriptHoldsNothing)
{
    for (std::string_view text : {"", "\n\n", "# nothing\n", "   \t"}) {
        InputScript script = Script(text);
        EXPECT_TRUE(script.Steps().empty()) << text;
        EXPECT_TRUE(Codes(script.HeldAt(1)).empty());
    }
}

TEST(InputScriptTicks, LinesEndAtLfCrLfOrCr)
{
    InputScript script = Script("1 left\r\n2 right\r3 up\n4 down");
    ASSERT_EQ(script.Steps().size(), 4u);
    EXPECT_EQ(Codes(script.HeldAt(4)), (std::vector<int>{0xD0}));

    InputScriptResult broken = ParseText("1 left\r\n2 right\r3 up\n4 dwon\n");
    EXPECT_EQ(broken.error, "input.txt: line 4: unknown key \"dwon\"");
}

TEST(InputScriptKeys, NamesAreSdlsInAnyCaseWithUnderscoreForSpace)
{
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"left+right+up+down", {0xC8, 0xCB, 0xCD, 0xD0}},
        {"SPACE+Return+b", {0x1C, 0x30, 0x39}},
        {"escape+z", {0x01, 0x2C}},
        {"left_shift+keypad_8", {0x2A, 0x48}},
        {"f12+1", {0x02, 0x58}},
        {"left+left", {0xCB}},
        {"none", {}},
        {"NONE", {}},
    };
    for (const auto& [keys, codes] : cases) {
        InputScript script = Script(std::string("1 ") + keys + "\n");
        EXPECT_EQ(Codes(script.HeldAt(1)), codes) << keys;
    }
}

TEST(InputScriptKeys, PadSignalsMoveTheStickFullyAndPressButtons)
{
    InputScript script = Script(
        "1 pad.up+pad.left\n"
        "2 pad.down+pad.right+pad.a+pad.x+space\n"
        "3 pad.b\n"
        "4 none\n");
    EXPECT_TRUE(script.UsesPad());
    struct Expected {
        int x;
        int y;
        std::vector<PadButton> buttons;
    };
    const Expected expected[] = {
        {0, 0, {}},
        {-100, -100, {}},
        {100, 100, {PadButton::South, PadButton::West}},
        {0, 0, {PadButton::East}},
        {0, 0, {}},
    };
    for (std::uint32_t tick = 0; tick < std::size(expected); ++tick) {
        const JoystickReading& pad = script.HeldAt(tick).pad;
        EXPECT_EQ(pad.x, expected[tick].x) << "tick " << tick;
        EXPECT_EQ(pad.y, expected[tick].y) << "tick " << tick;
        JoystickReading held;
        for (PadButton button : expected[tick].buttons) {
            held.Button(button) = true;
        }
        EXPECT_EQ(pad.buttons, held.buttons) << "tick " << tick;
    }
    EXPECT_EQ(Codes(script.HeldAt(2)), (std::vector<int>{0x39}));
}

// Each button by SDL's name for it, in any letter case, and the first scripts' numbers for the
// three buttons a pad had then.
TEST(InputScriptKeys, PadButtonsByTheirNamesAndByTheOldNumbers)
{
    const std::pair<const char*, PadButton> cases[] = {
        {"pad.a", PadButton::South},
        {"pad.b", PadButton::East},
        {"pad.x", PadButton::West},
        {"pad.y", PadButton::North},
        {"pad.leftshoulder", PadButton::LeftShoulder},
        {"pad.rightshoulder", PadButton::RightShoulder},
        {"pad.start", PadButton::Start},
        {"PAD.RightShoulder", PadButton::RightShoulder},
        {"pad.1", PadButton::South},
        {"pad.2", PadButton::East},
        {"pad.3", PadButton::West},
    };
    for (const auto& [name, button] : cases) {
        InputScript script = Script(std::string("1 ") + name + "\n");
        JoystickReading expected;
        expected.Button(button) = true;
        EXPECT_EQ(script.HeldAt(1).pad.buttons, expected.buttons) << name;
        EXPECT_TRUE(script.UsesPad()) << name;
    }
}

TEST(InputScriptKeys, BoundsAreInclusive)
{
    std::string keys = "a";
    for (std::size_t i = 1; i < InputScript::kMaxKeysPerLine; ++i) {
        keys += "+a";
    }
    EXPECT_TRUE(ParseText("1 " + keys).script) << "as many keys as allowed";

    std::string line = "4294967295 left #";
    line.resize(InputScript::kMaxLineLength, 'x');
    InputScript script = Script(line);
    EXPECT_EQ(Codes(script.HeldAt(UINT32_MAX)), (std::vector<int>{0xCB}));
}

struct ErrorCase {
    std::string text;
    std::string error;
};

TEST(InputScriptErrors, NameTheLineAndTheFault)
{
    const std::string manyKeys = [] {
        std::string keys = "a";
        for (std::size_t i = 0; i < InputScript::kMaxKeysPerLine; ++i) {
            keys += "+a";
        }
        return "1 " + keys;
    }();
    const std::string longLine = "# " + std::string(InputScript::kMaxLineLength - 1, 'x');
    const ErrorCase cases[] = {
        {"1 left\n3 spcae\n", "line 2: unknown key \"spcae\""},
        {"0 left", "line 1: tick 0: ticks count from 1"},
        {"5 left\n# rest\n5 right", "line 3: tick 5 does not come after tick 5"},
        {"5 left\n3 right", "line 2: tick 3 does not come after tick 5"},
        {"abc left", "line 1: \"abc\" is not a tick number"},
        {"-1 left", "line 1: \"-1\" is not a tick number"},
        {"+1 left", "line 1: \"+1\" is not a tick number"},
        {"1.5 left", "line 1: \"1.5\" is not a tick number"},
        {"4294967296 left", "line 1: tick \"4294967296\" is too large"},
        {"7", "line 1: no keys after tick 7 (\"none\" for none)"},
        {"7 # left", "line 1: no keys after tick 7 (\"none\" for none)"},
        {"7 left right", "line 1: unexpected \"right\" after the keys (join keys with \"+\")"},
        {"7 left + b", "line 1: unexpected \"+\" after the keys (join keys with \"+\")"},
        {"7 left+", "line 1: empty key name in \"left+\""},
        {"7 +left", "line 1: empty key name in \"+left\""},
        {"7 left++b", "line 1: empty key name in \"left++b\""},
        {"7 none+left", "line 1: \"none\" cannot be held with other keys"},
        {"7 pad.up+pad.down", "line 1: \"pad.up\" and \"pad.down\" cannot be held together"},
        {"7 pad.right+pad.1+pad.left",
         "line 1: \"pad.right\" and \"pad.left\" cannot be held together"},
        {"7 pad.4", "line 1: unknown controller signal \"pad.4\""},
        {"7 pad.0", "line 1: unknown controller signal \"pad.0\""},
        {"7 pad.", "line 1: unknown controller signal \"pad.\""},
        {"7 pad.guide", "line 1: unknown controller signal \"pad.guide\""},
        {"7 pad.back", "line 1: unknown controller signal \"pad.back\""},
        {"7 pad.south", "line 1: unknown controller signal \"pad.south\""},
        {"7 pad.a.b", "line 1: unknown controller signal \"pad.a.b\""},
        {"7 pad.dpup", "line 1: unknown controller signal \"pad.dpup\""},
        {"7 mute", "line 1: unknown key \"mute\""},
        {"7 left shift", "line 1: unexpected \"shift\" after the keys (join keys with \"+\")"},
        {"7 \xff\"\x01", "line 1: unknown key \"\\xff\\x22\\x01\""},
        {"7 " + std::string(50, 'q'), "line 1: unknown key \"" + std::string(40, 'q') + "...\""},
        {manyKeys, "line 1: more than 32 keys"},
        {"1 left\n" + longLine, "line 2: longer than 4096 bytes"},
        {std::string("1 left\0", 7), "line 1: unknown key \"left\\x00\""},
    };
    for (const ErrorCase& c : cases) {
        InputScriptResult result = ParseText(c.text);
        EXPECT_FALSE(result.script) << c.text;
        EXPECT_EQ(result.error, "input.txt: " + c.error) << c.text;
    }
}

TEST(InputScriptFiles, LoadNamesTheFileAsGiven)
{
    test::TempDir dir;
    std::string path = dir.Write("input.txt", "1 left\n2 spcae\n");
    EXPECT_EQ(InputScript::Load(path).error, path + ": line 2: unknown key \"spcae\"");

    path = dir.Write("good.txt", "5 right\n");
    InputScriptResult good = InputScript::Load(path);
    ASSERT_TRUE(good.script) << good.error;
    EXPECT_EQ(Codes(good.script->HeldAt(5)), (std::vector<int>{0xCD}));

    std::string missing = (dir.Path() / "missing.txt").string();
    EXPECT_EQ(InputScript::Load(missing).error, missing + ": cannot be read");
}

}  // namespace
}  // namespace kipkip

namespace kipkip {
namespace {

// What is written down reads back as the same held state, key for key and signal for signal, and
// is written in the names of today: the first scripts' pad.1 to pad.3 come back as pad.a, pad.b
// and pad.x.
TEST(InputScriptFormat, WhatIsWrittenReadsBackTheSame)
{
    const std::pair<const char*, const char*> lines[] = {
        {"none", "none"},
        {"left", "left"},
        {"left+space", "space+left"},
        {"b+return+pad.a", "return+b+pad.a"},
        {"pad.up+pad.left+pad.x", "pad.up+pad.left+pad.x"},
        {"left_shift+z", "left_shift+z"},
        {"keypad_8+f12", "keypad_8+f12"},
        {"b+return+pad.1", "return+b+pad.a"},
        {"pad.3+pad.up+pad.2+pad.left", "pad.up+pad.left+pad.b+pad.x"},
        {"pad.start+pad.rightshoulder+pad.leftshoulder+pad.y+pad.x+pad.b+pad.a+pad.down",
         "pad.down+pad.a+pad.b+pad.x+pad.y+pad.leftshoulder+pad.rightshoulder+pad.start"},
        {"pad.1+pad.a", "pad.a"},
        {"PAD.Y+pad.right", "pad.right+pad.y"},
    };
    for (const auto& [words, written] : lines) {
        std::string text = std::string("1 ") + words + "\n";
        auto parsed = InputScript::Parse(
            "t", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        ASSERT_TRUE(parsed.script) << parsed.error;
        const InputScript::Held& held = parsed.script->HeldAt(1);
        std::string formatted = InputScript::Format(held);
        EXPECT_EQ(formatted, written) << words;
        std::string again = "1 " + formatted + "\n";
        auto reparsed = InputScript::Parse(
            "t", std::span(reinterpret_cast<const std::uint8_t*>(again.data()), again.size()));
        ASSERT_TRUE(reparsed.script) << formatted << ": " << reparsed.error;
        EXPECT_EQ(reparsed.script->HeldAt(1).keys, held.keys) << words << " -> " << formatted;
        EXPECT_EQ(reparsed.script->HeldAt(1).pad.x, held.pad.x) << words;
        EXPECT_EQ(reparsed.script->HeldAt(1).pad.y, held.pad.y) << words;
        EXPECT_EQ(reparsed.script->HeldAt(1).pad.buttons, held.pad.buttons) << words;
    }
    EXPECT_EQ(InputScript::Format(InputScript::Held{}), "none");
    EXPECT_EQ(InputScript::KeyName(0xCB), "left");
    EXPECT_EQ(InputScript::KeyName(0x2A), "left_shift");
    EXPECT_EQ(InputScript::KeyName(0), "");
}

}  // namespace
}  // namespace kipkip
