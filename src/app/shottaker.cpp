#include "app/shottaker.h"

#include "app/complain.h"
#include "app/framefile.h"

namespace kipkip {

bool ShotTaker::AfterTick(std::uint64_t tick)
{
    for (const Shot& shot : shots_) {
        if (shot.tick == tick && !SaveFrame(frame_(), shot.file)) {
            Complain("cannot write the shot " + shot.file);
            failed_ = true;
        }
    }
    return true;
}

}  // namespace kipkip
