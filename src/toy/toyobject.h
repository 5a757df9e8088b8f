// toy/toyobject.h
// The base of everything that lives in a scene: pictures, numbers, animations and actors, and
// the invisible resources (images, sounds, fonts) alike. It carries the object's identity
// (class word, name, category, layer), its visibility, a millisecond clock, the flicker
// setting that shapes use, and the dead mark. Its virtual operations are what the box drives
// every frame: Update, then Draw for the visible, Prepare after deletions, and the removal
// protocol: Kill marks an object, and the box frees it after its next update.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kipkip {

class TTexDb;
class TToyBox;

// A rectangle whose four edges all belong to it.
struct TToyRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const TToyRect&) const = default;
};

class TToyObject {
public:
    // From values: no layer, invisible, not flickering, clock 0.
    TToyObject(TToyBox* box, std::string className, std::string name, std::string category);
    // From the current block of `db`: `class`, `name`, `layer`, and `show` when it is not 0.
    TToyObject(TToyBox* box, std::string category, TTexDb& db);
    virtual ~TToyObject();
    TToyObject(const TToyObject&) = delete;
    TToyObject& operator=(const TToyObject&) = delete;

    virtual void OnKill();
    // True in the first half of every 2 * period milliseconds of the clock; never for 0.
    virtual bool IsBlinkOn(std::int32_t period);
    // 0, 1, ..., count - 1, one step every `interval` milliseconds of the clock; 0 for 0.
    virtual std::int32_t CycleIndex(std::int32_t interval, std::int32_t count);
    virtual void Draw(int originX, int originY);
    virtual void Update(int elapsed);
    virtual void Prepare();
    virtual void Show();
    virtual void Hide();
    virtual void Kill();
    // Appends the lines of the class's own keys, each "\tkey\t\tvalues".
    virtual void SaveKeys(std::vector<std::string>& lines);
    virtual bool HitPoint(int px, int py);
    virtual bool HitRect(const TToyRect& rect);
    virtual bool InsideRect(const TToyRect& rect);
    virtual bool Rename(std::string newName);
    virtual bool IsDead();

    bool IsClass(std::string_view word) const { return className == word; }
    // Appends the object's block: a blank line, "{", class, name, layer and show when they
    // say something, the class's keys, "}".
    void SaveObject(std::vector<std::string>& lines);

    std::string className;
    std::string name;
    std::string category;
    std::string layer;  // empty: the unnamed layer
    TToyBox* box;       // not owned: the box outlives its objects
    bool visible = false;
    std::int32_t clock = 0;
    bool flickerOn = false;
    std::int32_t flickerPeriod = 0;
    bool dead = false;
};

}  // namespace kipkip
