#include "toy/toybox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "device/kivdraw.h"
#include "game/gamenames.h"
#include "kernel/kernel.h"
#include "platform/fatalcapture.h"
#include "support/fakedrawing.h"
#include "support/tempdir.h"
#include "toy/toyactor.h"
#include "toy/toyprobe.h"

namespace kipkip {
namespace {

using test::Log;
using test::Probe;
using test::Scene;

// A box without devices, holding probes named by single letters.
struct BoxFixture : testing::Test {
    Log log;
    TToyBox box{nullptr, nullptr, ""};

    Probe& Add(std::string name, std::string layer = {})
    {
        auto probe = std::make_unique<Probe>(&box, std::move(name), &log, std::move(layer));
        Probe& added = *probe;
        box.AddObject(std::move(probe));
        return added;
    }
    std::string Order() const
    {
        std::string order;
        for (const auto& item : box.objects.items) {
            order += item->name + " ";
        }
        return order;
    }
};

TEST_F(BoxFixture, AKilledObjectIsUpdatedOnceMoreThenGoneBeforeTheNextIsUpdated)
{
    Add("a");
    Add("b").Kill();
    Add("c");
    log.clear();
    box.Update(20);
    EXPECT_EQ(log, (Log{"update a", "update b", "destroy b", "update c"}));
    EXPECT_EQ(Order(), "a c ");
}

TEST_F(BoxFixture, AnObjectThatKillsItselfInItsUpdateIsGoneBeforeItsNeighbourIsUpdated)
{
    Add("a").onUpdate = [](Probe& self) { self.Kill(); };
    Add("b");
    log.clear();
    box.Update(20);
    EXPECT_EQ(log, (Log{"update a", "kill a", "destroy a", "update b"}));
    EXPECT_EQ(Order(), "b ");
}

TEST_F(BoxFixture, AnObjectAddedDuringThePassIsUpdatedInThatPass)
{
    Add("a").onUpdate = [this](Probe& self) {
        if (self.clock == 20) {
            Add("new");
        }
    };
    Add("b");
    log.clear();
    box.Update(20);
    EXPECT_EQ(log, (Log{"update a", "update b", "update new"}));
}

TEST_F(BoxFixture, DeletingObjectsDuringThePassNeitherSkipsNorRepeatsTheOthers)
{
    struct Case {
        const char* deleter;  // the probe whose update deletes
        const char* victim;
        Log expected;
    };
    const Case cases[] = {
        // An earlier object: the pass goes on after the deleter, which moved down.
        {"b", "a", {"update a", "update b", "destroy a", "prepare b", "prepare c", "update c"}},
        // The deleter itself: the pass goes on with the object that took its place.
        {"b", "b", {"update a", "update b", "destroy b", "prepare a", "prepare c", "update c"}},
        // A later object: it is not updated.
        {"a", "b", {"update a", "destroy b", "prepare a", "prepare c", "update c"}},
    };
    for (const Case& c : cases) {
        box.objects.Clear();
        Add("a");
        Add("b");
        Add("c");
        // The victim's name is a literal: the deleter may be gone when the call returns.
        const char* victim = c.victim;
        static_cast<Probe*>(box.FindObject("Probe", c.deleter))->onUpdate = [this, victim](Probe&) {
            box.DeleteObjects("Probe", victim);
        };
        log.clear();
        box.Update(20);
        EXPECT_EQ(log, c.expected) << c.deleter << " deletes " << c.victim;
    }
}

TEST_F(BoxFixture, DrawsTheVisibleObjectsOfShownLayersAtTheLayersOrigin)
{
    box.AddLayer("front", true, 5, 6);
    box.AddLayer("hidden", false, 0, 0);
    box.AddLayer("front", true, 90, 90);  // a second record of a name is never used
    Add("a", "front").Show();
    Add("b", "front");
    Probe& c = Add("c", "hidden");
    c.Show();
    Add("d", "nowhere").Show();
    Add("e", "front").Show();
    log.clear();
    box.Draw();
    EXPECT_EQ(log, (Log{"draw a 5,6", "draw e 5,6"}));
    EXPECT_TRUE(c.visible);
    box.ShowLayer("hidden");
    box.HideLayer("front");
    log.clear();
    box.Draw();
    EXPECT_EQ(log, (Log{"draw c 0,0"}));
}

TEST_F(BoxFixture, SortByLayersPutsTheFirstLayerInFrontAndKeepsEachGroupsOrder)
{
    box.AddLayer("A", true, 0, 0);
    box.AddLayer("B", true, 0, 0);
    Add("b1", "B");
    Add("a1", "A");
    Add("x", "X");
    Add("b2", "B");
    Add("a2", "A");
    box.SortByLayers();
    EXPECT_EQ(Order(), "x b1 b2 a1 a2 ");
}

TEST_F(BoxFixture, DeleteObjectsDestroysExactMatchesThenPreparesTheRest)
{
    Add("plat");
    Add("plat2");
    Add("plat");
    Add("");
    log.clear();
    box.DeleteObjects("Probe", "plat");
    EXPECT_EQ(log, (Log{"destroy plat", "destroy plat", "prepare plat2", "prepare "}));
    EXPECT_EQ(Order(), "plat2  ");
}

TEST_F(BoxFixture, AnObjectCanDeleteEverythingNamedLikeItself)
{
    Add("twin");
    Probe& first = Add("twin");
    Add("other");
    first.onUpdate = [this](Probe& self) { box.DeleteObjects(self.className, self.name); };
    log.clear();
    box.Update(20);
    EXPECT_EQ(log, (Log{"update twin", "update twin", "destroy twin", "destroy twin",
                        "prepare other", "update other"}));
    EXPECT_EQ(Order(), "other ");
}

TEST_F(BoxFixture, ShowAndHideFindByExactClassAndName)
{
    Probe& named = Add("title");
    Probe& unnamed = Add("");
    EXPECT_EQ(box.ShowObject("Probe", "title"), &named);
    EXPECT_TRUE(named.visible);
    EXPECT_EQ(box.ShowObject("Probe", ""), &unnamed);
    EXPECT_TRUE(unnamed.visible);
    EXPECT_EQ(box.HideObject("Probe", "title"), &named);
    EXPECT_FALSE(named.visible);
    EXPECT_EQ(box.ShowObject("Picture", "title"), nullptr);
    EXPECT_EQ(box.HideObject("Probe", "Title"), nullptr);
    EXPECT_FALSE(named.visible);
}

TEST_F(BoxFixture, SelectObjectsGathersEveryObjectOfAClassInDrawingOrder)
{
    Add("p");
    box.AddObject(std::make_unique<Probe>(&box, "other", &log, "", "Other"));
    Add("q");
    std::vector<TToyObject*> found;
    EXPECT_EQ(box.SelectObjects(found, "Probe", "", ""), 2);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->name, "p");
    EXPECT_EQ(found[1]->name, "q");
}

TEST_F(BoxFixture, LayerBlocksMakeLayerRecordsInOrder)
{
    TTexDb db = Scene(
        "{\nclass Layer\nname front\nshow 1\n}\n"
        "{\nclass Layer\nshow 1\npos 0,-480\n}\n"
        "{\nclass Layer\nname back\n}\n");
    box.LoadBlocks(db);
    EXPECT_EQ(box.objects.Count(), 0);
    ASSERT_EQ(box.layers.size(), 3u);
    struct Expected {
        const char* name;
        bool show;
        int x;
        int y;
    };
    const Expected expected[] = {{"front", true, 0, 0}, {"", true, 0, -480}, {"back", false, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        const LayerRecord* record = box.GetLayer(i);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->name, expected[i].name) << i;
        EXPECT_EQ(record->show, expected[i].show) << i;
        EXPECT_EQ(record->x, expected[i].x) << i;
        EXPECT_EQ(record->y, expected[i].y) << i;
    }
    EXPECT_EQ(box.GetLayer(3), nullptr);
    EXPECT_EQ(box.GetLayer(-1), nullptr);
    EXPECT_EQ(box.FindLayer(""), box.GetLayer(1));
}

TEST_F(BoxFixture, LayerRequestsForMissingNamesDoNothing)
{
    box.AddLayer("a", false, 1, 2);
    box.AddLayer("b", true, 0, 0);
    box.AddLayer("a", true, 3, 4);
    box.ShowLayer("z");
    box.HideLayer("z");
    box.SetLayerPos("z", 9, 9);
    box.SetLayerPos("a", 7, 8);
    EXPECT_EQ(box.FindLayer("a"), box.GetLayer(0));
    EXPECT_EQ(box.GetLayer(0)->x, 7);
    EXPECT_EQ(box.GetLayer(2)->x, 3);
    EXPECT_EQ(box.FindLayer("z"), nullptr);
    box.DeleteLayer("a");
    ASSERT_EQ(box.layers.size(), 1u);
    EXPECT_EQ(box.GetLayer(0)->name, "b");
    EXPECT_EQ(box.ClearLayers(), 1);
    EXPECT_EQ(box.ClearLayers(), 0);
}

TEST_F(BoxFixture, SaveLayersWritesOnlyTheLinesThatSaySomething)
{
    box.AddLayer("", true, 0, 0);
    box.AddLayer("back", false, 0, -720);
    std::vector<std::string> lines;
    box.SaveLayers(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"", "{", "\tclass\t\tLayer", "\tshow\t\t1", "}", "",
                                               "{", "\tclass\t\tLayer", "\tname\t\tback",
                                               "\tpos\t\t\t0,-720", "}"}));
}

