#include "records/pace.h"

namespace kipkip {

bool Pace::Add(std::int32_t height)
{
    if (heights_.size() >= kMaxTicks || height < kMinHeight || height > kMaxHeight) {
        return false;
    }
    heights_.push_back(height);
    return true;
}

std::int32_t Pace::HeightAt(std::uint64_t tick) const
{
    if (heights_.empty()) {
        return 0;
    }
    return tick < heights_.size() ? heights_[tick] : heights_.back();
}

}  // namespace kipkip
