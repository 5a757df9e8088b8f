// The mark of a record being watched: small, in its corner, the rest of the frame as it was,
// even for the widest record; and the wait before the watched game, over a darkened frame.
#include "menu/replaymarkview.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/panelcheck.h"

namespace kipkip {
namespace {

using test::Rgb565;

constexpr std::uint32_t kBackdrop = 0xFFFF;
constexpr std::uint32_t kQuarterBackdrop = 0x39E7;  // 0xFFFF dimmed twice

class ReplayMarkViewTest : public ::testing::Test {
protected:
    ReplayMarkViewTest() : font(MenuFont::BuiltIn()) { frame.Fill(kBackdrop); }

    std::optional<MenuFont> font;
    Surface frame{320, 240, pixelformats::kRgb565};
};

TEST_F(ReplayMarkViewTest, TheMarkSitsInTheBottomLeftCornerAndLeavesTheRestAlone)
{
    ASSERT_TRUE(font);
    const struct {
        Record record;
        std::string text;
    } cases[] = {
        {{"KIP", 312, 340, 3, 17, "2026-12-11", 100, "a.rec"}, "REPLAY KIP 312 M"},
        {{"ABC", 0, 0, 0, 0, "2026-12-11", 70, "a.rec"}, "REPLAY ABC 0 M"},
        {{"ZZZ", Record::kMaxScore, Record::kMaxHeight, Record::kMaxLevel, Record::kMaxCoins,
          "2026-12-28", 50, "a.rec"},
         "REPLAY ZZZ 456975 M"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplayMarkView::MarkText(c.record), c.text);
        const TRect box = ReplayMarkView::MarkBox(c.record);
        ASSERT_TRUE(test::Inside(box, 320, 240));
        EXPECT_LT(box.right, 160) << "within the left half";
        EXPECT_GT(box.top, 200) << "below the game's counters, in the bottom rows";
        frame.Fill(kBackdrop);
        ReplayMarkView(*font).DrawMark(frame, c.record);
        EXPECT_EQ(test::BrokenEdge(frame, box), "");
        EXPECT_EQ(test::ChangedOutside(frame, box, kBackdrop), 0);
        const TRect face = test::FaceOf(box);
        EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kHeading)),
                  test::LitPixels(*font, "REPLAY", MenuPainter::kHeading));
        EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kText)),
                  test::LitPixels(*font, c.text.substr(6), MenuPainter::kText));
    }
}

TEST_F(ReplayMarkViewTest, TheWaitDarkensTheFrameUnderACentredPanel)
{
    ASSERT_TRUE(font);
    const TRect box = ReplayMarkView::WaitBox();
    ASSERT_TRUE(test::Inside(box, 320, 240));
    EXPECT_EQ(box.left + box.right, 320) << "centred across";
    EXPECT_LE(std::abs(box.top + box.bottom - 240), 1) << "centred down";
    ReplayMarkView(*font).DrawWait(frame);
    EXPECT_EQ(test::BrokenEdge(frame, box), "");
    EXPECT_EQ(test::ChangedOutside(frame, box, kQuarterBackdrop), 0);
    EXPECT_EQ(test::CountIn(frame, test::FaceOf(box), Rgb565(MenuPainter::kChosen)),
              test::LitPixels(*font, ReplayMarkView::kWait, MenuPainter::kChosen));
}

}  // namespace
}  // namespace kipkip