TEST_F(BoxFixture, CommandBlocksChangeTheBaseDirectoryOfWhatFollows)
{
    TTexDb db = Scene(
        "{\nclass Command\nchdir first\\\nsize 3\nchdir art\\\n}\n"
        "{\nclass Layer\nname after\n}\n");
    box.baseDir = "Resource";
    box.LoadBlocks(db);
    EXPECT_EQ(box.baseDir, "art\\");
    EXPECT_NE(box.FindLayer("after"), nullptr);
}

TEST(ToyBoxFiles, AFileWordsPathDependsOnTheBaseDirectory)
{
    struct Case {
        const char* baseDir;
        const char* path;
    };
    const Case cases[] = {{"Resource", "back"}, {"files\\", "files\\back.bmp"}, {"", "back.bmp"}};
    TToyBox box(nullptr, nullptr, "");
    for (const Case& c : cases) {
        box.baseDir = c.baseDir;
        EXPECT_EQ(box.FilePath("back", ".bmp"), c.path) << c.baseDir;
    }
}

TEST(ToyBoxFiles, TheBuiltInSceneIsReadFromTheResourceWithItsFiveLayers)
{
    TToyBox box(nullptr, nullptr, "toybox");
    EXPECT_EQ(box.baseDir, "Resource");
    EXPECT_EQ(box.name, "toybox");
    EXPECT_EQ(box.className, "ToyBox");
    EXPECT_EQ(box.category, "ToyBox");
    const std::string_view expected[] = {gamenames::kLayerSpace, gamenames::kLayerTitle,
                                         gamenames::kLayerHeading, "", gamenames::kLayerBackground};
    ASSERT_EQ(box.layers.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(box.layers[i]->name, expected[i]) << i;
        EXPECT_TRUE(box.layers[i]->show) << i;
    }
}

