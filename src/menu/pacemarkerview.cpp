#include "menu/pacemarkerview.h"

#include <algorithm>
#include <limits>
#include <string>

#include "menu/menupainter.h"

namespace kipkip {
namespace {

// A coordinate worked out in a wider type, held to int: far off stays far off.
int Held(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

TRect Box(long long left, long long top, long long right, long long bottom)
{
    return TRect{Held(left), Held(top), Held(right), Held(bottom)};
}

}  // namespace

void PaceMarkerView::Draw(Surface& frame, const TRect& screen, Where where, int y,
                          std::string_view initials) const
{
    if (where == Where::kOnScreen) {
        DrawPennant(frame, screen, y, initials);
    } else {
        DrawArrow(frame, screen, where, initials);
    }
}

void PaceMarkerView::DrawPennant(Surface& frame, const TRect& screen, int y,
                                 std::string_view initials) const
{
    const long long row = static_cast<long long>(screen.top) + y;
    const long long left = static_cast<long long>(screen.right) - kPennantLength;
    // The ink rings the line above, below and at its tip, so it reads over any backdrop.
    MenuPainter::Fill(frame, Box(left - 1, row - 1, screen.right, row + 2), kInk);
    MenuPainter::Fill(frame, Box(left, row, screen.right, row + 1), kColour);

    // Above the line, or below it where the screen's top edge leaves no room above.
    const long long above = row - 1 - MenuFont::kHeight;
    const long long textTop = above >= screen.top ? above : row + 2;
    const long long textLeft =
        static_cast<long long>(screen.right) - kMargin - MenuFont::Width(initials);
    font_.Draw(frame, Held(textLeft), Held(textTop), initials, kColour);
}

void PaceMarkerView::DrawArrow(Surface& frame, const TRect& screen, Where where,
                               std::string_view initials) const
{
    const bool above = where == Where::kAbove;
    const std::string text =
        std::string(1, above ? MenuFont::kArrowUp : MenuFont::kArrowDown) + std::string(initials);
    const long long x = static_cast<long long>(screen.right) - kMargin - MenuFont::Width(text);
    const long long y = above ? static_cast<long long>(screen.top) + kMargin
                              : static_cast<long long>(screen.bottom) - kMargin - MenuFont::kHeight;
    font_.Draw(frame, Held(x), Held(y), text, kColour);
}

}  // namespace kipkip
