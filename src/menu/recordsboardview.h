// menu/recordsboardview.h
// The records screen drawn over the dimmed title: a panel nearly as large as the frame with the
// heading "RECORDS", a row of column headings and one row a record: its place, initials,
// height at the end (the score), best height, level (counted from 1, as the game shows it),
// coins, date, and the game speed when it was played below full speed. The row under the cursor
// is drawn in yellow on a bar; an empty table says so, without the column headings. A notice line
// (when the board has one) and a line of help close the panel. The columns are as wide as the
// widest values a record can hold, so no record runs into its neighbour's column or out of the
// panel; 320 pixels leave a few between columns.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "device/kivdraw.h"
#include "device/surface.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"
#include "menu/recordsboard.h"
#include "records/record.h"

namespace kipkip {

class RecordsBoardView {
public:
    static constexpr std::size_t kColumns = 8;
    static constexpr std::string_view kHelp = "JUMP WATCH  B/ESC BACK";
    static constexpr std::string_view kEmptyHelp = "B/ESC BACK";
    static constexpr std::string_view kEmpty = "NO RECORDS YET";

    // The font must outlive the view.
    explicit RecordsBoardView(const MenuFont& font) : font_(font), painter_(font) {}

    // Where a column stands across the frame (right exclusive).
    struct Span {
        int left = 0;
        int right = 0;
    };

    // Where the panel stands on the 320x240 frame (right and bottom exclusive).
    static TRect PanelBox();
    // The columns, as wide as the widest value a record can hold and their heading.
    static std::array<Span, kColumns> ColumnSpans();
    // A record's row as the board writes it, column by column; `place` is 0 for the best.
    static std::array<std::string, kColumns> Cells(std::size_t place, const Record& record);

    void Draw(Surface& frame, const RecordsBoard& board) const;

private:
    void DrawRecords(Surface& frame, int top, const RecordsBoard& board) const;
    void DrawRow(Surface& frame, int y, const std::array<std::string, kColumns>& cells,
                 std::uint32_t colour) const;

    const MenuFont& font_;
    MenuPainter painter_;
};

}  // namespace kipkip
