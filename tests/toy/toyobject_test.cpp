#include "toy/toyobject.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toy/toyobjlist.h"
#include "toy/toyprobe.h"

namespace kipkip {
namespace {

using test::Log;
using test::Probe;
using test::Scene;

TEST(ToyObjectClock, BlinksInTheFirstHalfOfEachDoubledPeriod)
{
    struct Case {
        std::int32_t clock;
        std::int32_t period;
        bool on;
    };
    const Case cases[] = {
        {0, 200, true}, {199, 200, true}, {200, 200, false}, {399, 200, false}, {400, 200, true},
        {0, 0, false},  {150, 0, false},  {5, 1, false},     {4, 1, true},
    };
    Probe object(nullptr, "o", nullptr);
    for (const Case& c : cases) {
        object.clock = c.clock;
        EXPECT_EQ(object.IsBlinkOn(c.period), c.on)
            << "clock " << c.clock << " period " << c.period;
    }
}

TEST(ToyObjectClock, CyclesOnceEveryIntervalAndWraps)
{
    struct Case {
        std::int32_t clock;
        std::int32_t interval;
        std::int32_t count;
        std::int32_t index;
    };
    const Case cases[] = {
        {250, 0, 4, 0},  {250, 100, 4, 2}, {450, 100, 4, 0},
        {99, 100, 4, 0}, {399, 100, 4, 3}, {700, 100, 1, 0},
    };
    Probe object(nullptr, "o", nullptr);
    for (const Case& c : cases) {
        object.clock = c.clock;
        EXPECT_EQ(object.CycleIndex(c.interval, c.count), c.index)
            << "clock " << c.clock << " interval " << c.interval << " count " << c.count;
    }
}

TEST(ToyObjectClock, UpdateAdvancesTheClockByTheElapsedTime)
{
    TToyObject object(nullptr, "Thing", "t", "");
    object.Update(20);
    object.Update(15);
    EXPECT_EQ(object.clock, 35);
}

TEST(ToyObjectLife, KillCallsOnKillBeforeMarkingTheObjectDead)
{
    Log log;
    Probe object(nullptr, "o", &log);
    EXPECT_FALSE(object.IsDead());
    object.Kill();
    EXPECT_TRUE(object.IsDead());
    EXPECT_EQ(log, (Log{"kill o"}));
}

TEST(ToyObjectLife, ShowHideAndRenameChangeWhatTheySay)
{
    TToyObject object(nullptr, "Thing", "old", "");
    object.Show();
    EXPECT_TRUE(object.visible);
    object.Hide();
    EXPECT_FALSE(object.visible);
    EXPECT_TRUE(object.Rename("new"));
    EXPECT_EQ(object.name, "new");
    EXPECT_TRUE(object.IsClass("Thing"));
    EXPECT_FALSE(object.IsClass("thing"));
}

TEST(ToyObjectBlocks, ReadClassNameLayerAndShowFromTheBlock)
{
    struct Case {
        const char* text;
        const char* className;
        const char* name;
        const char* layer;
        bool visible;
    };
    const Case cases[] = {
        {"{\nclass Picture\nname title\nlayer top\nshow 1\n}\n", "Picture", "title", "top", true},
        {"{\nclass Picture\nname title\n}\n", "Picture", "title", "", false},
        {"{\nclass Number\nshow 0\n}\n", "Number", "", "", false},
    };
    for (const Case& c : cases) {
        TTexDb db = Scene(c.text);
        TToyObject object(nullptr, "Shape", db);
        EXPECT_EQ(object.className, c.className) << c.text;
        EXPECT_EQ(object.name, c.name) << c.text;
        EXPECT_EQ(object.layer, c.layer) << c.text;
        EXPECT_EQ(object.visible, c.visible) << c.text;
        EXPECT_EQ(object.category, "Shape") << c.text;
        EXPECT_EQ(object.clock, 0) << c.text;
        EXPECT_FALSE(object.flickerOn) << c.text;
    }
}

TEST(ToyObjectBlocks, SaveObjectWritesOnlyTheLinesThatSaySomething)
{
    TToyObject plain(nullptr, "Picture", "", "");
    TToyObject full(nullptr, "Picture", "title", "");
    full.layer = "top";
    full.Show();
    std::vector<std::string> lines;
    plain.SaveObject(lines);
    full.SaveObject(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"", "{", "\tclass\t\tPicture", "\tname\t\t", "}", "",
                                               "{", "\tclass\t\tPicture", "\tname\t\ttitle",
                                               "\tlayer\t\ttop", "\tshow\t\t1", "}"}));
}

TEST(ToyObjectBlocks, ASavedBlockReadsBackAsTheSameObject)
{
    for (bool visible : {false, true}) {
        for (std::string layer : {"", "top"}) {
            TToyObject original(nullptr, "Picture", layer.empty() ? "" : "named", "");
            original.layer = layer;
            original.visible = visible;
            std::vector<std::string> lines;
            original.SaveObject(lines);
            std::string text;
            for (const std::string& line : lines) {
                text += line + "\r\n";
            }
            TTexDb db = Scene(text);
            TToyObject copy(nullptr, "Shape", db);
            EXPECT_EQ(copy.className, original.className) << text;
            EXPECT_EQ(copy.name, original.name) << text;
            EXPECT_EQ(copy.layer, original.layer) << text;
            EXPECT_EQ(copy.visible, original.visible) << text;
        }
    }
}

