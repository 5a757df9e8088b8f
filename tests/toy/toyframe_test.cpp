// Frames and animations: made from blocks of a scene or of an animation file.
#include "toy/toyframe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toy/toyactor.h"
#include "toy/toyanime.h"
#include "toy/toyanimefile.h"
#include "toy/toyimage.h"
#include "toy/toyscene.h"

namespace kipkip {
namespace {

using test::SceneFixture;
using test::SizedBitmaps;
using test::Sjis;

using BuiltInFrames = SceneFixture;

TEST_F(BuiltInFrames, PlatformFramesAreRowsOfFloorBlocks)
{
    LoadBuiltIn("{\nclass AnimeFile\nname 床\nfileName plat\n}\n");
    auto* plat = Find<TToyAnimeFile>("AnimeFile", "床");
    ASSERT_NE(plat, nullptr);
    struct Case {
        const char* name;
        int cells;
        TToyRect hit;
    };
    const Case cases[] = {
        {"plat0", 2, {0, 0, 32, 16}},
        {"plat1", 3, {0, 0, 48, 16}},
        {"plat6", 8, {0, 0, 128, 16}},
        {"plat9", 20, {0, 0, 320, 16}},
    };
    for (const Case& c : cases) {
        TToyFrame* frame = plat->FindFrame(c.name);
        ASSERT_NE(frame, nullptr) << c.name;
        EXPECT_EQ(frame->CellCount(), c.cells) << c.name;
        EXPECT_EQ(frame->hitRect, c.hit) << c.name;
        EXPECT_EQ(frame->GetImage(), plat->objects.Find("Image", Sjis("床"))) << c.name;
    }
    // Platforms 0 to 6: cell 0 first, cell 2 last, cell 1 between, 16 pixels apart.
    TToyFrame* plat2 = plat->FindFrame("plat2");
    const int indices[] = {0, 1, 1, 2};
    for (int i = 0; i < 4; ++i) {
        const FrameCell* cell = plat2->GetCell(i);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->x, 16 * i);
        EXPECT_EQ(cell->y, 0);
        EXPECT_EQ(cell->index, indices[i]);
    }
    EXPECT_EQ(plat2->GetCell(4), nullptr);
    EXPECT_EQ(plat2->GetCell(-1), nullptr);
    EXPECT_TRUE(fatal.Messages().empty());
}

TEST_F(BuiltInFrames, TheFallingHeroCoversItsCellAndItsOwnPosition)
{
    LoadBuiltIn("{\nclass AnimeFile\nname キップキップ\nfileName kipkip\n}\n");
    auto* hero = Find<TToyAnimeFile>("AnimeFile", "キップキップ");
    ASSERT_NE(hero, nullptr);
    TToyFrame* frame8 = hero->FindFrame("frame8");
    ASSERT_NE(frame8, nullptr);
    EXPECT_EQ(frame8->hitRect, (TToyRect{-28, -59, 28, 0}));
    EXPECT_EQ(hero->FindFrame("frame0")->hitRect, (TToyRect{-16, -47, 16, 1}));
}

// A folder with a 2 x 2 image "img" of 1 x 1 cells (pixels 1 2 / 3 4) in the box.
struct FrameTest : SceneFixture {
    FrameTest()
    {
        dir.Write("img.bmp", "2 2  1 2  3 4");
        Load("{\nclass Layer\nshow 1\n}\n{\nclass Image\nname img\nfileName img\nsize 1,1\n}\n");
    }
};

TEST_F(FrameTest, CellsAreDrawnInOrderAtTheirOffsetsFromTheFrame)
{
    Load(
        "{\nclass Frame\nname f\npos 10,20\nimageId img\ncellNum 3\n"
        "cell 0,0,0\ncell 1,0,3\ncell 1,0,1\n}\n");
    auto* frame = Find<TToyFrame>("Frame", "f");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->owner, nullptr);
    EXPECT_EQ(frame->GetImage(), box.FindImage("img"));
    EXPECT_EQ(frame->hitRect, (TToyRect{0, 0, 2, 1}));
    frame->DrawCells(100, 100);
    EXPECT_EQ(Pixel(110, 120), 1u);
    EXPECT_EQ(Pixel(111, 120), 2u) << "the later cell lies over the earlier one";

