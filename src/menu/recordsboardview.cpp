#include "menu/recordsboardview.h"

#include <algorithm>
#include <span>

#include "records/recordstable.h"

namespace kipkip {
namespace {

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;
constexpr int kPanelWidth = 318;  // the frame but a pixel either side
constexpr int kMargin = 6;        // inside the panel's bevel, above and below
constexpr int kSideMargin = 3;    // inside the bevel, left and right: the columns need the room
constexpr int kBevel = 2;
constexpr int kHeadingGap = 5;
constexpr int kRowHeight = 13;
constexpr int kColumnsGap = 3;  // between the column headings and the first row
constexpr int kLineGap = 2;
constexpr int kPanelHeight = kMargin + MenuFont::kHeight + kHeadingGap + MenuFont::kHeight +
                             kColumnsGap +
                             static_cast<int>(RecordsTable::kMaxRecords) * kRowHeight + kLineGap +
                             MenuFont::kHeight + kLineGap + MenuFont::kHeight + kMargin;

struct Column {
    std::string_view heading;
    std::size_t widest;  // characters of the widest value a record can hold
    bool right;          // numbers line up on the right, words on the left
};

std::size_t Digits(long long value)
{
    return std::to_string(value).size();
}

std::array<Column, RecordsBoardView::kColumns> Columns()
{
    return {{
        {"#", Digits(RecordsTable::kMaxRecords), true},
        {"NAME", Record::kInitialsLength, false},
        {"HEIGHT", Digits(Record::kMaxScore), true},
        {"BEST", Digits(Record::kMaxHeight), true},
        {"LV", std::max(Digits(Record::kMaxLevel + 1LL), Digits(Record::kMinLevel + 1LL)), true},
        {"COINS", Digits(Record::kMaxCoins), true},
        {"DATE", std::string_view("YYYY-MM-DD").size(), false},
        {"%", Digits(Record::kSlowestSpeed) + 1, true},
    }};
}

int WidthOf(const Column& column)
{
    return std::max(MenuFont::Width(column.heading),
                    MenuFont::Width(std::string(column.widest, '0')));
}

}  // namespace

TRect RecordsBoardView::PanelBox()
{
    const int left = (kFrameWidth - kPanelWidth) / 2;
    const int top = (kFrameHeight - kPanelHeight) / 2;
    return {left, top, left + kPanelWidth, top + kPanelHeight};
}

// The room the columns leave is shared out between them.
std::array<RecordsBoardView::Span, RecordsBoardView::kColumns> RecordsBoardView::ColumnSpans()
{
    const TRect box = PanelBox();
    const int left = box.left + kBevel + kSideMargin;
    const int right = box.right - kBevel - kSideMargin;
    const std::array<Column, kColumns> columns = Columns();
    int total = 0;
    for (const Column& column : columns) {
        total += WidthOf(column);
    }
    const int gap = (right - left - total) / static_cast<int>(kColumns - 1);
    std::array<Span, kColumns> spans;
    int x = left;
    for (std::size_t i = 0; i < kColumns; ++i) {
        spans[i] = {x, x + WidthOf(columns[i])};
        x = spans[i].right + gap;
    }
    return spans;
}

std::array<std::string, RecordsBoardView::kColumns> RecordsBoardView::Cells(std::size_t place,
                                                                            const Record& record)
{
    const std::string speed =
        record.speed < Record::kFullSpeed ? std::to_string(record.speed) + "%" : "";
    return {std::to_string(place + 1),
            record.initials,
            std::to_string(record.score),
            std::to_string(record.best),
            std::to_string(static_cast<long long>(record.level) + 1),
            std::to_string(record.coins),
            record.date,
            speed};
}

void RecordsBoardView::DrawRow(Surface& frame, int y,
                               const std::array<std::string, kColumns>& cells,
                               std::uint32_t colour) const
{
    const std::array<Span, kColumns> spans = ColumnSpans();
    const std::array<Column, kColumns> columns = Columns();
    for (std::size_t i = 0; i < kColumns; ++i) {
        const int x = columns[i].right ? spans[i].right - MenuFont::Width(cells[i]) : spans[i].left;
        font_.Draw(frame, x, y, cells[i], colour);
    }
}

// The column headings at `top` and a row a record under them, or the word that there are none.
void RecordsBoardView::DrawRecords(Surface& frame, int top, const RecordsBoard& board) const
{
    const std::span<const Record> records = board.Table().Records();
    const int rowsTop = top + MenuFont::kHeight + kColumnsGap;
    if (records.empty()) {
        const int middle = (static_cast<int>(RecordsTable::kMaxRecords) * kRowHeight) / 2;
        painter_.CentredText(frame, PanelBox(), rowsTop + middle - MenuFont::kHeight / 2, kEmpty,
                             MenuPainter::kText);
        return;
    }
    std::array<std::string, kColumns> headings;
    const std::array<Column, kColumns> columns = Columns();
    std::transform(columns.begin(), columns.end(), headings.begin(),
                   [](const Column& column) { return std::string(column.heading); });
    DrawRow(frame, top, headings, MenuPainter::kHeading);
    const TRect box = PanelBox();
    // Only the rows a table can hold: a longer one would run out of the panel.
    const std::size_t shown = std::min(records.size(), RecordsTable::kMaxRecords);
    int y = rowsTop;
    for (std::size_t i = 0; i < shown; ++i, y += kRowHeight) {
        const bool chosen = i == board.Cursor();
        if (chosen) {
            MenuPainter::Fill(frame,
                              {box.left + kBevel, y - 2, box.right - kBevel, y - 2 + kRowHeight},
                              MenuPainter::kBevelShade);
        }
        DrawRow(frame, y, Cells(i, records[i]), chosen ? MenuPainter::kChosen : MenuPainter::kText);
    }
}

void RecordsBoardView::Draw(Surface& frame, const RecordsBoard& board) const
{
    MenuPainter::Dim(frame);
    const TRect box = PanelBox();
    MenuPainter::Panel(frame, box);
    int y = box.top + kMargin;
    painter_.CentredText(frame, box, y, "RECORDS", MenuPainter::kHeading);
    y += MenuFont::kHeight + kHeadingGap;
    DrawRecords(frame, y, board);
    y += MenuFont::kHeight + kColumnsGap +
         static_cast<int>(RecordsTable::kMaxRecords) * kRowHeight + kLineGap;
    // A notice longer than the panel is cut rather than run over its edges.
    std::string notice = board.Notice();
    const int room = box.right - box.left - 2 * (kBevel + kSideMargin);
    while (MenuFont::Width(notice) > room) {
        notice.pop_back();
    }
    painter_.CentredText(frame, box, y, notice, MenuPainter::kChosen);
    y += MenuFont::kHeight + kLineGap;
    painter_.CentredText(frame, box, y, board.Table().Empty() ? kEmptyHelp : kHelp,
                         MenuPainter::kBevelLight);
}

}  // namespace kipkip
