#include "app/nomusicnotice.h"

namespace kipkip {

void NoMusicNotice::BeforeTick(std::uint64_t)
{
    if (!told_ && noMusic_()) {
        told_ = true;
        tell_();
    }
}

}  // namespace kipkip
