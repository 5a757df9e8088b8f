#include "menu/initialsview.h"

#include <array>
#include <string_view>

namespace kipkip {
namespace {

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;
constexpr int kPanelWidth = 256;  // the help line and a margin either side
constexpr int kMargin = 6;        // inside the panel, above and below
constexpr int kLineGap = 2;
constexpr int kBigScale = 2;
constexpr int kBigAdvance = 20;  // from one big letter's left edge to the next one's
constexpr int kBigHeight = MenuFont::kHeight * kBigScale;
constexpr int kPanelHeight = kMargin + 2 * (MenuFont::kHeight + kLineGap) + MenuFont::kHeight +
                             kBigHeight + MenuFont::kHeight + kLineGap + MenuFont::kHeight +
                             kMargin;
constexpr int kBottomGap = 4;  // between the panel and the frame's bottom edge

}  // namespace

TRect InitialsView::PanelBox()
{
    const int left = (kFrameWidth - kPanelWidth) / 2;
    const int top = kFrameHeight - kBottomGap - kPanelHeight;
    return {left, top, left + kPanelWidth, top + kPanelHeight};
}

std::string InitialsView::PlaceText(std::size_t place)
{
    static constexpr std::array<std::string_view, 3> kFirstSuffixes = {"ST", "ND", "RD"};
    const std::string_view suffix = place < kFirstSuffixes.size() ? kFirstSuffixes[place] : "TH";
    return std::to_string(place + 1) + std::string(suffix) + " PLACE";
}

void InitialsView::BigLetter(Surface& frame, int x, int y, char letter, std::uint32_t colour) const
{
    Surface cell(MenuFont::kAdvance + 1, MenuFont::kHeight, frame.Format());
    font_.Draw(cell, 0, 0, std::string_view(&letter, 1), colour);
    for (int cy = 0; cy < cell.Height(); ++cy) {
        for (int cx = 0; cx < cell.Width(); ++cx) {
            const std::uint32_t value = cell.Pixel(cx, cy);
            if (value == 0) {
                continue;
            }
            for (int dy = 0; dy < kBigScale; ++dy) {
                for (int dx = 0; dx < kBigScale; ++dx) {
                    const long long px = static_cast<long long>(x) + cx * kBigScale + dx;
                    const long long py = static_cast<long long>(y) + cy * kBigScale + dy;
                    if (px >= 0 && py >= 0 && px < frame.Width() && py < frame.Height()) {
                        frame.SetPixel(static_cast<int>(px), static_cast<int>(py), value);
                    }
                }
            }
        }
    }
}

// The up arrow's row at `top`, the letters under it and the down arrow's row under them.
void InitialsView::Letters(Surface& frame, const TRect& box, int top,
                           const InitialsEntry& entry) const
{
    const std::string& initials = entry.Initials();
    const int count = static_cast<int>(initials.size());
    const int bigWidth = (MenuFont::kAdvance + 1) * kBigScale;
    const int lettersLeft = box.left + (kPanelWidth - ((count - 1) * kBigAdvance + bigWidth)) / 2;
    const int lettersTop = top + MenuFont::kHeight;
    for (int i = 0; i < count; ++i) {
        const int x = lettersLeft + i * kBigAdvance;
        const bool chosen = static_cast<std::size_t>(i) == entry.Cursor();
        BigLetter(frame, x, lettersTop, initials[static_cast<std::size_t>(i)],
                  chosen ? MenuPainter::kChosen : MenuPainter::kText);
        if (chosen) {
            const int arrowX = x + (bigWidth - MenuFont::Width("A")) / 2;
            font_.Draw(frame, arrowX, top, std::string(1, MenuFont::kArrowUp),
                       MenuPainter::kCursor);
            font_.Draw(frame, arrowX, lettersTop + kBigHeight, std::string(1, MenuFont::kArrowDown),
                       MenuPainter::kCursor);
        }
    }
}

void InitialsView::Draw(Surface& frame, const InitialsEntry& entry) const
{
    const TRect box = PanelBox();
    MenuPainter::Panel(frame, box);
    int y = box.top + kMargin;
    painter_.CentredText(frame, box, y, "NEW RECORD", MenuPainter::kHeading);
    y += MenuFont::kHeight + kLineGap;
    painter_.CentredText(frame, box, y,
                         PlaceText(entry.Place()) + "  " + std::to_string(entry.Score()) + " M",
                         MenuPainter::kText);
    y += MenuFont::kHeight + kLineGap;

    Letters(frame, box, y, entry);
    y += MenuFont::kHeight + kBigHeight + MenuFont::kHeight + kLineGap;
    painter_.CentredText(frame, box, y, kHelp, MenuPainter::kBevelLight);
}

}  // namespace kipkip
