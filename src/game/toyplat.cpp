#include "game/toyplat.h"

#include <string>

#include "game/gamenames.h"
#include "toy/toyanimefile.h"
#include "toy/toybox.h"
#include "toy/toyframe.h"
#include "toy/toynames.h"

namespace kipkip {

namespace {

constexpr double kCarryTick = 20.0;  // ms: a rider is carried one standard tick's distance

TToyShape* FindPlatFrame(TToyBox* box, int size)
{
    if (box == nullptr) {
        return nullptr;
    }
    auto* file =
        dynamic_cast<TToyAnimeFile*>(box->FindObject(toynames::kAnimeFile, gamenames::kPlat));
    if (file == nullptr) {
        return nullptr;
    }
    return file->FindFrame(std::string(gamenames::kPlatFramePrefix) + std::to_string(size));
}

}  // namespace

TToyPlat::TToyPlat(TToyBox* box, int x, int y, int size, float speed)
    : TToyActor(box, std::string(gamenames::kClassPlat), std::string(gamenames::kPlat), {}, {},
                static_cast<float>(x), static_cast<float>(y), 0.0f)
{
    shape = FindPlatFrame(box, size);
    velocity.x = speed;
    width = size * 16 + 32;
    Show();
}

void TToyPlat::Act(int)
{
    if (position.x > kTrackRight) {
        position.x = kTrackLeft;
    }
    if (position.x < kTrackLeft) {
        position.x = kTrackRight;
    }
}

void TToyPlat::OnTouched(TToyActor* other)
{
    if (other == nullptr) {
        return;
    }
    float carry = static_cast<float>(velocity.x * 0.001 * kCarryTick);
    other->MoveBy(Vector(carry, 0.0f, 0.0f, 0.0f));
}

}  // namespace kipkip
