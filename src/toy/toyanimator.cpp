#include "toy/toyanimator.h"

#include "toy/toyanime.h"
#include "toy/toyanimefile.h"
#include "toy/toybox.h"
#include "toy/toynames.h"

namespace kipkip {

TToyAnimator::TToyAnimator(TToyBox* box, std::string_view animeFileName)
    : TToyShape(box, std::string(toynames::kAnimator), std::string(), 0, 0)
{
    if (box != nullptr) {
        animeFile =
            dynamic_cast<TToyAnimeFile*>(box->FindObject(toynames::kAnimeFile, animeFileName));
    }
}

void TToyAnimator::Draw(int, int)
{
    if (anime == nullptr) {
        return;
    }
    anime->x = x;
    anime->y = y;
    anime->DrawAt(clock);
    hitRect = anime->hitRect;
}

void TToyAnimator::Update(int elapsed)
{
    if (!playing) {
        return;
    }
    clock += elapsed;
    if (clock >= duration) {
        if (looping) {
            clock = 0;  // the time beyond the end is dropped
        } else {
            clock = duration;
            playing = false;
        }
    }
}

void TToyAnimator::SaveKeys(std::vector<std::string>&) {}

void TToyAnimator::Play(std::string_view animeName, bool loop)
{
    anime = animeFile != nullptr ? animeFile->FindAnime(animeName) : nullptr;
    if (anime == nullptr) {
        return;
    }
    clock = 0;
    playing = true;
    looping = loop;
    duration = anime->totalDuration;
}

}  // namespace kipkip
