// The built-in scene and animation files say exactly what the game's tables say.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fatalcapture.h"
#include "platform/sjis.h"
#include "texdb/texdb.h"

namespace kipkip {
namespace {

// One line of a block: key and value as the data reader gives them back. Text is written here
// in UTF-8 and compared in Shift-JIS; numbers are compared as numbers.
struct Line {
    std::string key;
    std::string text;                  // for text values
    std::vector<std::int32_t> ints{};  // for numbers (one to four)
};

void ExpectBlock(TTexDb& db, const std::vector<Line>& expected, const std::string& where)
{
    ASSERT_NE(db.Current(), nullptr) << where;
    const auto& entries = db.Current()->entries;
    ASSERT_EQ(entries.size(), expected.size()) << where;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Line& want = expected[i];
        const TexEntry& got = entries[i];
        EXPECT_EQ(SjisToUtf8(got.Key()), want.key) << where << " line " << i;
        if (want.ints.empty()) {
            EXPECT_EQ(SjisToUtf8(got.value.Text()), want.text) << where << " " << want.key;
        }
        for (std::size_t n = 0; n < want.ints.size(); ++n) {
            EXPECT_EQ(got.value.Int(static_cast<int>(n)), want.ints[n]) << where << " " << want.key;
        }
    }
}

Line T(std::string key, std::string text)
{
    return Line{std::move(key), std::move(text)};
}

Line N(std::string key, std::vector<std::int32_t> ints)
{
    return Line{std::move(key), "", std::move(ints)};
}

TEST(BuiltInData, TheSceneHasItsTwentyFiveBlocksInOrder)
{
    const std::vector<std::vector<Line>> blocks = {
        {T("class", "Layer"), T("name", "スペース"), N("show", {1})},
        {T("class", "Layer"), T("name", "タイトル"), N("show", {1})},
        {T("class", "Layer"), T("name", "見出し"), N("show", {1})},
        {T("class", "Layer"), N("show", {1})},
        {T("class", "Layer"), T("name", "背景"), N("show", {1})},
        {T("class", "Sound"), T("name", "取る"), T("fileName", "star")},
        {T("class", "Sound"), T("name", "ジャンプ"), T("fileName", "fly")},
        {T("class", "Sound"), T("name", "落下"), T("fileName", "down")},
        {T("class", "Image"), T("name", "数字"), T("fileName", "suuji"), N("size", {16, 16})},
        {T("class", "AnimeFile"), T("name", "床"), N("pos", {37, 25}), T("fileName", "plat")},
        {T("class", "AnimeFile"), T("name", "キップキップ"), N("pos", {37, 25}),
         T("fileName", "kipkip")},
        {T("class", "AnimeFile"), T("name", "敵"), N("pos", {37, 25}), T("fileName", "enemy")},
        {T("class", "AnimeFile"), T("name", "コイン"), N("pos", {37, 25}), T("fileName", "coin")},
        {T("class", "Picture"), T("name", "背景"), T("layer", "背景"), N("show", {1}),
         N("pos", {0, -720}), T("fileName", "back")},
        {T("class", "Picture"), T("name", "ゲームオーバー"), T("layer", "見出し"),
         N("pos", {62, 83}), T("fileName", "gameover")},
        {T("class", "Picture"), T("name", "クリア"), T("layer", "見出し"), N("pos", {45, 86}),
         T("fileName", "clear")},
        {T("class", "Picture"), T("name", "ハイスコア"), T("layer", "見出し"), N("show", {1}),
         N("pos", {200, -3}), T("fileName", "hiscore")},
        {T("class", "Number"), T("name", "hiscore"), T("layer", "見出し"), N("show", {1}),
         N("pos", {266, 28}), T("imageId", "数字"), T("base", "right"), N("num", {1000})},
        {T("class", "Picture"), T("name", "ハイスコアｍ"), T("layer", "見出し"), N("show", {1}),
         N("pos", {279, 27}), T("fileName", "m")},
        {T("class", "Number"), T("name", "time"), T("layer", "見出し"), N("show", {1}),
         N("pos", {176, 28}), T("imageId", "数字"), T("base", "right"), N("num", {100})},
        {T("class", "Picture"), T("name", "タイム"), T("layer", "見出し"), N("show", {1}),
         N("pos", {112, -2}), T("fileName", "time")},
        {T("class", "Picture"), T("name", "メートル"), T("layer", "見出し"), N("show", {1}),
         N("pos", {87, 28}), T("fileName", "m")},
        {T("class", "Number"), T("name", "height"), T("layer", "見出し"), N("show", {1}),
         N("pos", {72, 28}), T("imageId", "数字"), T("base", "right"), N("num", {0})},
        {T("class", "Picture"), T("name", "タイトル"), T("layer", "タイトル"), N("show", {1}),
         N("pos", {7, 9}), T("fileName", "title")},
        {T("class", "Picture"), T("name", "スペース"), T("layer", "スペース"), N("show", {1}),
         N("pos", {3, 182}), N("fricker", {200}), T("fileName", "spase")},
    };
    FatalCapture capture;
    TTexDb db("toybox", "TEXT");
    ASSERT_TRUE(capture.Messages().empty());
    ASSERT_EQ(db.BlockCount(), static_cast<int>(blocks.size()));
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        ExpectBlock(db, blocks[b], "block " + std::to_string(b + 1));
        db.Next();
    }
}

