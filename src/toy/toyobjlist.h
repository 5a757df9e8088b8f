// toy/toyobjlist.h
// The ordered, owning list of scene objects inside a box (or an animation file). Its order is
// the drawing order: later objects are drawn on top. Lookups compare class word and name byte
// for byte and give the first match; a lookup that finds nothing gives nullptr.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toy/toyobject.h"

namespace kipkip {

class TToyObjList {
public:
    TToyObjList() = default;
    // Destroys every object, from the front.
    ~TToyObjList();
    TToyObjList(const TToyObjList&) = delete;
    TToyObjList& operator=(const TToyObjList&) = delete;

    // The first object whose class word and name both equal the arguments. The third
    // argument is accepted and ignored, as by every lookup of the scene.
    TToyObject* Find(std::string_view className, std::string_view name,
                     std::string_view ignored = {}) const;
    // nullptr outside 0 .. Count() - 1.
    TToyObject* Get(int index) const;
    // Appends the object and returns its index; the list owns it from now on.
    int Add(std::unique_ptr<TToyObject> object);
    // Destroys every object that Find would match.
    void Delete(std::string_view className, std::string_view name, std::string_view ignored = {});
    void DeleteAt(int index);
    void Clear();
    // Fills `target` (emptied first; it owns nothing) with the objects of that class word whose
    // name and category equal the given ones, an empty name or category matching any; returns
    // how many.
    int Select(std::vector<TToyObject*>& target, std::string_view className, std::string_view name,
               std::string_view category) const;
    void SaveAll(std::vector<std::string>& lines) const;
    // Swaps the object with the one after it (drawn later, so in front); the last one and an
    // object that is not in the list stay where they are.
    void MoveForward(const TToyObject* object);
    void MoveBackward(const TToyObject* object);
    // The entry at fromIndex goes to toIndex and those between shift over.
    void Move(int fromIndex, int toIndex);

    int Count() const { return static_cast<int>(items.size()); }
    // The index of the object, or -1.
    int IndexOf(const TToyObject* object) const;

    // A walk over the list that removals keep in step: removing an entry before `index` moves
    // it back by one, and removing the entry at `index` marks it removed (the next one has
    // taken its place). The box's update pass is such a walk.
    struct Walk {
        int index = 0;
        bool currentRemoved = false;
    };
    // The walk in progress, or nullptr; not owned.
    Walk* walk = nullptr;
    std::vector<std::unique_ptr<TToyObject>> items;  // owned, in drawing order
};

}  // namespace kipkip
