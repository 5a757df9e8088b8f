#include "menu/menufont.h"

#include <utility>

#include "menu/indexedbitmap.h"
#include "menu/pixelcolour.h"
#include "platform/resources.h"

namespace kipkip {

namespace {

constexpr int kCellWidth = 7;
constexpr int kCellHeight = 9;
constexpr int kCellsPerRow = 16;
constexpr int kFirstCode = 32;  // space
constexpr int kLastCode = 95;   // underscore
constexpr int kFirstArrowCell = kLastCode - kFirstCode + 1;
constexpr int kPointerCell = kFirstArrowCell + 4;
constexpr int kCellCount = kPointerCell + 1;
constexpr std::uint8_t kRingIndex = 1;  // the palette's ink

// The glyph's cell, or -1 when the font has none.
int CellOf(char c)
{
    const int code = static_cast<unsigned char>(c);
    if (code >= 'a' && code <= 'z') {
        return code - ('a' - 'A') - kFirstCode;
    }
    if (code >= kFirstCode && code <= kLastCode) {
        return code - kFirstCode;
    }
    if (code == MenuFont::kPointer) {
        return kPointerCell;
    }
    if (code >= MenuFont::kArrowLeft && code <= MenuFont::kArrowDown) {
        return kFirstArrowCell + (code - MenuFont::kArrowLeft);
    }
    return -1;
}

}  // namespace

std::optional<MenuFont> MenuFont::BuiltIn()
{
    auto bytes = FindResource("BITMAP", "MENUFONT");
    return bytes ? FromBitmap(*bytes) : std::nullopt;
}

std::optional<MenuFont> MenuFont::FromBitmap(std::span<const std::uint8_t> bytes)
{
    auto sheet = IndexedBitmap::Read(bytes);
    const int rowsNeeded = (kCellCount + kCellsPerRow - 1) / kCellsPerRow;
    if (!sheet || sheet->Width() < kCellsPerRow * kCellWidth ||
        sheet->Height() < rowsNeeded * kCellHeight) {
        return std::nullopt;
    }
    std::vector<Dot> dots;
    dots.reserve(kCellCount * kCellWidth * kCellHeight);
    for (int cell = 0; cell < kCellCount; ++cell) {
        const int left = (cell % kCellsPerRow) * kCellWidth;
        const int top = (cell / kCellsPerRow) * kCellHeight;
        for (int y = 0; y < kCellHeight; ++y) {
            for (int x = 0; x < kCellWidth; ++x) {
                const std::uint8_t index = sheet->At(left + x, top + y);
                dots.push_back(index == 0 ? Dot::None : index == kRingIndex ? Dot::Ring : Dot::Lit);
            }
        }
    }
    return MenuFont(std::move(dots));
}

bool MenuFont::CanDraw(char c)
{
    return CellOf(c) >= 0;
}

int MenuFont::Width(std::string_view text)
{
    int glyphs = 0;
    for (char c : text) {
        glyphs += CanDraw(c) ? 1 : 0;
    }
    return glyphs == 0 ? 0 : glyphs * kAdvance + (kCellWidth - kAdvance);
}

void MenuFont::Draw(Surface& surface, int x, int y, std::string_view text,
                    std::uint32_t colour) const
{
    const std::uint32_t ring = PixelColour(surface.Format(), kRingColour);
    const std::uint32_t lit = PixelColour(surface.Format(), colour);
    // Every ring before any letter, so that a ring can never cover a neighbour's lit pixel.
    for (Dot dot : {Dot::Ring, Dot::Lit}) {
        long long left = x;
        for (char c : text) {
            const int cell = CellOf(c);
            if (cell < 0) {
                continue;
            }
            DrawGlyph(surface, left, y, cell, dot, dot == Dot::Ring ? ring : lit);
            left += kAdvance;
        }
    }
}

void MenuFont::DrawGlyph(Surface& surface, long long x, long long y, int cell, Dot dot,
                         std::uint32_t value) const
{
    const Dot* dots = dots_.data() + static_cast<std::size_t>(cell) * kCellWidth * kCellHeight;
    for (int row = 0; row < kCellHeight; ++row) {
        const long long py = y + row;
        if (py < 0 || py >= surface.Height()) {
            continue;
        }
        for (int column = 0; column < kCellWidth; ++column) {
            const long long px = x + column;
            if (dots[row * kCellWidth + column] == dot && px >= 0 && px < surface.Width()) {
                surface.SetPixel(static_cast<int>(px), static_cast<int>(py), value);
            }
        }
    }
}

}  // namespace kipkip
