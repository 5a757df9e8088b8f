// tests/game/actorscene.h
// The game's actors in a real box loaded with the built-in scene, in a drawing world
// (support/drawingworld.h). A tick sets the kernel's held and pressed bits, updates the box by
// 20 ms and draws it, as the main mode does; the box keeps the sounds it was asked to play and
// the font writes down the texts it is asked to show.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/gamenames.h"
#include "game/toykipkip.h"
#include "game/toyplat.h"
#include "kernel/kernel.h"
#include "support/drawingworld.h"
#include "toy/toyanime.h"
#include "toy/toybox.h"

namespace kipkip::test {

// A font that writes down every text it renders.
class ReadingFont : public FakeFont {
public:
    bool Render(std::string_view text, TextMask& mask) override
    {
        texts.emplace_back(text);
        return FakeFont::Render(text, mask);
    }
    std::vector<std::string> texts;
};

struct ActorScene : testing::Test, DrawingWorld<ReadingFont> {
    static constexpr int kTick = 20;

    TKernel kernel{&draw, nullptr, nullptr, nullptr};
    std::unique_ptr<TToyBox> box;

    ActorScene() { NewBox(); }

    // A fresh built-in scene, for a case of a table.
    void NewBox() { box = std::make_unique<TToyBox>(&kernel, nullptr, "toybox"); }

    template <typename T, typename... Args>
    T& Add(Args&&... args)
    {
        auto actor = std::make_unique<T>(box.get(), std::forward<Args>(args)...);
        T& ref = *actor;
        box->AddObject(std::move(actor));
        return ref;
    }
    TToyKipKip& AddHero() { return Add<TToyKipKip>(std::string(gamenames::kKipKip)); }
    // A full-width floor (size 9) with its top edge at y.
    TToyPlat& AddFloor(int y) { return Add<TToyPlat>(0, y, 9, 0.0f); }

    // One frame of the game: the bits of this tick, the box's update, then its drawing.
    void Tick(std::uint16_t held = 0, std::uint16_t pressed = 0, int ms = kTick)
    {
        kernel.held = held;
        kernel.pressed = pressed;
        box->Update(ms);
        draw.Clear();
        box->Draw();
    }
    void Ticks(int count, std::uint16_t held = 0)
    {
        for (int i = 0; i < count; ++i) {
            Tick(held);
        }
    }
    // How often the scene has asked for that sound.
    int Heard(std::string_view soundName) const
    {
        return static_cast<int>(std::count(box->soundLog.begin(), box->soundLog.end(), soundName));
    }
    // How many objects of that class word the box holds.
    int Count(std::string_view className) const
    {
        std::vector<TToyObject*> found;
        return box->SelectObjects(found, className, "", "");
    }
};

// The name of the animation an animator plays, "" for none.
inline std::string_view Playing(const TToyAnimator& animator)
{
    return animator.anime != nullptr ? std::string_view(animator.anime->name) : "";
}

}  // namespace kipkip::test
