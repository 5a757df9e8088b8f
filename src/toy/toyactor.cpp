#include "toy/toyactor.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toyframe.h"
#include "toy/toynames.h"

namespace kipkip {

namespace {

// Positions are on screen in practice; the sum of one and a layer origin wraps as 32-bit
// arithmetic does instead of overflowing.
int AddOrigin(int value, int origin)
{
    return static_cast<int>(static_cast<std::int64_t>(value) + origin);
}

TToyShape* FindShape(TToyBox* box, std::string_view shapeClass, std::string_view shapeId)
{
    if (box == nullptr) {
        return nullptr;
    }
    return dynamic_cast<TToyShape*>(box->FindObject(shapeClass, shapeId));
}

}  // namespace

int TruncateCoordinate(double value)
{
    // Converting a float beyond the integer range is undefined; such a position (an actor
    // that fell for days, or a velocity that overflowed) is held at the edge of the range.
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483648.0) {
        return std::numeric_limits<int>::max();
    }
    if (value < -2147483648.0) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

TToyActor::TToyActor(TToyBox* box, std::string className, std::string name,
                     std::string_view shapeClass, std::string_view shapeId, float x, float y,
                     float z)
    : TToyShape(box, std::move(className), std::move(name), std::string(toynames::kCategoryActor),
                0, 0),
      shape(FindShape(box, shapeClass, shapeId)),
      position(x, y, z, 1.0f)
{
    StartMoving();
}

TToyActor::TToyActor(TToyBox* box, TTexDb& db)
    : TToyShape(box, std::string(toynames::kCategoryActor), db)
{
    std::string shapeClass(db.Get("shapeClass").Text());
    std::string shapeId(db.Get("shapeId").Text());
    shape = FindShape(box, shapeClass, shapeId);
    // A component written without a decimal point was stored as an integer; its bits are
    // read as a float all the same, as the value cannot tell the two apart.
    TexValue value = db.Get("position");
    position.Set(value.Real(0), value.Real(1), value.Real(2), value.Real(3));
    StartMoving();
}

void TToyActor::Draw(int originX, int originY)
{
    if (shape == nullptr) {
        return;
    }
    screenX = AddOrigin(TruncateCoordinate(position.x), originX);
    shape->x = screenX;
    screenY = AddOrigin(TruncateCoordinate(position.y), originY);
    shape->y = screenY;
    // A frame's own Draw is empty: it is drawn through its cells.
    auto* frame = dynamic_cast<TToyFrame*>(shape);
    if (frame != nullptr && shape->IsClass(toynames::kFrame)) {
        frame->DrawCells(0, 0);
    } else {
        shape->Draw(0, 0);
    }
    hitRect = shape->hitRect;
}

void TToyActor::Update(int elapsed)
{
    if (moving) {
        Integrate(static_cast<float>(elapsed));
        Act(elapsed);
    }
    x = TruncateCoordinate(position.x);
    y = TruncateCoordinate(position.y);
    TToyObject::Update(elapsed);
}

void TToyActor::Act(int) {}

void TToyActor::Integrate(float elapsed)
{
    // Each product is formed in double precision and stored as a float.
    double t = elapsed;
    position.x = static_cast<float>(position.x + 0.001 * velocity.x * t);
    position.y = static_cast<float>(position.y + 0.001 * velocity.y * t);
    velocity.x = static_cast<float>(velocity.x + 0.001 * acceleration.x * t);
    velocity.y = static_cast<float>(velocity.y + 0.001 * acceleration.y * t);
}

void TToyActor::OnSpare1() {}

void TToyActor::OnTouched(TToyActor*) {}

void TToyActor::OnSpare2() {}

Vector TToyActor::GetPosition()
{
    return position;
}

Vector TToyActor::GetVelocity()
{
    return velocity;
}

Vector TToyActor::GetAcceleration()
{
    return acceleration;
}

void TToyActor::MoveBy(const Vector& delta)
{
    position += delta;
}

void TToyActor::StartMoving()
{
    moving = true;
}

void TToyActor::StopMoving()
{
    moving = false;
}

bool TToyActor::IsMoving()
{
    return moving;
}

void TToyActor::GetHitRect(TToyRect& rect)
{
    rect = GetWorldRect();
}

bool TToyActor::HitTest(TToyActor& other)
{
    TToyRect rect;
    other.GetHitRect(rect);
    return HitRect(rect);
}

bool TToyActor::QueryHook()
{
    return false;
}

}  // namespace kipkip
