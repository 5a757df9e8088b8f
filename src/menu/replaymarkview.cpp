#include "menu/replaymarkview.h"

namespace kipkip {
namespace {

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;
constexpr int kCornerGap = 2;  // between the mark and the frame's edges
constexpr int kPadding = 4;    // around the text, inside the panel
constexpr std::string_view kReplay = "REPLAY";
constexpr int kWaitWidth = 120;
constexpr int kWaitHeight = 2 * kPadding + MenuFont::kHeight + 8;

}  // namespace

std::string ReplayMarkView::MarkText(const Record& record)
{
    return std::string(kReplay) + " " + record.initials + " " + std::to_string(record.score) + " M";
}

TRect ReplayMarkView::MarkBox(const Record& record)
{
    const int width = MenuFont::Width(MarkText(record)) + 2 * kPadding;
    const int height = MenuFont::kHeight + 2 * kPadding;
    const int bottom = kFrameHeight - kCornerGap;
    return {kCornerGap, bottom - height, kCornerGap + width, bottom};
}

TRect ReplayMarkView::WaitBox()
{
    const int left = (kFrameWidth - kWaitWidth) / 2;
    const int top = (kFrameHeight - kWaitHeight) / 2;
    return {left, top, left + kWaitWidth, top + kWaitHeight};
}

void ReplayMarkView::DrawMark(Surface& frame, const Record& record) const
{
    const TRect box = MarkBox(record);
    MenuPainter::Panel(frame, box);
    const int x = box.left + kPadding;
    const int y = box.top + kPadding;
    font_.Draw(frame, x, y, kReplay, MenuPainter::kHeading);
    const std::string rest = MarkText(record).substr(kReplay.size());
    font_.Draw(frame, x + static_cast<int>(kReplay.size()) * MenuFont::kAdvance, y, rest,
               MenuPainter::kText);
}

// Twice dimmed: a quarter of the light, so the games running unseen read as a backdrop only.
void ReplayMarkView::DrawWait(Surface& frame) const
{
    MenuPainter::Dim(frame);
    MenuPainter::Dim(frame);
    const TRect box = WaitBox();
    MenuPainter::Panel(frame, box);
    painter_.CentredText(frame, box, (box.top + box.bottom - MenuFont::kHeight) / 2, kWait,
                         MenuPainter::kChosen);
}

}  // namespace kipkip
