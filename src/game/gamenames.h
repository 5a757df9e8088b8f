// game/gamenames.h
// The words of the game's own actors: their class words, the Shift-JIS names they are made
// with and look each other up by, and the names of the animations they play, each with its
// UTF-8 gloss; and the names of the built-in scene's layers and sounds that the game shows,
// hides and plays.
#pragma once

#include <string_view>

namespace kipkip::gamenames {

// Class words of the actors made by code, compared byte for byte.
inline constexpr std::string_view kClassKipKip = "KipKip";
inline constexpr std::string_view kClassPlat = "Plat";
inline constexpr std::string_view kClassEnemy = "Enemy";
inline constexpr std::string_view kClassCoin = "Coin";

// Actor names, which are also the names of the animation files they are drawn from.
// "キップキップ" (KipKip: the hero)
inline constexpr std::string_view kKipKip = "\x83\x4c\x83\x62\x83\x76\x83\x4c\x83\x62\x83\x76";
// "床" (floor: the platforms)
inline constexpr std::string_view kPlat = "\x8f\xb0";
// "敵" (enemy)
inline constexpr std::string_view kEnemy = "\x93\x47";
// "コイン" (coin)
inline constexpr std::string_view kCoin = "\x83\x52\x83\x43\x83\x93";

// A platform's frame in "床" is this prefix followed by its size in decimal ("plat4").
inline constexpr std::string_view kPlatFramePrefix = "plat";

// The hero's animations.
// "左向き" (facing left)
inline constexpr std::string_view kAnimeFaceLeft = "\x8d\xb6\x8c\xfc\x82\xab";
// "右向き" (facing right)
inline constexpr std::string_view kAnimeFaceRight = "\x89\x45\x8c\xfc\x82\xab";
// "左歩き" (walking left)
inline constexpr std::string_view kAnimeWalkLeft = "\x8d\xb6\x95\xe0\x82\xab";
// "右歩き" (walking right)
inline constexpr std::string_view kAnimeWalkRight = "\x89\x45\x95\xe0\x82\xab";
// "左ジャンプ" (jumping left)
inline constexpr std::string_view kAnimeJumpLeft = "\x8d\xb6\x83\x57\x83\x83\x83\x93\x83\x76";
// "右ジャンプ" (jumping right)
inline constexpr std::string_view kAnimeJumpRight = "\x89\x45\x83\x57\x83\x83\x83\x93\x83\x76";
// "左落下" (falling left: knocked down)
inline constexpr std::string_view kAnimeFallLeft = "\x8d\xb6\x97\x8e\x89\xba";
// "右落下" (falling right: knocked down)
inline constexpr std::string_view kAnimeFallRight = "\x89\x45\x97\x8e\x89\xba";

// The enemy's and the coin's animations.
// "回転" (spinning)
inline constexpr std::string_view kAnimeSpin = "\x89\xf1\x93\x5d";
// "消滅" (vanishing)
inline constexpr std::string_view kAnimeVanish = "\x8f\xc1\x96\xc5";

// What a taken coin shows above itself.
inline constexpr std::string_view kCoinPlus = "+5";

// Layers of the built-in scene, frontmost first; the unnamed layer lies between the heading
// and the background.
// "スペース" (space: the blinking prompt)
inline constexpr std::string_view kLayerSpace = "\x83\x58\x83\x79\x81\x5b\x83\x58";
// "タイトル" (title)
inline constexpr std::string_view kLayerTitle = "\x83\x5e\x83\x43\x83\x67\x83\x8b";
// "見出し" (heading)
inline constexpr std::string_view kLayerHeading = "\x8c\xa9\x8f\x6f\x82\xb5";
// "背景" (background)
inline constexpr std::string_view kLayerBackground = "\x94\x77\x8c\x69";

// Sounds of the built-in scene, played by these names.
// "取る" (take: the hero takes a coin)
inline constexpr std::string_view kSoundTake = "\x8e\xe6\x82\xe9";
// "ジャンプ" (jump)
inline constexpr std::string_view kSoundJump = "\x83\x57\x83\x83\x83\x93\x83\x76";
// "落下" (fall: the hero is knocked down)
inline constexpr std::string_view kSoundFall = "\x97\x8e\x89\xba";

// The main mode's data and screens.
// "難易度データ" (difficulty data: the name of the difficulty table's block)
inline constexpr std::string_view kDifficultyData =
    "\x93\xef\x88\xd5\x93\x78\x83\x66\x81\x5b\x83\x5e";
// "クリア" (clear: the picture of the level-clear interlude)
inline constexpr std::string_view kPictureClear = "\x83\x4e\x83\x8a\x83\x41";
// "ゲームオーバー" (game over: the picture of the game-over screen)
inline constexpr std::string_view kPictureGameOver =
    "\x83\x51\x81\x5b\x83\x80\x83\x49\x81\x5b\x83\x6f\x81\x5b";

}  // namespace kipkip::gamenames
