#include "app/unheardmusic.h"

#include "app/audiocapture.h"
#include "device/audiopath.h"

namespace kipkip {

bool UnheardMusic::AfterTick(std::uint64_t)
{
    path_.Advance(AudioCapture::kFramesPerTick);
    return true;
}

}  // namespace kipkip