TEST(ToyBoxFiles, ASceneFilesDirectoryBecomesTheBaseDirectory)
{
    test::TempDir dir;
    dir.Write("files/data.toy", "{\nclass Layer\nname only\nshow 1\n}\n");
    test::ScopedCurrentPath inside(dir.Path());
    TToyBox box(nullptr, nullptr, "files\\data.toy");
    EXPECT_EQ(box.baseDir, "files\\");
    ASSERT_EQ(box.layers.size(), 1u);
    EXPECT_EQ(box.layers[0]->name, "only");
}

TEST(ToyBoxFiles, AMissingSceneLeavesTheBoxEmptyWithTheNamesDirectory)
{
    struct Case {
        const char* name;
        const char* baseDir;
    };
    const Case cases[] = {
        {"nowhere\\data.toy", "nowhere\\"},
        {"c:data.toy", "c:"},
        {"data.toy", ""},
        // "表" ends in the byte of a backslash, which is no directory separator there.
        {"\x95\x5c.toy", ""},
        {"\x95\x5c\\data.toy", "\x95\x5c\\"},
    };
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    for (const Case& c : cases) {
        FatalCapture fatal;
        TToyBox box(nullptr, nullptr, c.name);
        EXPECT_EQ(box.baseDir, c.baseDir) << c.name;
        EXPECT_EQ(box.objects.Count(), 0) << c.name;
        EXPECT_TRUE(box.layers.empty()) << c.name;
        EXPECT_EQ(fatal.Messages().size(), 1u) << c.name;
    }
}

