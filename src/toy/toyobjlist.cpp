#include "toy/toyobjlist.h"

#include <algorithm>
#include <utility>

namespace kipkip {

namespace {

bool Matches(const TToyObject& object, std::string_view className, std::string_view name)
{
    return object.className == className && object.name == name;
}

}  // namespace

TToyObjList::~TToyObjList()
{
    Clear();
}

TToyObject* TToyObjList::Find(std::string_view className, std::string_view name,
                              std::string_view) const
{
    for (const auto& object : items) {
        if (Matches(*object, className, name)) {
            return object.get();
        }
    }
    return nullptr;
}

TToyObject* TToyObjList::Get(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return items[index].get();
}

int TToyObjList::Add(std::unique_ptr<TToyObject> object)
{
    items.push_back(std::move(object));
    return Count() - 1;
}

void TToyObjList::Delete(std::string_view className, std::string_view name, std::string_view)
{
    // The words are copied first: they may be the fields of an object that is about to go
    // ("delete everything named like me").
    const std::string wantedClass(className);
    const std::string wantedName(name);
    int index = 0;
    while (index < Count()) {
        if (Matches(*items[index], wantedClass, wantedName)) {
            DeleteAt(index);
        } else {
            ++index;
        }
    }
}

void TToyObjList::DeleteAt(int index)
{
    if (index < 0 || index >= Count()) {
        return;
    }
    // The object leaves the list before it is destroyed, so that whatever its destructor does
    // never sees it half gone.
    if (walk != nullptr) {
        if (index < walk->index) {
            --walk->index;
        } else if (index == walk->index) {
            walk->currentRemoved = true;
        }
    }
    std::unique_ptr<TToyObject> object = std::move(items[index]);
    items.erase(items.begin() + index);
    object.reset();
}

void TToyObjList::Clear()
{
    while (!items.empty()) {
        DeleteAt(0);
    }
}

int TToyObjList::Select(std::vector<TToyObject*>& target, std::string_view className,
                        std::string_view name, std::string_view category) const
{
    target.clear();
    for (const auto& object : items) {
        if (object->className == className && (name.empty() || object->name == name) &&
            (category.empty() || object->category == category)) {
            target.push_back(object.get());
        }
    }
    return static_cast<int>(target.size());
}

void TToyObjList::SaveAll(std::vector<std::string>& lines) const
{
    for (const auto& object : items) {
        object->SaveObject(lines);
    }
}

int TToyObjList::IndexOf(const TToyObject* object) const
{
    auto it = std::find_if(items.begin(), items.end(),
                           [object](const auto& item) { return item.get() == object; });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TToyObjList::MoveForward(const TToyObject* object)
{
    int index = IndexOf(object);
    if (index >= 0 && index < Count() - 1) {
        std::swap(items[index], items[index + 1]);
    }
}

void TToyObjList::MoveBackward(const TToyObject* object)
{
    int index = IndexOf(object);
    if (index > 0) {
        std::swap(items[index], items[index - 1]);
    }
}

void TToyObjList::Move(int fromIndex, int toIndex)
{
    // An index outside the list moves nothing.
    if (fromIndex < 0 || fromIndex >= Count() || toIndex < 0 || toIndex >= Count()) {
        return;
    }
    auto first = items.begin();
    if (fromIndex < toIndex) {
        std::rotate(first + fromIndex, first + fromIndex + 1, first + toIndex + 1);
    } else {
        std::rotate(first + toIndex, first + fromIndex, first + fromIndex + 1);
    }
}

}  // namespace kipkip
