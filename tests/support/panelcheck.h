// tests/support/panelcheck.h
// Checks of a screen drawn in the menu's style on a 5-6-5 frame: whether its panel's frame of
// outline and bevel is whole (no text ran over it), whether what lies outside the panel is as
// it was, and how many pixels of a colour a region or a lone line of text holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "device/kivdraw.h"
#include "device/surface.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"
#include "menu/pixelcolour.h"
#include "platform/pixelformats.h"

namespace kipkip::test {

inline std::uint32_t Rgb565(std::uint32_t rgb)
{
    return PixelColour(pixelformats::kRgb565, rgb);
}

// Pixels of `value` in the rectangle (right and bottom exclusive).
inline int CountIn(const Surface& frame, const TRect& box, std::uint32_t value)
{
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            count += frame.Pixel(x, y) == value ? 1 : 0;
        }
    }
    return count;
}

// The pixels of `colour` a line of text has, drawn alone.
inline int LitPixels(const MenuFont& font, std::string_view text, std::uint32_t colour)
{
    Surface alone(MenuFont::Width(text) + 2, MenuFont::kHeight, pixelformats::kRgb565);
    font.Draw(alone, 0, 0, text, colour);
    return CountIn(alone, {0, 0, alone.Width(), alone.Height()}, Rgb565(colour));
}

// The panel's face: inside its outline and bevel.
inline TRect FaceOf(const TRect& box)
{
    return {box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
}

// The first place where the panel's outline or bevel is not as MenuPainter::Panel draws it,
// or empty when both are whole.
inline std::string BrokenEdge(const Surface& frame, const TRect& box)
{
    const std::uint32_t outline = Rgb565(MenuPainter::kOutline);
    const std::uint32_t light = Rgb565(MenuPainter::kBevelLight);
    const std::uint32_t shade = Rgb565(MenuPainter::kBevelShade);
    const auto at = [](const char* what, int x, int y) {
        return std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y);
    };
    for (int y = box.top; y < box.bottom; ++y) {
        if (frame.Pixel(box.left, y) != outline || frame.Pixel(box.right - 1, y) != outline) {
            return at("outline column", box.left, y);
        }
    }
    for (int x = box.left; x < box.right; ++x) {
        if (frame.Pixel(x, box.top) != outline || frame.Pixel(x, box.bottom - 1) != outline) {
            return at("outline row", x, box.top);
        }
    }
    for (int y = box.top + 2; y < box.bottom - 2; ++y) {
        if (frame.Pixel(box.left + 1, y) != light || frame.Pixel(box.right - 2, y) != shade) {
            return at("bevel column", box.left + 1, y);
        }
    }
    for (int x = box.left + 2; x < box.right - 2; ++x) {
        if (frame.Pixel(x, box.top + 1) != light || frame.Pixel(x, box.bottom - 2) != shade) {
            return at("bevel row", x, box.top + 1);
        }
    }
    return {};
}

// Pixels outside the panel that are not `value`.
inline int ChangedOutside(const Surface& frame, const TRect& box, std::uint32_t value)
{
    int changed = 0;
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            changed += !inside && frame.Pixel(x, y) != value ? 1 : 0;
        }
    }
    return changed;
}

// Whether the rectangle lies wholly on a frame of that size.
inline bool Inside(const TRect& box, int width, int height)
{
    return box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height &&
           box.left < box.right && box.top < box.bottom;
}

}  // namespace kipkip::test