// A list of probes named by the letters of `names`, all of class "Probe".
struct ObjListFixture : testing::Test {
    Log log;
    TToyObjList list;

    void Fill(std::string_view names)
    {
        for (char c : names) {
            list.Add(std::make_unique<Probe>(nullptr, std::string(1, c), &log));
        }
    }
    std::string Order() const
    {
        std::string order;
        for (const auto& item : list.items) {
            order += item->name;
        }
        return order;
    }
};

TEST_F(ObjListFixture, FindGivesTheFirstMatchOfClassAndName)
{
    Fill("abc");
    list.items[2]->name = "a";
    EXPECT_EQ(list.Find("Probe", "a"), list.items[0].get());
    EXPECT_EQ(list.Find("Probe", "c"), nullptr);
    EXPECT_EQ(list.Find("Other", "a"), nullptr);
    EXPECT_EQ(list.Find("Probe", ""), nullptr);
}

TEST_F(ObjListFixture, GetGivesNothingOutsideTheList)
{
    Fill("ab");
    EXPECT_EQ(list.Get(1), list.items[1].get());
    EXPECT_EQ(list.Get(2), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Add(std::make_unique<Probe>(nullptr, "c", &log)), 2);
}

TEST_F(ObjListFixture, DeleteDestroysEveryMatchIncludingNeighbours)
{
    Fill("aabaa");
    list.Delete("Probe", "a");
    EXPECT_EQ(Order(), "b");
    EXPECT_EQ(log, (Log{"destroy a", "destroy a", "destroy a", "destroy a"}));
}

TEST_F(ObjListFixture, DeleteAtOutsideTheListDestroysNothing)
{
    Fill("ab");
    list.DeleteAt(2);
    list.DeleteAt(-1);
    EXPECT_EQ(Order(), "ab");
    list.DeleteAt(0);
    EXPECT_EQ(Order(), "b");
    EXPECT_EQ(log, (Log{"destroy a"}));
}

TEST_F(ObjListFixture, ClearAndDestructionDestroyFromTheFront)
{
    {
        TToyObjList other;
        other.Add(std::make_unique<Probe>(nullptr, "x", &log));
        other.Add(std::make_unique<Probe>(nullptr, "y", &log));
    }
    Fill("ab");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(log, (Log{"destroy x", "destroy y", "destroy a", "destroy b"}));
}

TEST_F(ObjListFixture, SelectTreatsAnEmptyNameOrCategoryAsAny)
{
    Fill("abac");
    list.items[3]->category = "Other";
    list.Add(std::make_unique<Probe>(nullptr, "a", &log, "", "Stranger"));
    struct Case {
        const char* name;
        const char* category;
        std::string expected;
    };
    const Case cases[] = {
        {"", "", "abac"}, {"a", "", "aa"}, {"", "Other", "c"}, {"b", "Test", "b"}, {"z", "", ""},
    };
    std::vector<TToyObject*> target{list.items[0].get()};
    for (const Case& c : cases) {
        int count = list.Select(target, "Probe", c.name, c.category);
        std::string names;
        for (TToyObject* object : target) {
            names += object->name;
        }
        EXPECT_EQ(names, c.expected) << c.name << "/" << c.category;
        EXPECT_EQ(count, static_cast<int>(c.expected.size()));
    }
}

TEST_F(ObjListFixture, MovingForwardAndBackwardStopsAtTheEnds)
{
    Probe stranger(nullptr, "z", nullptr);
    struct Case {
        int index;  // -1: an object that is not in the list
        bool forward;
        const char* expected;
    };
    const Case cases[] = {
        {1, true, "acbd"},  {3, true, "abcd"},  {-1, true, "abcd"},
        {2, false, "acbd"}, {0, false, "abcd"}, {-1, false, "abcd"},
    };
    for (const Case& c : cases) {
        list.Clear();
        Fill("abcd");
        const TToyObject* object = c.index < 0 ? &stranger : list.items[c.index].get();
        if (c.forward) {
            list.MoveForward(object);
        } else {
            list.MoveBackward(object);
        }
        EXPECT_EQ(Order(), c.expected) << c.index << (c.forward ? " forward" : " backward");
    }
}

TEST_F(ObjListFixture, MoveShiftsTheEntriesBetween)
{
    struct Case {
        int from;
        int to;
        const char* expected;
    };
    const Case cases[] = {
        {0, 3, "bcda"}, {3, 0, "dabc"}, {1, 2, "acbd"},
        {2, 2, "abcd"}, {4, 0, "abcd"}, {0, -1, "abcd"},
    };
    for (const Case& c : cases) {
        list.Clear();
        Fill("abcd");
        list.Move(c.from, c.to);
        EXPECT_EQ(Order(), c.expected) << c.from << " to " << c.to;
    }
}

TEST_F(ObjListFixture, SaveAllWritesEveryObjectInListOrder)
{
    Fill("ba");
    std::vector<std::string> lines;
    list.SaveAll(lines);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[3], "\tname\t\tb");
    EXPECT_EQ(lines[8], "\tname\t\ta");
}

}  // namespace
}  // namespace kipkip
