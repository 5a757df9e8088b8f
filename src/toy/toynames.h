// toy/toynames.h
// The words of the scene model: the class words the box's factory knows, the categories the
// classes give themselves, and the words of its fatal errors and animation files.
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

// Messages of fatal errors.
// "Image が作成できません" (cannot create Image)
inline constexpr std::string_view kImageNotCreated =
    "Image \x82\xaa\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";

// The file extension of an animation file read from disk.
inline constexpr std::string_view kAnimeExtension = ".anm";
// The resource type of animation files.
inline constexpr std::string_view kAnimeType = "ANIME";

}  // namespace kipkip::toynames
