#include "toy/toysound.h"

#include <utility>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toynames.h"

namespace kipkip {

TToySound::TToySound(TToyBox* box, TTexDb& db)
    : TToyObject(box, std::string(toynames::kSound), std::string(),
                 std::string(toynames::kCategoryResource))
{
    // Class, layer and show mean nothing to a sound, so only its two names are read.
    std::string soundName(db.Get("name").Text());
    std::string soundFile(db.Get("fileName").Text());
    if (box != nullptr) {
        box->CreateSoundBuffer(soundName, soundFile);  // a sound that fails stays silent
    }
    name = std::move(soundName);
    fileName = std::move(soundFile);
}

void TToySound::SaveKeys(std::vector<std::string>& lines)
{
    lines.push_back("\tfileName\t" + fileName);
}

}  // namespace kipkip
