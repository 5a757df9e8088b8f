// toy/toynames.h
// The words of the scene model: the class words the box's factory knows, the categories the
// classes give themselves, and the Shift-JIS names of the built-in scene's layers, each with
// its UTF-8 gloss.
#pragma once

#include <string_view>

namespace kipkip::toynames {

// Class words of scene blocks (the value of `class`), compared byte for byte.
inline constexpr std::string_view kLayer = "Layer";
inline constexpr std::string_view kImage = "Image";
inline constexpr std::string_view kSound = "Sound";
inline constexpr std::string_view kFont = "Font";
inline constexpr std::string_view kPicture = "Picture";
inline constexpr std::string_view kNumber = "Number";
inline constexpr std::string_view kCaption = "Caption";
inline constexpr std::string_view kFrame = "Frame";
inline constexpr std::string_view kAnime = "Anime";
inline constexpr std::string_view kAnimeFile = "AnimeFile";
inline constexpr std::string_view kActor = "Actor";
inline constexpr std::string_view kCommand = "Command";

// Categories, fixed by each class's constructor.
inline constexpr std::string_view kCategoryResource = "Resource";
inline constexpr std::string_view kCategoryShape = "Shape";
inline constexpr std::string_view kCategoryActor = "Actor";
inline constexpr std::string_view kCategoryToyBox = "ToyBox";

// The class word of the animators that actors make; animators are never in a box.
inline constexpr std::string_view kAnimator = "Animator";

// The box's own class word, and the base directory of a scene read from a built-in resource.
inline constexpr std::string_view kToyBox = "ToyBox";
inline constexpr std::string_view kResourceDir = "Resource";

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

// Messages of fatal errors.
// "Image が作成できません" (cannot create Image)
inline constexpr std::string_view kImageNotCreated =
    "Image \x82\xaa\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";

// The file extension of an animation file read from disk.
inline constexpr std::string_view kAnimeExtension = ".anm";
// The resource type of animation files.
inline constexpr std::string_view kAnimeType = "ANIME";

}  // namespace kipkip::toynames