TEST(ToyBoxFiles, SaveToFileWritesASceneThatLoadsBackTheSameLayersAndKnownObjects)
{
    test::TempDir dir;
    std::string path = (dir.Path() / "saved.toy").string();
    {
        TToyBox box(nullptr, nullptr, "");
        TTexDb db = Scene(
            "{\nclass Layer\nname front\nshow 1\npos 4,-8\n}\n"
            "{\nclass Layer\nshow 1\n}\n"
            "{\nclass Actor\nname hero\nlayer front\nshow 1\npos 7,9\n}\n");
        box.LoadBlocks(db);
        box.AddObject(std::make_unique<Probe>(&box, "made by code", nullptr));
        EXPECT_TRUE(box.SaveToFile(path));
    }
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string firstBlock =
        "\r\n{\r\n\tclass\t\tLayer\r\n\tname\t\tfront\r\n\tshow\t\t1\r\n\tpos\t\t\t4,-8\r\n}\r\n";
    EXPECT_EQ(text.substr(0, firstBlock.size()), firstBlock);
    EXPECT_EQ(text.find("\n\n"), std::string::npos) << "every line ends in CR LF";

    TToyBox copy(nullptr, nullptr, path);
    ASSERT_EQ(copy.layers.size(), 2u);
    EXPECT_EQ(copy.layers[0]->name, "front");
    EXPECT_EQ(copy.layers[0]->y, -8);
    EXPECT_EQ(copy.layers[1]->name, "");
    ASSERT_EQ(copy.objects.Count(), 1);
    auto* hero = dynamic_cast<TToyActor*>(copy.objects.Get(0));
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->name, "hero");
    EXPECT_EQ(hero->layer, "front");
    EXPECT_TRUE(hero->visible);
    EXPECT_EQ(hero->x, 7);
    EXPECT_EQ(hero->y, 9);
}

// A box whose kernel has a drawing device over fake ports, working in a temporary folder.
struct DeviceFixture : testing::Test {
    test::TempDir dir;
    test::ScopedCurrentPath inside{dir.Path()};
    test::FakeDrawing screen;
    TKernel kernel{&screen.draw, nullptr, nullptr, nullptr};
    TToyBox box{&kernel, nullptr, ""};

    DeviceFixture() { screen.draw.Init(320, 240, false, 16); }
};

TEST_F(DeviceFixture, SpritesAreMadeFromTheFileWordsPathAndReachTheDevice)
{
    dir.Write("art/back.bmp", "2 1 5 6");
    TTexDb db = Scene("{\nclass Command\nchdir art\\\n}\n");
    box.LoadBlocks(db);
    ASSERT_TRUE(box.CreateSprite("pic", "back", 0, 0));
    ASSERT_NE(screen.draw.GetSpriteSurf("pic"), nullptr);
    EXPECT_EQ(screen.draw.GetSpriteSurf("pic")->FileName, "art\\back.bmp");
    int w = 0;
    int h = 0;
    EXPECT_TRUE(box.GetSpriteSize("pic", w, h));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
    int perRow = 0;
    int count = 0;
    EXPECT_TRUE(box.GetSpriteInfo("pic", perRow, count));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(box.GetSpriteSurfSize("pic", w, h));
    EXPECT_TRUE(box.DrawSprite(10, 10, "pic", 0, 0, 0));
    EXPECT_EQ(screen.draw.WorkSurface().Row(10)[20], 5);
    EXPECT_TRUE(box.DeleteSprite("pic"));
    EXPECT_FALSE(box.DeleteSprite("pic"));
    EXPECT_FALSE(box.CreateSprite("none", "missing", 0, 0));
}

TEST_F(DeviceFixture, TextGoesToTheDrawingDevice)
{
    TFont font = screen.draw.Font();
    font.Color = 0xFFFFFF;
    screen.draw.SetFont(font);
    ASSERT_TRUE(box.TextOut(4, 3, "ab"));
    EXPECT_EQ(screen.draw.WorkSurface().Row(3)[2 * 4], 0) << "the glyph's background";
    EXPECT_NE(screen.draw.WorkSurface().Row(3)[2 * 5], 0) << "the glyph";
}

TEST(ToyBoxDevices, EveryDrawingServiceFailsWithoutADevice)
{
    TKernel noDraw{nullptr, nullptr, nullptr, nullptr};
    for (TKernel* kernel : {static_cast<TKernel*>(nullptr), &noDraw}) {
        TToyBox box(kernel, nullptr, "");
        int a = 0;
        int b = 0;
        EXPECT_FALSE(box.CreateSprite("s", "back", 0, 0));
        EXPECT_FALSE(box.DeleteSprite("s"));
        EXPECT_FALSE(box.DrawSprite(0, 0, "s", 0, 0, 0));
        EXPECT_FALSE(box.TextOut(0, 0, "abc"));
        EXPECT_FALSE(box.GetSpriteSize("s", a, b));
        EXPECT_FALSE(box.GetSpriteInfo("s", a, b));
        EXPECT_FALSE(box.GetSpriteSurfSize("s", a, b));
    }
}

}  // namespace
}  // namespace kipkip
