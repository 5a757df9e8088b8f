#include "toy/toyobject.h"

#include <utility>

#include "kernel/clocksum.h"
#include "texdb/texdb.h"

namespace kipkip {

TToyObject::TToyObject(TToyBox* box, std::string className, std::string name, std::string category)
    : className(std::move(className)),
      name(std::move(name)),
      category(std::move(category)),
      box(box)
{}

TToyObject::TToyObject(TToyBox* box, std::string category, TTexDb& db)
    : className(db.Get("class").Text()),
      name(db.Get("name").Text()),
      category(std::move(category)),
      layer(db.Get("layer").Text()),
      box(box)
{
    if (db.Get("show").Int(0) != 0) {
        Show();
    }
}

TToyObject::~TToyObject() = default;

void TToyObject::OnKill() {}

bool TToyObject::IsBlinkOn(std::int32_t period)
{
    if (period == 0) {
        return false;
    }
    // Worked in 64 bits so that no period, however large, can overflow the doubled period.
    std::int64_t twice = 2 * static_cast<std::int64_t>(period);
    return clock % twice < period;
}

std::int32_t TToyObject::CycleIndex(std::int32_t interval, std::int32_t count)
{
    // No caller passes a count below 1; such a count gives index 0 instead of a division by 0.
    if (interval == 0 || count < 1) {
        return 0;
    }
    return static_cast<std::int32_t>((static_cast<std::int64_t>(clock) / interval) % count);
}

void TToyObject::Draw(int, int) {}

void TToyObject::Update(int elapsed)
{
    clock = ClockSum(clock, elapsed);
}

void TToyObject::Prepare() {}

void TToyObject::Show()
{
    visible = true;
}

void TToyObject::Hide()
{
    visible = false;
}

void TToyObject::Kill()
{
    OnKill();
    dead = true;
}

void TToyObject::SaveKeys(std::vector<std::string>&) {}

bool TToyObject::HitPoint(int, int)
{
    return false;
}

bool TToyObject::HitRect(const TToyRect&)
{
    return false;
}

bool TToyObject::InsideRect(const TToyRect&)
{
    return false;
}

bool TToyObject::Rename(std::string newName)
{
    name = std::move(newName);
    return true;
}

bool TToyObject::IsDead()
{
    return dead;
}

void TToyObject::SaveObject(std::vector<std::string>& lines)
{
    lines.emplace_back();
    lines.emplace_back("{");
    lines.push_back("\tclass\t\t" + className);
    // The name line is written even when empty: it reads back as empty text.
    lines.push_back("\tname\t\t" + name);
    if (!layer.empty()) {
        lines.push_back("\tlayer\t\t" + layer);
    }
    if (visible) {
        lines.emplace_back("\tshow\t\t1");
    }
    SaveKeys(lines);
    lines.emplace_back("}");
}

}  // namespace kipkip