    // The box's drawing pass leaves a frame alone.
    frame->Show();
    draw.Clear();
    box.Draw();
    EXPECT_EQ(Pixel(10, 20), 0u);
}

TEST_F(FrameTest, TheCellLinesAreTheLinesAfterCellNumWhateverTheirKeys)
{
    Load(
        "{\nclass Frame\nname f\nimageId img\ncellNum 9\nanything -3,2,1\n"
        "cell 70000,-70000,65537\n}\n");
    auto* frame = Find<TToyFrame>("Frame", "f");
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->CellCount(), 2) << "the block ends before nine lines";
    EXPECT_EQ(frame->GetCell(0)->x, -3);
    EXPECT_EQ(frame->GetCell(0)->y, 2);
    EXPECT_EQ(frame->GetCell(0)->index, 1);
    // Offsets are 16-bit signed values and indices 16-bit values.
    EXPECT_EQ(frame->GetCell(1)->x, 4464);
    EXPECT_EQ(frame->GetCell(1)->y, -4464);
    EXPECT_EQ(frame->GetCell(1)->index, 1);
}

TEST_F(FrameTest, AFrameWithoutItsImageDrawsNothingAndHasNoSize)
{
    Load("{\nclass Frame\nname f\nimageId nobody\ncellNum 1\ncell 5,5,0\n}\n");
    auto* frame = Find<TToyFrame>("Frame", "f");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetImage(), nullptr);
    EXPECT_EQ(frame->CellCount(), 1);
    EXPECT_EQ(frame->hitRect, (TToyRect{0, 0, 0, 0}));
    frame->DrawCells(0, 0);
    EXPECT_EQ(Pixel(5, 5), 0u);
}

TEST_F(FrameTest, SaveKeysWritesTheImageAndEveryCell)
{
    Load(
        "{\nclass Frame\nname f\npos 1,2\nimageId img\ncellNum 2\ncell 0,0,0\ncell -16,8,3\n}\n"
        "{\nclass Frame\nname g\nimageId nobody\n}\n");
    std::vector<std::string> lines;
    Find<TToyFrame>("Frame", "f")->SaveKeys(lines);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"\tpos\t\t\t1,2", "\timageId\t\timg", "\tcellNum\t\t2",
                                        "\tcell\t\t0,0,0", "\tcell\t\t-16,8,3"}));
    lines.clear();
    Find<TToyFrame>("Frame", "g")->SaveKeys(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"\timageId\t\tnobody", "\tcellNum\t\t0"}));
}

TEST_F(FrameTest, AnActorShowingAFrameDrawsItThroughItsCells)
{
    Load("{\nclass Frame\nname f\nimageId img\ncellNum 1\ncell -1,-1,3\n}\n");
    auto actor = std::make_unique<TToyActor>(&box, "Plat", "p", "Frame", "f", 50.0f, 60.0f, 0.0f);
    actor->Show();
    box.AddObject(std::move(actor));
    box.SetLayerPos("", 0, -10);
    box.Draw();
    EXPECT_EQ(Pixel(49, 49), 4u);
    auto* placed = static_cast<TToyActor*>(box.FindObject("Plat", "p"));
    EXPECT_EQ(placed->hitRect, (TToyRect{-1, -1, 0, 0}));
}

// Scene frames a (cell 0), b (cell 1), c (cell 2) of "img".
struct AnimeTest : FrameTest {
    AnimeTest()
    {
        for (auto [name, cell] : {std::pair{"a", "0"}, {"b", "1"}, {"c", "2"}}) {
            Load(std::string("{\nclass Frame\nname ") + name +
                 "\nimageId img\ncellNum 1\ncell 0,0," + cell + "\n}\n");
        }
    }
    TToyAnime* Anime(std::string_view name) { return Find<TToyAnime>("Anime", name); }
    std::string FrameNameAt(TToyAnime& anime, int time)
    {
        TToyFrame* frame = anime.FrameAt(time);
        return frame == nullptr ? "none" : frame->name;
    }
};

