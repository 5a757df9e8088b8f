#include "menu/menusounds.h"

#include <string>

#include "device/kivsound.h"
#include "platform/resources.h"

namespace kipkip {
namespace {

int LoadCopy(SoundMixer& mixer, std::string_view name)
{
    auto image = FindResource("WAVE", name);
    std::string error;
    auto wave = image ? TKivSound::ReadWave(*image, error) : std::nullopt;
    return wave ? mixer.AddCopy(mixer.AddSound(TKivSound::ToMixerFormat(*wave))) : -1;
}

}  // namespace

MenuSounds::MenuSounds(SoundMixer& mixer)
    : mixer_(mixer), move_(LoadCopy(mixer, "MENUTICK")), choose_(LoadCopy(mixer, "MENUSELECT"))
{}

void MenuSounds::Play(MenuSound sound)
{
    const int copy = sound == MenuSound::Move ? move_ : choose_;
    if (copy >= 0) {
        mixer_.Start(copy);
    }
}

}  // namespace kipkip