// An animation file's blocks by class: images, then frames (cells as x, y, index), then
// animations (frame and milliseconds per step).
struct Cell {
    std::int32_t x, y, index;
};

std::vector<Line> FrameBlock(const std::string& name, const std::string& image,
                             const std::vector<Cell>& cells)
{
    std::vector<Line> lines = {T("class", "Frame"), T("name", name), T("imageId", image),
                               N("cellNum", {static_cast<std::int32_t>(cells.size())})};
    for (const Cell& c : cells) {
        lines.push_back(N("cell", {c.x, c.y, c.index}));
    }
    return lines;
}

std::vector<Line> AnimeBlock(const std::string& name,
                             const std::vector<std::pair<std::string, std::int32_t>>& steps)
{
    std::vector<Line> lines = {T("class", "Anime"), T("name", name),
                               N("seqNum", {static_cast<std::int32_t>(steps.size())})};
    for (const auto& [frame, ms] : steps) {
        lines.push_back(N(frame, {ms}));
    }
    return lines;
}

std::vector<std::vector<Line>> ExpectedAnimeFile(const std::string& file)
{
    std::vector<std::vector<Line>> blocks;
    auto image = [&](const char* name, const char* bitmap, std::int32_t w, std::int32_t h) {
        blocks.push_back(
            {T("class", "Image"), T("name", name), T("fileName", bitmap), N("size", {w, h})});
    };
    auto oneCellFrames = [&](const char* image, int count, std::int32_t x, std::int32_t y) {
        for (int n = 0; n < count; ++n) {
            blocks.push_back(FrameBlock("frame" + std::to_string(n), image, {{x, y, n}}));
        }
    };
    if (file == "plat") {
        image("床", "block", 16, 16);
        for (int n = 0; n <= 6; ++n) {
            std::vector<Cell> cells;
            for (int j = 0; j < n + 2; ++j) {
                cells.push_back({16 * j, 0, j == 0 ? 0 : (j == n + 1 ? 2 : 1)});
            }
            blocks.push_back(FrameBlock("plat" + std::to_string(n), "床", cells));
        }
        std::vector<Cell> floor;
        for (int j = 0; j < 20; ++j) {
            floor.push_back({16 * j, 0, 1});
        }
        blocks.push_back(FrameBlock("plat9", "床", floor));
    } else if (file == "kipkip") {
        image("キップキップ", "kipkip0", 32, 48);
        image("落下", "drop", 56, 56);
        oneCellFrames("キップキップ", 8, -16, -47);
        blocks.push_back(FrameBlock("frame8", "落下", {{-28, -59, 0}}));
        blocks.push_back(FrameBlock("frame9", "落下", {{-28, -59, 1}}));
        blocks.push_back(AnimeBlock("左向き", {{"frame0", 100}}));
        blocks.push_back(AnimeBlock("左歩き", {{"frame1", 100}, {"frame0", 100}}));
        blocks.push_back(AnimeBlock("左ジャンプ", {{"frame2", 100}}));
        blocks.push_back(AnimeBlock("左落下", {{"frame8", 100}}));
        blocks.push_back(AnimeBlock("右向き", {{"frame4", 100}}));
        blocks.push_back(AnimeBlock("右歩き", {{"frame5", 100}, {"frame4", 100}}));
        blocks.push_back(AnimeBlock("右ジャンプ", {{"frame6", 100}}));
        blocks.push_back(AnimeBlock("右落下", {{"frame9", 100}}));
    } else if (file == "enemy") {
        image("敵", "enemy", 32, 32);
        oneCellFrames("敵", 8, -16, -16);
        blocks.push_back(AnimeBlock(
            "回転", {{"frame0", 100}, {"frame1", 100}, {"frame2", 100}, {"frame3", 100}}));
        blocks.push_back(AnimeBlock("消滅", {{"frame4", 100},
                                             {"frame5", 100},
                                             {"frame4", 100},
                                             {"frame5", 100},
                                             {"frame4", 100},
                                             {"frame5", 100},
                                             {"frame6", 40},
                                             {"frame7", 40}}));
    } else if (file == "coin") {
        image("コイン", "coin", 32, 32);
        oneCellFrames("コイン", 10, -16, -16);
        blocks.push_back(FrameBlock("frameN", "コイン", {{-16, -16, 10}}));
        std::vector<std::pair<std::string, std::int32_t>> spin;
        for (int n = 0; n < 6; ++n) {
            spin.push_back({"frame" + std::to_string(n), 100});
        }
        blocks.push_back(AnimeBlock("回転", spin));
        blocks.push_back(AnimeBlock(
            "消滅",
            {{"frame6", 100}, {"frame7", 100}, {"frame8", 100}, {"frame9", 100}, {"frameN", 1}}));
    }
    return blocks;
}

TEST(BuiltInData, TheAnimationFilesHaveTheirImagesFramesAndAnimations)
{
    for (const char* file : {"plat", "kipkip", "enemy", "coin"}) {
        std::vector<std::vector<Line>> blocks = ExpectedAnimeFile(file);
        FatalCapture capture;
        TTexDb db(file, "ANIME");
        ASSERT_TRUE(capture.Messages().empty()) << file;
        ASSERT_EQ(db.BlockCount(), static_cast<int>(blocks.size())) << file;
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            ExpectBlock(db, blocks[b], std::string(file) + " block " + std::to_string(b + 1));
            db.Next();
        }
    }
}

}  // namespace
}  // namespace kipkip
