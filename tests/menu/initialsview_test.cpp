// The entry of a new record's initials on the game-over frame: the frame left as it is around a
// panel that holds even the widest place, height and letters, the letter under the cursor in
// yellow, and the help line.
#include "menu/initialsview.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/panelcheck.h"

namespace kipkip {
namespace {

using test::Rgb565;

constexpr std::uint32_t kBackdrop = 0x4A69;  // a mid grey the view never draws

TEST(InitialsView, NamesEachPlaceAsItIsSaid)
{
    const struct {
        std::size_t place;
        std::string text;
    } cases[] = {
        {0, "1ST PLACE"}, {1, "2ND PLACE"}, {2, "3RD PLACE"}, {3, "4TH PLACE"}, {9, "10TH PLACE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InitialsView::PlaceText(c.place), c.text) << c.place;
    }
}

class InitialsViewTest : public ::testing::Test {
protected:
    InitialsViewTest() : font(MenuFont::BuiltIn()) { frame.Fill(kBackdrop); }

    // The mean column of the pixels of `colour` on the panel's face, or -1 when it has none.
    double MeanColumn(std::uint32_t colour) const
    {
        const TRect face = test::FaceOf(InitialsView::PanelBox());
        long long sum = 0;
        int count = 0;
        for (int y = face.top; y < face.bottom; ++y) {
            for (int x = face.left; x < face.right; ++x) {
                if (frame.Pixel(x, y) == Rgb565(colour)) {
                    sum += x;
                    ++count;
                }
            }
        }
        return count == 0 ? -1.0 : static_cast<double>(sum) / count;
    }

    std::optional<MenuFont> font;
    Surface frame{320, 240, pixelformats::kRgb565};
};

TEST_F(InitialsViewTest, TheWidestEntryStaysInsideItsPanelAndTheFrameAroundIsUntouched)
{
    ASSERT_TRUE(font);
    const TRect box = InitialsView::PanelBox();
    ASSERT_TRUE(test::Inside(box, 320, 240));
    const struct {
        const char* initials;
        std::size_t place;
        std::int32_t score;
        int rights;  // cursor moves
    } cases[] = {
        {"WMW", 9, 9'999'999, 0},
        {"ZZZ", 9, 9'999'999, 2},
        {"MWM", 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.initials);
        frame.Fill(kBackdrop);
        InitialsEntry entry(c.initials, c.place, c.score);
        for (int i = 0; i < c.rights; ++i) {
            entry.Handle(MenuCommand::Right);
        }
        InitialsView(*font).Draw(frame, entry);
        EXPECT_EQ(test::BrokenEdge(frame, box), "");
        EXPECT_EQ(test::ChangedOutside(frame, box, kBackdrop), 0) << "the frame is not dimmed";
    }
}

TEST_F(InitialsViewTest, TheLetterUnderTheCursorIsYellowBetweenItsArrows)
{
    ASSERT_TRUE(font);
    const std::string initials = "KIP";
    const int arrows =
        test::LitPixels(*font, std::string(1, MenuFont::kArrowUp), MenuPainter::kCursor) +
        test::LitPixels(*font, std::string(1, MenuFont::kArrowDown), MenuPainter::kCursor);
    double before = -1.0;
    for (std::size_t cursor = 0; cursor < initials.size(); ++cursor) {
        SCOPED_TRACE(cursor);
        frame.Fill(kBackdrop);
        InitialsEntry entry(initials, 0, 100);
        for (std::size_t i = 0; i < cursor; ++i) {
            entry.Handle(MenuCommand::Right);
        }
        InitialsView(*font).Draw(frame, entry);
        // The letter at twice the size (four pixels for each of the font's) and both arrows.
        const int letter = test::LitPixels(*font, initials.substr(cursor, 1), MenuPainter::kChosen);
        EXPECT_EQ(test::CountIn(frame, test::FaceOf(InitialsView::PanelBox()),
                                Rgb565(MenuPainter::kChosen)),
                  4 * letter + arrows);
        const double yellow = MeanColumn(MenuPainter::kChosen);
        EXPECT_GT(yellow, before) << "further right with each step of the cursor";
        before = yellow;
    }
}

TEST_F(InitialsViewTest, ShowsTheHeadingAndTheHelpLine)
{
    ASSERT_TRUE(font);
    InitialsView(*font).Draw(frame, InitialsEntry("KIP", 2, 1234));
    const TRect face = test::FaceOf(InitialsView::PanelBox());
    EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kHeading)),
              test::LitPixels(*font, "NEW RECORD", MenuPainter::kHeading));
    EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kBevelLight)),
              test::LitPixels(*font, InitialsView::kHelp, MenuPainter::kBevelLight));
    EXPECT_EQ(test::CountIn(frame, face, Rgb565(MenuPainter::kText)),
              test::LitPixels(*font, "3RD PLACE  1234 M", MenuPainter::kText) +
                  4 * (test::LitPixels(*font, "I", MenuPainter::kText) +
                       test::LitPixels(*font, "P", MenuPainter::kText)))
        << "the place and height, and the two letters off the cursor at twice the size";
}

}  // namespace
}  // namespace kipkip
