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

}  // namespace kipkip::toynames
