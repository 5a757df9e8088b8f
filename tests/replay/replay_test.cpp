#include "replay/replayfile.h"
#include "replay/replayrecorder.h"
#include "replay/tickinput.h"

#include <gtest/gtest.h>

#include "support/fakeports.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

ReplayFileResult ParseReplay(std::string_view text)
{
    return ReplayFile::Parse(
        "run.rec", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(ReplayFile, HoldsTheKeysTheHighScoreAndTheSeeds)
{
    auto result = ParseReplay(
        "# a run\nkipkip-replay 1\nhiscore 123\n1 none\n30 space\nseed 31 99\n31 none\n");
    ASSERT_TRUE(result.replay) << result.error;
    EXPECT_EQ(result.replay->hiScore, 123);
    EXPECT_EQ(result.replay->seeds,
              (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{31, 99}}));
    EXPECT_TRUE(result.replay->script.HeldAt(30).keys.test(0x39));
    EXPECT_FALSE(result.replay->script.HeldAt(31).keys.test(0x39));
    EXPECT_FALSE(result.replay->keys);  // an older recording: the default keys
    EXPECT_FALSE(result.replay->pad);   // and the default pad binding
}

TEST(ReplayFile, KeepsTheKeyMapItWasPlayedWith)
{
    const InputState zqsd{0x11, 0x1F, 0x10, 0x20, 0x39, 0x2A, 0x1C};
    std::string line = ReplayFile::KeysLine(zqsd);
    EXPECT_EQ(line, "keys w s q d space left_shift return");
    auto result = ParseReplay("kipkip-replay 1\n" + line + "\n1 w\n");
    ASSERT_TRUE(result.replay) << result.error;
    EXPECT_EQ(result.replay->keys, zqsd);
}

TEST(ReplayFile, KeepsThePadBindingItWasPlayedWith)
{
    const PadBinding shoulders{PadButton::LeftShoulder, PadButton::RightShoulder, PadButton::North};
    std::string line = ReplayFile::PadLine(shoulders);
    EXPECT_EQ(line, "pad leftshoulder rightshoulder y");
    auto result = ParseReplay("kipkip-replay 1\n" + line + "\n1 pad.leftshoulder\n");
    ASSERT_TRUE(result.replay) << result.error;
    EXPECT_EQ(result.replay->pad, shoulders);
    EXPECT_EQ(ReplayFile::PadLine(kDefaultPadBinding), "pad a b x");
}

TEST(ReplayFile, ErrorsNameTheLine)
{
    const char* kBadPad =
        "run.rec: line 2: \"pad\" takes three controller buttons for button 1 "
        "to 3: a, b, x, y, leftshoulder or rightshoulder";
    const std::pair<const char*, const char*> cases[] = {
        {"", "run.rec: not a replay: it is empty"},
        {"1 none\n", "run.rec: line 1: not a replay: the first line must be \"kipkip-replay 1\""},
        {"kipkip-replay 1\nhiscore -1\n",
         "run.rec: line 2: \"hiscore\" takes one number from 0 to 456975"},
        {"kipkip-replay 1\nseed 0 5\n",
         "run.rec: line 2: \"seed\" takes a tick from 1 and a value"},
        {"kipkip-replay 1\nseed 5 1\nseed 5 2\n",
         "run.rec: line 3: seeds must come in rising ticks"},
        {"kipkip-replay 1\nhiscore 1\n\n4 spcae\n", "run.rec: line 4: unknown key \"spcae\""},
        {"kipkip-replay 1\nkeys up down left right space b\n",
         "run.rec: line 2: \"keys\" takes seven key names: up, down, left, right, button 1 to 3"},
        {"kipkip-replay 1\nkeys up down left right space b spcae\n",
         "run.rec: line 2: \"keys\" takes seven key names: up, down, left, right, button 1 to 3"},
        {"kipkip-replay 1\npad a b\n", kBadPad},
        {"kipkip-replay 1\npad a b x y\n", kBadPad},
        {"kipkip-replay 1\npad a b start\n", kBadPad},
        {"kipkip-replay 1\npad a b 3\n", kBadPad},
        {"kipkip-replay 1\npad\n", kBadPad},
    };
    for (const auto& [text, error] : cases) {
        auto result = ParseReplay(text);
        EXPECT_FALSE(result.replay) << text;
        EXPECT_EQ(result.error, error) << text;
    }
}

TEST(ReplayRecorder, WhatIsRecordedReadsBackTickForTick)
{
    test::TempDir dir;
    std::string path = (dir.Path() / "run.rec").string();
    const InputState keys{0xC8, 0xD0, 0xCB, 0xCD, 0x2C, 0x2D, 0x2E};
    const PadBinding pad{PadButton::North, PadButton::West, PadButton::South};
    ReplayRecorder recorder(path, keys, pad);
    recorder.SetHiScore(77);
    InputScript::Held none;
    InputScript::Held jump;
    jump.keys.set(0x39);
    jump.pad.x = -100;
    jump.pad.Button(PadButton::East) = true;
    InputScript::Held menu;
    menu.pad.Button(PadButton::Start) = true;
    menu.pad.Button(PadButton::RightShoulder) = true;
    const InputScript::Held* ticks[] = {&none, &none, &jump, &jump, &menu, &none};
    for (std::uint32_t tick = 1; tick <= std::size(ticks); ++tick) {
        recorder.Observe(tick, *ticks[tick - 1]);
    }
    recorder.Seed(3, 4242);
    ASSERT_TRUE(recorder.Flush());

    auto result = ReplayFile::Load(path);
    ASSERT_TRUE(result.replay) << result.error;
    EXPECT_EQ(result.replay->hiScore, 77);
    EXPECT_EQ(result.replay->keys, keys);
    EXPECT_EQ(result.replay->pad, pad);
    EXPECT_EQ(result.replay->seeds,
              (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{3, 4242}}));
    for (std::uint32_t tick = 1; tick <= std::size(ticks); ++tick) {
        const InputScript::Held& held = result.replay->script.HeldAt(tick);
        EXPECT_EQ(held.keys, ticks[tick - 1]->keys) << tick;
        EXPECT_EQ(held.pad.x, ticks[tick - 1]->pad.x) << tick;
        EXPECT_EQ(held.pad.buttons, ticks[tick - 1]->pad.buttons) << tick;
    }
}

TEST(TickInput, ReadsTheDeviceOncePerTick)
{
    test::FakeInput device;
    TickInput input(device);
    device.keyboard[0x39] = 0x80;
    KeyboardState keys;
    input.ReadKeyboard(keys);
    device.keyboard[0x39] = 0;  // released within the tick: the tick keeps what it saw
    input.ReadKeyboard(keys);
    EXPECT_EQ(keys[0x39], 0x80);
    EXPECT_EQ(device.keyboardReads, 1);
    EXPECT_TRUE(input.Held().keys.test(0x39));

    input.BeginTick();
    input.ReadKeyboard(keys);
    EXPECT_EQ(keys[0x39], 0);
    EXPECT_EQ(device.keyboardReads, 2);
}

TEST(TickInput, HoldsTheStickAsTheSignalsTheGameReads)
{
    test::FakeInput device;
    device.joystickAttached = true;
    TickInput input(device);
    const std::pair<int, int> cases[] = {{-51, -100}, {-50, 0}, {50, 0}, {73, 100}};
    for (auto [x, held] : cases) {
        device.joystick.x = x;
        input.BeginTick();
        EXPECT_EQ(input.Held().pad.x, held) << x;
    }
}

}  // namespace
}  // namespace kipkip
