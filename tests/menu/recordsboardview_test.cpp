// The records screen: each record's row as the player reads it, the widest records a table can
// hold kept inside the panel, the dimmed title around it, the chosen row, an empty table, and
// the help and notice lines.
#include "menu/recordsboardview.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/panelcheck.h"

namespace kipkip {
namespace {

using test::Rgb565;

constexpr std::uint32_t kBackdrop = 0xFFFF;
constexpr std::uint32_t kDimmedBackdrop = 0x7BEF;

Record Widest(std::int32_t level)
{
    return {"ZZZ",        Record::kMaxScore,     Record::kMaxHeight, level, Record::kMaxCoins,
            "2026-12-28", Record::kSlowestSpeed, "game.rec"};
}

TEST(RecordsBoardView, WritesEachRecordAsThePlayerReadsIt)
{
    using Cells = std::array<std::string, RecordsBoardView::kColumns>;
    const struct {
        std::size_t place;
        Record record;
        Cells cells;
    } cases[] = {
        {0,
         {"KIP", 312, 340, 3, 17, "2026-12-11", 100, "a.rec"},
         {"1", "KIP", "312", "340", "4", "17", "2026-12-11", ""}},
        // The level as the game counts it, from 1; the speed only when below full speed.
        {9,
         {"ABC", 0, 0, 0, 0, "2025-01-02", 70, "b.rec"},
         {"10", "ABC", "0", "0", "1", "0", "2025-01-02", "70%"}},
        {4,
         Widest(Record::kMaxLevel),
         {"5", "ZZZ", "456975", "9999999", "100000", "9999999", "2026-12-28", "50%"}},
        {4,
         Widest(Record::kMinLevel),
         {"5", "ZZZ", "456975", "9999999", "-99998", "9999999", "2026-12-28", "50%"}},
        {2,
         {"QRS", 5, 9, -1, 1, "2024-02-29", 90, "c.rec"},
         {"3", "QRS", "5", "9", "0", "1", "2024-02-29", "90%"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecordsBoardView::Cells(c.place, c.record), c.cells) << c.record.initials;
    }
}

TEST(RecordsBoardView, EachColumnHoldsItsWidestValueAndHeadingApartFromItsNeighbours)
{
    const auto spans = RecordsBoardView::ColumnSpans();
    const TRect face = test::FaceOf(RecordsBoardView::PanelBox());
    const std::array<std::string, RecordsBoardView::kColumns> headings = {
        "#", "NAME", "HEIGHT", "BEST", "LV", "COINS", "DATE", "%"};
    for (std::int32_t level : {Record::kMaxLevel, Record::kMinLevel}) {
        const auto widest = RecordsBoardView::Cells(RecordsTable::kMaxRecords - 1, Widest(level));
        for (std::size_t i = 0; i < spans.size(); ++i) {
            SCOPED_TRACE(headings[i]);
            const int width = spans[i].right - spans[i].left;
            EXPECT_LE(MenuFont::Width(widest[i]), width) << widest[i];
            EXPECT_LE(MenuFont::Width(headings[i]), width);
            if (i > 0) {
                // Two boxes this far apart leave a clear column between the rings of their
                // letters, however the values line up.
                EXPECT_GE(spans[i].left - spans[i - 1].right, 3) << "after " << headings[i - 1];
            }
        }
    }
    EXPECT_GE(spans.front().left, face.left + 1);
    EXPECT_LE(spans.back().right, face.right - 1);
}

class RecordsBoardViewTest : public ::testing::Test {
protected:
    RecordsBoardViewTest() : font(MenuFont::BuiltIn()) { frame.Fill(kBackdrop); }

    // The top and bottom rows holding pixels of `colour` on the panel's face.
    std::pair<int, int> RowsOf(std::uint32_t colour) const
    {
        const TRect face = test::FaceOf(RecordsBoardView::PanelBox());
        int first = -1;
        int last = -1;
        for (int y = face.top; y < face.bottom; ++y) {
            if (test::CountIn(frame, {face.left, y, face.right, y + 1}, Rgb565(colour)) > 0) {
                first = first < 0 ? y : first;
                last = y;
            }
        }
        return {first, last};
    }

    std::optional<MenuFont> font;
    Surface frame{320, 240, pixelformats::kRgb565};
};

TEST_F(RecordsBoardViewTest, AFullTableOfTheWidestRecordsStaysInsideThePanel)
{
    ASSERT_TRUE(font);
    const TRect box = RecordsBoardView::PanelBox();
    ASSERT_TRUE(test::Inside(box, 320, 240));
    RecordsTable table;
    for (std::size_t i = 0; i < RecordsTable::kMaxRecords; ++i) {
        ASSERT_FALSE(table.Insert(Widest(i % 2 == 0 ? Record::kMaxLevel : Record::kMinLevel)));
    }
    for (std::size_t cursor : {std::size_t{0}, RecordsTable::kMaxRecords - 1}) {
        SCOPED_TRACE(cursor);
        RecordsBoard board(table);
        for (std::size_t i = 0; i < cursor; ++i) {
            board.Handle(MenuCommand::Down);
        }
        board.SetNotice(std::string(80, 'W'));  // far wider than the frame
        frame.Fill(kBackdrop);
        RecordsBoardView(*font).Draw(frame, board);
        EXPECT_EQ(test::BrokenEdge(frame, box), "");
        EXPECT_EQ(test::ChangedOutside(frame, box, kDimmedBackdrop), 0)
            << "the title dimmed around the panel, nothing drawn over it";
    }
}

TEST_F(RecordsBoardViewTest, TheChosenRowIsYellowAndFollowsTheCursor)
{
    ASSERT_TRUE(font);
    RecordsTable table;
    for (int i = 0; i < 4; ++i) {
        ASSERT_FALSE(table.Insert({"KIP", 400 - i, 400 - i, 1, 3, "2026-12-11", 100, "k.rec"}));
    }
    RecordsBoard board(table);
    int before = -1;
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        frame.Fill(kBackdrop);
        RecordsBoardView(*font).Draw(frame, board);
        const auto [top, bottom] = RowsOf(MenuPainter::kChosen);
        EXPECT_LE(bottom - top, MenuFont::kHeight) << "one row in yellow";
        if (row > 0) {
            EXPECT_EQ(top - before, 13) << "a row further down each step";
        }
        const auto [barTop, barBottom] = RowsOf(MenuPainter::kBevelShade);
        EXPECT_LT(barTop, top) << "the bar behind the chosen row";
        EXPECT_GT(barBottom, bottom);
        before = top;
        board.Handle(MenuCommand::Down);
    }
}

TEST_F(RecordsBoardViewTest, ShowsTheRowsTheHelpTheNoticeAndAnEmptyTable)
{
    ASSERT_TRUE(font);
    RecordsTable one;
    const Record kip{"KIP", 40, 52, 0, 3, "2026-12-11", 100, "k.rec"};
    ASSERT_FALSE(one.Insert(kip));
    int row = 0;  // the only row, under the cursor: in yellow
    for (const std::string& cell : RecordsBoardView::Cells(0, kip)) {
        row += test::LitPixels(*font, cell, MenuPainter::kChosen);
    }
    const std::string notice = "THAT RECORDING IS MISSING";
    const int noticed = test::LitPixels(*font, notice, MenuPainter::kChosen);
    const int none = test::LitPixels(*font, RecordsBoardView::kEmpty, MenuPainter::kText);
    const int title = test::LitPixels(*font, "RECORDS", MenuPainter::kHeading);
    int columns = 0;  // the column headings, shown only over records
    for (const char* heading : {"#", "NAME", "HEIGHT", "BEST", "LV", "COINS", "DATE", "%"}) {
        columns += test::LitPixels(*font, heading, MenuPainter::kHeading);
    }
    const struct {
        const RecordsTable& table;
        std::string notice;
        std::string_view help;
        int text;  // the pixels in the text's colour
        int yellow;
        int headings;
    } cases[] = {
        {one, "", RecordsBoardView::kHelp, 0, row, title + columns},
        {one, notice, RecordsBoardView::kHelp, 0, row + noticed, title + columns},
        {RecordsTable{}, "", RecordsBoardView::kEmptyHelp, none, 0, title},
        {RecordsTable{}, notice, RecordsBoardView::kEmptyHelp, none, noticed, title},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.help) + " / " + c.notice);
        RecordsBoard board(c.table);
        board.SetNotice(c.notice);
        frame.Fill(kBackdrop);
        RecordsBoardView(*font).Draw(frame, board);
        const TRect face = test::FaceOf(RecordsBoardView::PanelBox());
        EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kBevelLight)),
                  test::LitPixels(*font, c.help, MenuPainter::kBevelLight));
        EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kText)), c.text);
        EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kChosen)), c.yellow);
        EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kHeading)), c.headings);
    }
}

}  // namespace
}  // namespace kipkip
