#include "toy/toyactor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "toy/toybox.h"
#include "toy/toyprobe.h"

namespace kipkip {
namespace {

using test::Log;
using test::Scene;
using test::ShapeProbe;

// An actor whose vectors the test sets, and which counts its Act calls.
class TestActor : public TToyActor {
public:
    TestActor(TToyBox* box, float x, float y) : TToyActor(box, "Test", "t", "", "", x, y, 0.0f) {}

    void Act(int) override { ++acts; }
    void SetMotion(const Vector& v, const Vector& a)
    {
        velocity = v;
        acceleration = a;
    }

    int acts = 0;
};

TEST(ToyActorMotion, IntegratesPositionWithTheOldVelocityThenVelocity)
{
    TestActor actor(nullptr, 100.0f, 50.0f);
    actor.SetMotion({100.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 800.0f, 0.0f, 1.0f});
    actor.Update(20);
    EXPECT_EQ(actor.GetPosition(), (Vector{102.0f, 50.0f, 0.0f, 1.0f}));
    EXPECT_EQ(actor.GetVelocity(), (Vector{100.0f, 16.0f, 0.0f, 1.0f}));
    actor.Update(20);
    EXPECT_FLOAT_EQ(actor.GetPosition().x, 104.0f);
    EXPECT_FLOAT_EQ(actor.GetPosition().y, 50.32f);
    EXPECT_EQ(actor.GetVelocity(), (Vector{100.0f, 32.0f, 0.0f, 1.0f}));
    EXPECT_EQ(actor.x, 104);
    EXPECT_EQ(actor.y, 50);
    EXPECT_EQ(actor.acts, 2);
    EXPECT_EQ(actor.clock, 40);
}

TEST(ToyActorMotion, AStoppedActorKeepsItsPlaceAndDoesNotActButItsClockRuns)
{
    TestActor actor(nullptr, 10.0f, 20.0f);
    actor.SetMotion({100.0f, 100.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_TRUE(actor.IsMoving());
    actor.StopMoving();
    actor.Update(20);
    EXPECT_EQ(actor.GetPosition(), (Vector{10.0f, 20.0f, 0.0f, 1.0f}));
    EXPECT_EQ(actor.acts, 0);
    EXPECT_EQ(actor.clock, 20);
    EXPECT_EQ(actor.x, 10);
    actor.StartMoving();
    actor.Update(20);
    EXPECT_EQ(actor.GetPosition().x, 12.0f);
    EXPECT_EQ(actor.acts, 1);
}

TEST(ToyActorMotion, AnActorDoesNotFlicker)
{
    TestActor actor(nullptr, 0.0f, 0.0f);
    actor.SetFlicker(true, 10);
    actor.Show();
    for (int i = 0; i < 5; ++i) {
        actor.Update(10);
        EXPECT_TRUE(actor.visible) << i;
    }
}

TEST(ToyActorMotion, CoordinatesAreTruncatedTowardZero)
{
    struct Case {
        float value;
        int truncated;
    };
    const Case cases[] = {
        {-0.5f, 0},
        {-1.5f, -1},
        {2.9f, 2},
        {1e20f, std::numeric_limits<int>::max()},
        {-1e20f, std::numeric_limits<int>::min()},
        {-2147483648.0f, std::numeric_limits<int>::min()},
        {std::nanf(""), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TruncateCoordinate(c.value), c.truncated) << c.value;
        TestActor actor(nullptr, c.value, c.value);
        actor.StopMoving();
        actor.Update(0);
        EXPECT_EQ(actor.x, c.truncated) << c.value;
        EXPECT_EQ(actor.y, c.truncated) << c.value;
    }
}

TEST(ToyActorMotion, MoveByAddsXYAndZButNotW)
{
    TestActor actor(nullptr, 1.0f, 2.0f);
    actor.MoveBy({3.0f, 4.0f, 5.0f, 9.0f});
    EXPECT_EQ(actor.GetPosition(), (Vector{4.0f, 6.0f, 5.0f, 1.0f}));
    Vector v(1.0f, 1.0f, 1.0f, 7.0f);
    v.Set(2.0f, 3.0f, 4.0f, 5.0f);
    (v += Vector(1.0f, 1.0f, 1.0f, 1.0f)) += Vector(1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(v, (Vector{4.0f, 4.0f, 5.0f, 5.0f}));
}

// A box with the unnamed layer at (0, -480) and one shape for actors to be shown by.
struct ActorDrawFixture : testing::Test {
    Log log;
    TToyBox box{nullptr, nullptr, ""};
    ShapeProbe* shape = nullptr;

    ActorDrawFixture()
    {
        box.AddLayer("", true, 0, -480);
        auto owned = std::make_unique<ShapeProbe>(&box, "look", &log);
        shape = owned.get();
        shape->SetHitRect({-8, -4, 8, 4});
        box.AddObject(std::move(owned));
    }
    TToyActor& AddActor(std::string_view shapeId, float x, float y)
    {
        auto actor = std::make_unique<TToyActor>(&box, "Test", "a", "Probe", shapeId, x, y, 0.0f);
        TToyActor& added = *actor;
        added.Show();
        box.AddObject(std::move(actor));
        return added;
    }
};

TEST_F(ActorDrawFixture, PlacesItsShapeAtThePositionPlusTheLayerOriginAndTakesItsHitRect)
{
    TToyActor& actor = AddActor("look", 160.0f, 500.0f);
    ASSERT_EQ(actor.shape, shape);
    box.Draw();
    EXPECT_EQ(log, (Log{"draw look at 160,20"}));
    EXPECT_EQ(actor.screenX, 160);
    EXPECT_EQ(actor.screenY, 20);
    EXPECT_EQ(actor.hitRect, (TToyRect{-8, -4, 8, 4}));
    actor.Update(0);
    TToyRect world;
    actor.GetHitRect(world);
    EXPECT_EQ(world, (TToyRect{152, 496, 168, 504}));
}

TEST_F(ActorDrawFixture, WithoutAShapeAnActorDrawsNothingAndKeepsItsHitRect)
{
    TToyActor& actor = AddActor("nobody", 160.0f, 500.0f);
    EXPECT_EQ(actor.shape, nullptr);
    actor.SetHitRect({1, 2, 3, 4});
    box.Draw();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(actor.hitRect, (TToyRect{1, 2, 3, 4}));
    EXPECT_EQ(actor.screenX, 0);
}

TEST_F(ActorDrawFixture, HitTestComparesTheWorldRectanglesOfWhatWasDrawn)
{
    TToyActor& a = AddActor("look", 100.0f, 100.0f);
    TToyActor& b = AddActor("look", 116.0f, 108.0f);
    box.Update(0);
    box.Draw();
    EXPECT_TRUE(a.HitTest(b));
    EXPECT_TRUE(b.HitTest(a));
    b.MoveBy({1.0f, 0.0f, 0.0f, 0.0f});
    box.Update(0);
    EXPECT_FALSE(a.HitTest(b));
    EXPECT_TRUE(b.HitPoint(117, 104));
}

TEST(ToyActorBlocks, AnActorBlockFindsItsShapeAndReadsItsPosition)
{
    TToyBox box(nullptr, nullptr, "");
    auto owned = std::make_unique<ShapeProbe>(&box, "look", nullptr);
    TToyShape* shape = owned.get();
    box.AddObject(std::move(owned));
    TTexDb db = Scene(
        "{\nclass Actor\nname walker\nshow 1\nshapeClass Probe\nshapeId look\n"
        "position 1.5,-2.5,3.0,0.5\n}\n"
        "{\nclass Actor\nname still\n}\n");
    box.LoadBlocks(db);
    ASSERT_EQ(box.objects.Count(), 3);
    auto* walker = dynamic_cast<TToyActor*>(box.FindObject("Actor", "walker"));
    auto* still = dynamic_cast<TToyActor*>(box.FindObject("Actor", "still"));
    ASSERT_NE(walker, nullptr);
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(walker->shape, shape);
    EXPECT_EQ(walker->GetPosition(), (Vector{1.5f, -2.5f, 3.0f, 0.5f}));
    EXPECT_EQ(walker->GetVelocity(), (Vector{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(walker->category, "Actor");
    EXPECT_TRUE(walker->visible);
    EXPECT_TRUE(walker->IsMoving());
    EXPECT_EQ(still->shape, nullptr);
    EXPECT_EQ(still->GetPosition(), (Vector{0.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(still->visible);
}

}  // namespace
}  // namespace kipkip
