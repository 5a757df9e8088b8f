// Every Shift-JIS constant the code looks up equals the Shift-JIS encoding of its gloss.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "app/appnames.h"
#include "device/devicenames.h"
#include "game/gamenames.h"
#include "texdb/texdbnames.h"
#include "toy/toynames.h"

namespace kipkip {
namespace {

// Converted here with iconv itself, independently of the program's own conversion.
std::string ToCp932(std::string_view utf8)
{
    iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        return "<not convertible>";
    }
    out.resize(out.size() - outLeft);
    return out;
}

struct Name {
    std::string_view constant;
    std::string_view gloss;
};

const Name kNames[] = {
    {texdbnames::kMissing, "がありません"},
    {texdbnames::kBracketNotClosed, "TexDbエラー 括弧が閉じていません"},
    {appnames::kFontFace, "ＭＳ ゴシック"},
    {devicenames::kMidiMapperNotOpened, "MIDIマッパーを開けませんでした。"},
    {gamenames::kLayerSpace, "スペース"},
    {gamenames::kLayerTitle, "タイトル"},
    {gamenames::kLayerHeading, "見出し"},
    {gamenames::kLayerBackground, "背景"},
    {toynames::kImageNotCreated, "Image が作成できません"},
    {gamenames::kSoundTake, "取る"},
    {gamenames::kSoundJump, "ジャンプ"},
    {gamenames::kSoundFall, "落下"},
    {gamenames::kKipKip, "キップキップ"},
    {gamenames::kPlat, "床"},
    {gamenames::kEnemy, "敵"},
    {gamenames::kCoin, "コイン"},
    {gamenames::kAnimeFaceLeft, "左向き"},
    {gamenames::kAnimeFaceRight, "右向き"},
    {gamenames::kAnimeWalkLeft, "左歩き"},
    {gamenames::kAnimeWalkRight, "右歩き"},
    {gamenames::kAnimeJumpLeft, "左ジャンプ"},
    {gamenames::kAnimeJumpRight, "右ジャンプ"},
    {gamenames::kAnimeFallLeft, "左落下"},
    {gamenames::kAnimeFallRight, "右落下"},
    {gamenames::kAnimeSpin, "回転"},
    {gamenames::kAnimeVanish, "消滅"},
    {gamenames::kDifficultyData, "難易度データ"},
    {gamenames::kPictureClear, "クリア"},
    {gamenames::kPictureGameOver, "ゲームオーバー"},
};

TEST(ShiftJisNames, EveryConstantIsItsGlossInCodePage932)
{
    for (const Name& name : kNames) {
        EXPECT_EQ(name.constant, ToCp932(name.gloss)) << name.gloss;
    }
}

}  // namespace
}  // namespace kipkip
