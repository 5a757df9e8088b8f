#include "menu/menupainter.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "menu/pixelcolour.h"
#include "platform/framedim.h"

namespace kipkip {

namespace {

// The rectangle (left, top)-(right, bottom), right and bottom exclusive, cut to the surface.
void FillClipped(Surface& surface, long long left, long long top, long long right, long long bottom,
                 std::uint32_t value)
{
    const long long x0 = std::max(left, 0LL);
    const long long y0 = std::max(top, 0LL);
    const long long x1 = std::min(right, static_cast<long long>(surface.Width()));
    const long long y1 = std::min(bottom, static_cast<long long>(surface.Height()));
    for (long long y = y0; y < y1; ++y) {
        for (long long x = x0; x < x1; ++x) {
            surface.SetPixel(static_cast<int>(x), static_cast<int>(y), value);
        }
    }
}

}  // namespace

void MenuPainter::Dim(Surface& surface)
{
    if (surface.Empty()) {
        return;
    }
    std::vector<std::uint8_t> dimmed;
    DimFrame(surface.View(), dimmed);
    std::memcpy(surface.Row(0), dimmed.data(), dimmed.size());
}

void MenuPainter::Fill(Surface& surface, const TRect& box, std::uint32_t colour)
{
    FillClipped(surface, box.left, box.top, box.right, box.bottom,
                PixelColour(surface.Format(), colour));
}

void MenuPainter::Panel(Surface& surface, const TRect& box)
{
    const PixelFormat& format = surface.Format();
    const long long l = box.left;
    const long long t = box.top;
    const long long r = box.right;
    const long long b = box.bottom;
    FillClipped(surface, l, t, r, b, PixelColour(format, kOutline));
    FillClipped(surface, l + 1, t + 1, r - 1, b - 1, PixelColour(format, kBevelShade));
    FillClipped(surface, l + 1, t + 1, r - 2, b - 2, PixelColour(format, kBevelLight));
    FillClipped(surface, l + 2, t + 2, r - 2, b - 2, PixelColour(format, kFace));
}

void MenuPainter::Cursor(Surface& surface, int x, int y) const
{
    const char pointer[] = {MenuFont::kPointer};
    font_.Draw(surface, x, y, std::string_view(pointer, 1), kCursor);
}

void MenuPainter::CentredText(Surface& surface, const TRect& box, int y, std::string_view text,
                              std::uint32_t colour) const
{
    const long long span = static_cast<long long>(box.right) - box.left;
    const long long x = box.left + (span - MenuFont::Width(text)) / 2;
    font_.Draw(surface,
               static_cast<int>(std::clamp<long long>(x, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max())),
               y, text, colour);
}

}  // namespace kipkip
