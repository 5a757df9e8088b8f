#include "toy/toyshape.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toy/toybox.h"
#include "toy/toyimage.h"
#include "toy/toyprobe.h"
#include "toy/toyscene.h"

namespace kipkip {
namespace {

using test::Log;
using test::Probe;
using test::Scene;

TEST(ToyShapeHits, AZeroRectangleHoldsExactlyThePosition)
{
    TToyShape shape(nullptr, "Shape", "s", 10, 20);
    struct Case {
        int x;
        int y;
        bool hit;
    };
    const Case cases[] = {
        {10, 20, true}, {11, 20, false}, {9, 20, false}, {10, 21, false}, {10, 19, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(shape.HitPoint(c.x, c.y), c.hit) << c.x << "," << c.y;
    }
}

TEST(ToyShapeHits, PointsOnTheEdgesOfTheWorldRectangleHit)
{
    TToyShape shape(nullptr, "Shape", "s", 100, 50);
    shape.SetHitRect({-16, -8, 16, 8});
    EXPECT_EQ(shape.GetWorldRect(), (TToyRect{84, 42, 116, 58}));
    EXPECT_TRUE(shape.HitPoint(84, 42));
    EXPECT_TRUE(shape.HitPoint(116, 58));
    EXPECT_FALSE(shape.HitPoint(117, 50));
    EXPECT_FALSE(shape.HitPoint(100, 41));
}

TEST(ToyShapeHits, RectanglesThatTouchOverlap)
{
    struct Case {
        TToyRect other;
        bool hit;
    };
    // The shape's world rectangle is (0, 0, 10, 10).
    const Case cases[] = {
        {{10, 10, 20, 20}, true},  {{11, 0, 20, 10}, false},   {{0, 11, 10, 20}, false},
        {{-10, -10, 0, 0}, true},  {{-10, -10, -1, 5}, false}, {{-10, -10, 5, -1}, false},
        {{2, 2, 3, 3}, true},      {{-5, -5, 15, 15}, true},   {{5, -20, 6, -11}, false},
        {{-20, 5, -11, 6}, false},
    };
    TToyShape shape(nullptr, "Shape", "s", 0, 0);
    shape.SetHitRect({0, 0, 10, 10});
    for (const Case& c : cases) {
        const TToyRect& r = c.other;
        EXPECT_EQ(shape.HitRect(r), c.hit)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(ToyShapeHits, InsideRectNeedsBothCornersInside)
{
    TToyShape shape(nullptr, "Shape", "s", 5, 5);
    shape.SetHitRect({-5, -5, 5, 5});
    EXPECT_TRUE(shape.InsideRect({0, 0, 10, 10}));
    EXPECT_TRUE(shape.InsideRect({-1, -1, 11, 11}));
    EXPECT_FALSE(shape.InsideRect({1, 0, 10, 10}));
    EXPECT_FALSE(shape.InsideRect({0, 0, 10, 9}));
}

TEST(ToyShapeHits, HitShapeTestsTheOtherShapesWorldRectangle)
{
    TToyShape a(nullptr, "Shape", "a", 0, 0);
    TToyShape b(nullptr, "Shape", "b", 20, 0);
    a.SetHitRect({0, 0, 10, 10});
    b.SetHitRect({-10, 0, 0, 10});
    EXPECT_TRUE(a.HitShape(b));
    b.SetPos(21, 0);
    EXPECT_FALSE(a.HitShape(b));
}

TEST(ToyShapeHits, ExtendHitRectCoversBothRectangles)
{
    TToyShape shape(nullptr, "Shape", "s", 0, 0);
    shape.ExtendHitRect({-16, -16, 16, 16});
    EXPECT_EQ(shape.hitRect, (TToyRect{-16, -16, 16, 16}));
    shape.ExtendHitRect({-4, -20, 30, 0});
    EXPECT_EQ(shape.hitRect, (TToyRect{-16, -20, 30, 16}));
}

TEST(ToyShapeFlicker, ShownForOneHalfPeriodAndHiddenForTheNext)
{
    TTexDb db = Scene("{\nclass Picture\nname prompt\nshow 1\npos 3,182\nfricker 200\n}\n");
    TToyShape shape(nullptr, db);
    ASSERT_TRUE(shape.flickerOn);
    for (int start = 0; start < 800; start += 10) {
        shape.Update(10);
        EXPECT_EQ(shape.visible, start % 400 < 200) << "update starting at " << start;
    }
}

TEST(ToyShapeFlicker, ShowAndHideLastUntilTheNextUpdateAndStoppingKeepsTheLastState)
{
    TToyShape shape(nullptr, "Shape", "s", 0, 0);
    shape.SetFlicker(true, 100);
    shape.Update(20);  // clock 0: shown
    shape.Hide();
    EXPECT_FALSE(shape.visible);
    shape.Update(100);  // clock 20: shown again
    EXPECT_TRUE(shape.visible);
    shape.Update(20);  // clock 120: hidden
    EXPECT_FALSE(shape.visible);
    shape.SetFlicker(false, 100);
    shape.Update(60);  // clock 140 would be hidden, 200 shown; no flicker decides now
    shape.Update(20);
    EXPECT_FALSE(shape.visible);
}

TEST(ToyShapeBlocks, ReadPositionAndFlickerWithTheirDefaults)
{
    struct Case {
        const char* text;
        int x;
        int y;
        bool flickerOn;
        int period;
    };
    const Case cases[] = {
        {"{\nclass Picture\npos 3,182\nfricker 250\n}\n", 3, 182, true, 250},
        {"{\nclass Picture\npos 0,-720\nfricker 0\n}\n", 0, -720, false, 200},
        {"{\nclass Picture\n}\n", 0, 0, false, 200},
    };
    for (const Case& c : cases) {
        TTexDb db = Scene(c.text);
        TToyShape shape(nullptr, db);
        EXPECT_EQ(shape.x, c.x) << c.text;
        EXPECT_EQ(shape.y, c.y) << c.text;
        EXPECT_EQ(shape.flickerOn, c.flickerOn) << c.text;
        EXPECT_EQ(shape.flickerPeriod, c.period) << c.text;
        EXPECT_EQ(shape.category, "Shape") << c.text;
        EXPECT_EQ(shape.hitRect, TToyRect{}) << c.text;
    }
}

TEST(ToyShapeBlocks, SaveKeysWritesPositionAndFlickerOnlyWhenTheySaySomething)
{
    struct Case {
        const char* text;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {"{\nclass Picture\npos 3,182\nfricker 200\n}\n", {"\tpos\t\t\t3,182", "\tfricker\t200"}},
        {"{\nclass Picture\npos 0,-720\n}\n", {"\tpos\t\t\t0,-720"}},
        {"{\nclass Picture\nfricker 0\n}\n", {}},
    };
    for (const Case& c : cases) {
        TTexDb db = Scene(c.text);
        TToyShape shape(nullptr, db);
        std::vector<std::string> lines;
        shape.SaveKeys(lines);
        EXPECT_EQ(lines, c.keys) << c.text;
    }
}

// A box with a drawing device and an image "digits" of a test bitmap.
struct ToyShapeImages : test::SceneFixture {
    TToyImage* digits = nullptr;

    ToyShapeImages()
    {
        dir.Write("digits.bmp", "2 1  1 2");
        auto image = std::make_unique<TToyImage>(&box, "digits", "digits", 1, 1);
        digits = image.get();
        box.AddObject(std::move(image));
    }
};

TEST_F(ToyShapeImages, SetImageKeepsThePreviousImageWhenTheNameIsUnknown)
{
    auto shape = std::make_unique<TToyShape>(&box, "Shape", "s", 0, 0);
    TToyShape& s = *shape;
    box.AddObject(std::move(shape));

    EXPECT_TRUE(s.SetImage("digits", 0));
    EXPECT_EQ(s.GetImage(), digits);
    EXPECT_FALSE(s.SetImage("missing", 0));
    EXPECT_EQ(s.GetImage(), digits);
    EXPECT_EQ(s.imageName, "missing");
    s.Prepare();
    EXPECT_EQ(s.GetImage(), nullptr);
}

TEST_F(ToyShapeImages, DeletingAnImageThroughTheBoxDropsEveryReferenceToIt)
{
    box.AddObject(std::make_unique<Probe>(&box, "digits", nullptr, "", "Picture"));
    auto shape = std::make_unique<TToyShape>(&box, "Shape", "s", 0, 0);
    TToyShape& s = *shape;
    box.AddObject(std::move(shape));
    ASSERT_TRUE(s.SetImage("digits", 0));
    box.DeleteObjects("Image", "digits");
    EXPECT_EQ(s.GetImage(), nullptr);
    EXPECT_EQ(s.imageName, "digits");
}

TEST_F(ToyShapeImages, OnlyAnImageIsTakenAsAnImage)
{
    box.AddObject(std::make_unique<Probe>(&box, "fake", nullptr, "", "Image"));
    TToyShape s(&box, "Shape", "s", 0, 0);
    EXPECT_FALSE(s.SetImage("fake", 0));
    EXPECT_EQ(s.GetImage(), nullptr);
}

}  // namespace
}  // namespace kipkip