TEST_F(AnimeTest, ASequenceShorterThanItsCountHasTheStepsItHas)
{
    Load("{\nclass Anime\nname run\nseqNum 5\na 100\nb 50\nc 25\n}\n");
    TToyAnime* run = Anime("run");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->EntryCount(), 3);
    EXPECT_EQ(run->totalDuration, 175);
    ASSERT_NE(run->GetEntry(2), nullptr);
    EXPECT_EQ(run->GetEntry(2)->frame, Find<TToyFrame>("Frame", "c"));
    EXPECT_EQ(run->GetEntry(2)->duration, 25);
    EXPECT_EQ(run->GetEntry(3), nullptr);
}

TEST_F(AnimeTest, EachStepIsDueUpToItsEndInclusiveAndTheLastOneAfterTheEnd)
{
    Load(
        "{\nclass Anime\nname run\nseqNum 3\na 100\nb 50\nc 25\n}\n"
        "{\nclass Anime\nname instant\nseqNum 2\nb 0\nc 10\n}\n"
        "{\nclass Anime\nname empty\nseqNum 0\n}\n");
    struct Case {
        const char* anime;
        int time;
        const char* frame;
    };
    const Case cases[] = {
        {"run", -5, "a"},    {"run", 0, "a"},     {"run", 100, "a"},    {"run", 101, "b"},
        {"run", 150, "b"},   {"run", 151, "c"},   {"run", 175, "c"},    {"run", 100000, "c"},
        {"instant", 0, "b"}, {"instant", 1, "c"}, {"empty", 0, "none"}, {"empty", 50, "none"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameNameAt(*Anime(c.anime), c.time), c.frame) << c.anime << " at " << c.time;
    }
}

TEST_F(AnimeTest, AnAnimationTakesTheRectangleOfTheFrameItShows)
{
    Load(
        "{\nclass Frame\nname wide\nimageId img\ncellNum 2\ncell 0,0,0\ncell 5,0,0\n}\n"
        "{\nclass Anime\nname run\nseqNum 2\na 100\nwide 100\n}\n");
    TToyAnime* run = Anime("run");
    EXPECT_EQ(run->hitRect, (TToyRect{0, 0, 1, 1})) << "the first frame's";
    EXPECT_EQ(run->className, "Anime");
    EXPECT_EQ(run->x, 0);
    EXPECT_FALSE(run->visible);
    run->x = 30;
    run->y = 40;
    run->DrawAt(150);
    EXPECT_EQ(run->hitRect, (TToyRect{0, 0, 6, 1}));
    EXPECT_EQ(Pixel(30, 40), 1u);
    EXPECT_EQ(Pixel(35, 40), 1u);
}

TEST_F(AnimeTest, AStepWithoutAFrameDrawsNothing)
{
    Load("{\nclass Anime\nname run\nseqNum 2\nmissing 100\nb 100\n}\n");
    TToyAnime* run = Anime("run");
    ASSERT_EQ(run->EntryCount(), 2);
    EXPECT_EQ(run->GetEntry(0)->frame, nullptr);
    EXPECT_EQ(run->hitRect, (TToyRect{0, 0, 0, 0}));
    run->DrawAt(50);
    EXPECT_EQ(Pixel(0, 0), 0u);
    run->DrawAt(150);
    EXPECT_EQ(Pixel(0, 0), 2u);
}

TEST_F(AnimeTest, SaveKeysWritesEveryStepByFrameName)
{
    Load("{\nclass Anime\nname run\nseqNum 3\na 100\nmissing 20\nc 1\n}\n");
    std::vector<std::string> lines;
    Anime("run")->SaveKeys(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"\tseqNum\t\t3", "\ta\t\t100", "\tmissing\t\t20",
                                               "\tc\t\t1"}));
}

TEST_F(AnimeTest, ASceneAnimationDropsAFrameTheBoxDeletes)
{
    Load("{\nclass Anime\nname run\nseqNum 2\na 100\nb 100\n}\n");
    box.DeleteObjects("Frame", "a");
    EXPECT_EQ(Anime("run")->GetEntry(0)->frame, nullptr);
    EXPECT_EQ(Anime("run")->GetEntry(1)->frame, Find<TToyFrame>("Frame", "b"));
}

}  // namespace
}  // namespace kipkip
