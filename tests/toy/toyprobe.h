// tests/toy/toyprobe.h
// Scene objects for the toy tests that write what happens to them into a shared log: updates,
// draws (with the origin), prepares, kills and their own destruction. A probe can also run an
// action in its update, to change the scene in the middle of the box's pass.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "texdb/texdb.h"
#include "toy/toyobject.h"
#include "toy/toyshape.h"

namespace kipkip::test {

using Log = std::vector<std::string>;

inline TTexDb Scene(std::string_view text)
{
    return TTexDb::FromText("scene", text);
}

class Probe : public TToyObject {
public:
    Probe(TToyBox* box, std::string name, Log* log, std::string layer = {},
          std::string className = "Probe")
        : TToyObject(box, std::move(className), std::move(name), "Test"), log(log)
    {
        this->layer = std::move(layer);
    }
    ~Probe() override { Write("destroy"); }

    void Update(int elapsed) override
    {
        Write("update");
        TToyObject::Update(elapsed);
        if (onUpdate) {
            onUpdate(*this);
        }
    }
    void Draw(int originX, int originY) override
    {
        Write("draw", " " + std::to_string(originX) + "," + std::to_string(originY));
    }
    void Prepare() override { Write("prepare"); }
    void OnKill() override { Write(dead ? "kill (already dead)" : "kill"); }

    std::function<void(Probe&)> onUpdate;

private:
    void Write(const std::string& what, const std::string& detail = {})
    {
        if (log != nullptr) {
            log->push_back(what + " " + name + detail);
        }
    }

    Log* log;
};

// A shape that logs where it was drawn: its own position plus the origin it was given.
class ShapeProbe : public TToyShape {
public:
    ShapeProbe(TToyBox* box, std::string name, Log* log)
        : TToyShape(box, "Probe", std::move(name), 0, 0), log(log)
    {}

    void Draw(int originX, int originY) override
    {
        log->push_back("draw " + name + " at " + std::to_string(x + originX) + "," +
                       std::to_string(y + originY));
    }

private:
    Log* log;
};

}  // namespace kipkip::test
