// toy/toyactor.h
// A scene object that moves by itself: a position, a velocity and an acceleration, advanced by
// one explicit Euler step per update while it is moving, then the behaviour hook Act. It is
// shown by another shape, `shape` (an animator, a frame, any shape), which it places at its
// own position on every draw and whose hit rectangle it then takes as its own. The hero, the
// floors, the enemies and the coins are actors. Vectors are per second; times in milliseconds.
#pragma once

#include <string>
#include <string_view>

#include "toy/toyshape.h"
#include "toy/vector.h"

namespace kipkip {

class TToyActor : public TToyShape {
public:
    // At (x, y, z), still, not visible, on the unnamed layer, moving; `shape` is the box's
    // object of that class word and name, or none.
    TToyActor(TToyBox* box, std::string className, std::string name, std::string_view shapeClass,
              std::string_view shapeId, float x, float y, float z);
    // From an "Actor" block: the shape keys, `shapeClass` and `shapeId`, and `position` as four
    // reals (all 0 when missing).
    TToyActor(TToyBox* box, TTexDb& db);

    // Places `shape` at the position plus the layer origin, draws it, takes its hit rectangle.
    void Draw(int originX, int originY) override;
    // While moving: Integrate, then Act. Then the integer position follows the real one and
    // the clock advances. An actor does not flicker.
    void Update(int elapsed) override;

    virtual void Act(int elapsed);
    // Position first with the old velocity, then velocity; x and y only.
    virtual void Integrate(float elapsed);
    virtual void OnSpare1();
    // Another actor landed on or touched this one.
    virtual void OnTouched(TToyActor* other);
    virtual void OnSpare2();
    virtual Vector GetPosition();
    virtual Vector GetVelocity();
    virtual Vector GetAcceleration();
    virtual void MoveBy(const Vector& delta);
    virtual void StartMoving();
    virtual void StopMoving();
    virtual bool IsMoving();
    virtual void GetHitRect(TToyRect& rect);
    virtual bool HitTest(TToyActor& other);
    virtual bool QueryHook();

    TToyShape* shape = nullptr;  // not owned: its animator or animation file frees it
    int screenX = 0;             // where the last Draw placed `shape`
    int screenY = 0;

protected:
    Vector position;
    Vector velocity{0.0f, 0.0f, 0.0f, 1.0f};
    Vector acceleration{0.0f, 0.0f, 0.0f, 1.0f};
    bool moving = false;
};

// A real coordinate as an integer, truncated toward zero; one beyond the 32-bit range gives
// the nearest 32-bit value and one that is not a number gives 0.
int TruncateCoordinate(double value);

}  // namespace kipkip
