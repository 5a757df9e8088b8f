#include "app/tracewriter.h"

#include <vector>

#include "app/jsonline.h"
#include "game/gamemain.h"
#include "game/gamenames.h"
#include "game/toykipkip.h"
#include "kernel/kernel.h"
#include "platform/sjis.h"
#include "toy/toyactor.h"

namespace kipkip {
namespace {

int Count(const TToyBox& box, std::string_view className)
{
    std::vector<TToyObject*> found;
    return box.SelectObjects(found, className, "", "");
}

std::string Hero(TToyKipKip& hero)
{
    TToyActor& actor = hero;
    Vector p = actor.GetPosition();
    Vector v = actor.GetVelocity();
    Vector a = actor.GetAcceleration();
    return JsonLine()
        .AddReal("x", p.x)
        .AddReal("y", p.y)
        .AddReal("vx", v.x)
        .AddReal("vy", v.y)
        .AddReal("ax", a.x)
        .AddReal("ay", a.y)
        .Add("airborne", hero.airborne)
        .Add("hurt", hero.hurt)
        .Add("idle", hero.idle)
        .Add("facingRight", hero.facingRight)
        .Add("moving", actor.IsMoving())
        .Add("visible", hero.visible)
        .Add("hurtTime", hero.hurtTime)
        .Add("floorY", hero.floorY)
        .Text();
}

std::string Sounds(const TToyBox& box)
{
    std::string list = "[";
    for (const std::string& name : box.soundLog) {
        if (list.size() > 1) {
            list += ',';
        }
        list += JsonLine::Quoted(SjisToUtf8(name));
    }
    return list + "]";
}

std::string Actors(const TToyBox& box)
{
    std::string list = "[";
    for (const auto& object : box.objects.items) {
        auto* actor = dynamic_cast<TToyActor*>(object.get());
        if (actor == nullptr) {
            continue;
        }
        if (list.size() > 1) {
            list += ',';
        }
        Vector p = actor->GetPosition();
        Vector v = actor->GetVelocity();
        list += JsonLine()
                    .Add("class", actor->className)
                    .AddReal("x", p.x)
                    .AddReal("y", p.y)
                    .AddReal("vx", v.x)
                    .AddReal("vy", v.y)
                    .Text();
    }
    return list + "]";
}

}  // namespace

bool TraceWriter::Open(const std::string& path)
{
    out_.open(path, std::ios::binary | std::ios::trunc);
    return out_.is_open();
}

std::string TraceWriter::ModeFields(const TGameMainMode& mode, bool actors)
{
    const TToyBox& box = *mode.box;
    JsonLine line;
    line.Add("scene", int{mode.scene})
        .Add("state", mode.state)
        .Add("height", mode.height)
        .Add("level", mode.level)
        .Add("timeLeft", mode.timeLeft)
        .Add("timeTarget", mode.timeTarget)
        .Add("hiScore", mode.hiScore)
        .AddJson("hero", Hero(*mode.Hero()))
        .Add("plats", Count(box, gamenames::kClassPlat))
        .Add("coins", Count(box, gamenames::kClassCoin))
        .Add("enemies", Count(box, gamenames::kClassEnemy))
        .Add("objects", box.objects.Count())
        .AddJson("sounds", Sounds(box));
    if (box.music.empty()) {
        line.AddNull("music");
    } else {
        line.Add("music", SjisToUtf8(box.music));
    }
    if (actors) {
        line.AddJson("actors", Actors(box));
    }
    std::string text = line.Text();
    return text.substr(1, text.size() - 2);
}

void TraceWriter::Write(std::uint64_t tick, std::uint64_t gameTick, const TKernel& kernel,
                        const TGameMainMode* mode, std::string_view menu)
{
    if (!out_.is_open()) {
        return;
    }
    std::string text = JsonLine()
                           .Add("tick", static_cast<std::int64_t>(tick))
                           .Add("gameTick", static_cast<std::int64_t>(gameTick))
                           .Add("ms", kernel.elapsed)
                           .Add("held", kernel.held)
                           .Add("pressed", kernel.pressed)
                           .Add("repeated", kernel.repeated)
                           .Add("lastKey", kernel.lastKey)
                           .Add("menu", menu)
                           .Text();
    if (mode != nullptr) {
        text.pop_back();
        text += ',' + ModeFields(*mode, actors_) + '}';
    }
    out_ << text << '\n';
}

}  // namespace kipkip
