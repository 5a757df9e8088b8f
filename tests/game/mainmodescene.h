// tests/game/mainmodescene.h
// The real main mode over a kernel with fake input and a drawing world
// (support/drawingworld.h), whose folder is the data directory. A tick holds the given keys on the
// fake keyboard, runs the kernel and then the mode by one step, as the main window does. The host
// hands out fixed seeds and keeps the high-score file in memory, counting its writes.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/kivinput.h"
#include "game/gamemain.h"
#include "game/gamenames.h"
#include "game/toykipkip.h"
#include "kernel/kernel.h"
#include "platform/sjis.h"
#include "support/drawingworld.h"
#include "support/fakeports.h"
#include "toy/toybox.h"
#include "toy/toynumber.h"

namespace kipkip::test {

// The input device's own keys for the signals (its default map).
inline constexpr std::uint8_t kKeyButton1 = 0x2C;  // Z
inline constexpr std::uint8_t kKeyLeft = 0xCB;
inline constexpr std::uint8_t kKeyRight = 0xCD;

class MemoryHost : public GameHost {
public:
    std::uint32_t NewGameSeed() override
    {
        ++gamesStarted;
        return seed;
    }
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override
    {
        auto found = files.find(std::string(name));
        if (found == files.end()) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes = found->second;
        bytes.resize(std::min(bytes.size(), limit));
        return bytes;
    }
    void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) override
    {
        ++writes;
        files[std::string(name)].assign(bytes.begin(), bytes.end());
    }
    void GameOver() override { ++gamesOver; }
    std::string File(std::string_view name) const
    {
        auto found = files.find(std::string(name));
        return found == files.end() ? "" : std::string(found->second.begin(), found->second.end());
    }

    std::uint32_t seed = 12345;
    int gamesStarted = 0;
    int gamesOver = 0;
    int writes = 0;
    std::map<std::string, std::vector<std::uint8_t>> files;
};

struct MainModeScene : testing::Test, DrawingWorld<> {
    static constexpr int kTick = 20;

    FakeInput port;
    TKivInput input{port};
    TKernel kernel{&draw, nullptr, &input, nullptr};
    MemoryHost host;
    std::unique_ptr<TGameMainMode> mode;

    MainModeScene() { input.Init(); }

    // The mode over the data in the current folder; `memoryHost` false: the ordinary file host.
    TGameMainMode& Make(bool memoryHost = true)
    {
        mode = std::make_unique<TGameMainMode>(nullptr, 0, &kernel, memoryHost ? &host : nullptr);
        return *mode;
    }
    // One tick with exactly these keys held.
    void Tick(std::initializer_list<std::uint8_t> keys = {}, int ms = kTick)
    {
        port.keyboard.fill(0);
        for (std::uint8_t key : keys) {
            port.keyboard[key] = 0x80;
        }
        kernel.Tick(ms);
        mode->Step(ms);
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }
    // The first button goes down in one tick and up in the next.
    void PressButton1()
    {
        Tick({kKeyButton1});
        Tick();
    }
    // From a new mode to the first tick of climbing: the title, the press, the game's start.
    void StartPlaying()
    {
        Make();
        Tick();               // enters; the title shows
        Tick({kKeyButton1});  // the music starts; play from the next tick
        Tick();               // the game starts
        ASSERT_EQ(mode->scene, TGameMainMode::kPlay);
        ASSERT_EQ(mode->state, 1);
    }
    TToyKipKip& Hero() { return *mode->Hero(); }
    // Puts the hero's feet at y (x stays).
    void PlaceHeroAt(float y) { Hero().MoveBy(Vector(0.0f, y - Hero().GetPosition().y, 0, 0)); }

    std::vector<TToyObject*> Select(std::string_view className) const
    {
        std::vector<TToyObject*> found;
        mode->box->SelectObjects(found, className, "", "");
        return found;
    }
    int Count(std::string_view className) const
    {
        return static_cast<int>(Select(className).size());
    }
    bool LayerShown(std::string_view name) const
    {
        const LayerRecord* layer = mode->box->FindLayer(name);
        return layer != nullptr && layer->show;
    }
    bool PictureShown(std::string_view name) const
    {
        const TToyObject* picture = mode->box->FindObject("Picture", name);
        return picture != nullptr && picture->visible;
    }
    // Every fatal error reported so far, in UTF-8, one a line.
    std::string Reported() const
    {
        std::string text;
        for (const std::string& message : fatal.Messages()) {
            text += SjisToUtf8(message) + "\n";
        }
        return text;
    }
    std::int32_t Shows(std::string_view number) const
    {
        return mode->box->FindNumber(number)->value;
    }
};

}  // namespace kipkip::test
