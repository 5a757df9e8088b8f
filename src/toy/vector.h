// toy/vector.h
// Four 32-bit floats: an actor's position (pixels, y downwards), velocity (pixels per second)
// or acceleration (pixels per second per second). `w` is carried along and takes part in no
// arithmetic.
#pragma once

namespace kipkip {

struct Vector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    Vector() = default;
    Vector(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    void Set(float x, float y, float z, float w)
    {
        this->x = x;
        this->y = y;
        this->z = z;
        this->w = w;
    }

    // Adds x, y and z; `w` stays as it is.
    Vector& operator+=(const Vector& other)
    {
        x += other.x;
        y += other.y;
        z += other.z;
        return *this;
    }

    bool operator==(const Vector&) const = default;
};

}  // namespace kipkip
