#include "app/paceplace.h"

namespace kipkip {

std::optional<PacePlace> PacePlace::Of(const TGameMainMode& mode, std::int32_t metres,
                                       int screenHeight)
{
    const LayerRecord* climb = mode.box ? mode.box->FindLayer("") : nullptr;
    if (climb == nullptr) {
        return std::nullopt;
    }
    const std::int64_t row = static_cast<std::int64_t>(climb->y) -
                             static_cast<std::int64_t>(metres) * TGameMainMode::kPixelsPerMetre;
    if (row < 0) {
        return PacePlace{PaceMarkerView::Where::kAbove, 0};
    }
    if (row >= screenHeight) {
        return PacePlace{PaceMarkerView::Where::kBelow, 0};
    }
    return PacePlace{PaceMarkerView::Where::kOnScreen, static_cast<int>(row)};
}

}  // namespace kipkip
