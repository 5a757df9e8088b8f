// The pace screen over a real game run headless: during play the frame passed on carries the
// record's marker at the row of the record's height at that tick of the game; otherwise, and
// always for the game's own frame, the frames pass as they are.
#include "app/pacescreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "device/soundmixer.h"
#include "game/toykipkip.h"
#include "menu/pixelcolour.h"
#include "platform/fatalcapture.h"
#include "platform/pixelformats.h"
#include "platform/silentmidiout.h"
#include "support/fakeports.h"
#include "support/sizedbitmaps.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

using Where = PaceMarkerView::Where;

std::vector<std::uint8_t> Bytes(const Surface& frame)
{
    return {frame.Row(0), frame.Row(0) + static_cast<std::size_t>(frame.Pitch()) * frame.Height()};
}

Pace Climb(std::initializer_list<std::int32_t> heights)
{
    Pace pace;
    for (std::int32_t height : heights) {
        pace.Add(height);
    }
    return pace;
}

struct PaceScreenTest : testing::Test {
    test::TempDir dir;
    test::ScopedCurrentPath inside{dir.Path()};
    FatalCapture fatal;
    test::FakeVideo next;
    const MenuFont font = MenuFont::BuiltIn().value();
    std::optional<std::uint64_t> gameTick = 0;
    PaceScreen screen{next, font, [this] { return gameTick; }};
    test::SizedBitmaps bitmaps;
    test::FakeFont fonts;
    test::FakeInput input;
    test::FakeTimer timer;
    SoundMixer mixer;
    SilentMidiOut midiOut;
    TMainForm form{{screen, bitmaps, fonts, input, timer, mixer, midiOut, true}};
    Pace pace = Climb({0, 0, 1, 1, 2, 3, 4, -1, -2});

    PaceScreenTest() { screen.Watch(form); }

    TGameMainMode& Mode() { return *form.MainMode(); }
    const Surface& Game() { return form.Draw().WorkSurface(); }
    std::uint32_t Colour(std::uint32_t rgb) { return PixelColour(Game().Format(), rgb); }

    void Tick(bool button = false)
    {
        input.keyboard.fill(0);
        input.keyboard[TMainForm::kDefaultKeys.Button1] = button ? 0x80 : 0;
        timer.Expire();
    }
    // From start-up to the hero standing on the first floor with the view following him.
    void StartPlaying()
    {
        for (int i = 0; i < 20 && (!form.MainMode() || Mode().scene != TGameMainMode::kPlay); ++i) {
            Tick(i % 2 == 1);
        }
        Tick();
        Tick();
        ASSERT_EQ(Mode().scene, TGameMainMode::kPlay);
        ASSERT_EQ(Mode().state, TGameMainMode::kClimbing);
        ASSERT_EQ(Mode().Hero()->screenY, 180) << "his feet on the screen";
    }
    // The frame passed on differs from the game's only inside `box`, and does there.
    void ExpectChangedOnlyIn(const TRect& box)
    {
        const Surface& shown = screen.Shown();
        ASSERT_EQ(next.last, Bytes(shown)) << "Shown() is what was passed on";
        int changed = 0;
        for (int y = 0; y < shown.Height(); ++y) {
            for (int x = 0; x < shown.Width(); ++x) {
                if (shown.Pixel(x, y) == Game().Pixel(x, y)) {
                    continue;
                }
                ++changed;
                const bool inside =
                    x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                ASSERT_TRUE(inside) << "changed at " << x << "," << y;
            }
        }
        EXPECT_GT(changed, 0);
    }
};

TEST_F(PaceScreenTest, MarksTheRowOfTheRecordsHeightAtTheTickOfTheGame)
{
    StartPlaying();
    screen.Follow(&pace, "KIP");
    // The hero stands at 0 m with his feet on row 180; a metre is 48 rows.
    const struct {
        std::uint64_t tick;
        int row;
    } cases[] = {{0, 180}, {1, 180}, {2, 132}, {4, 84}, {5, 36}, {7, 228}};
    for (const auto& c : cases) {
        SCOPED_TRACE("tick " + std::to_string(c.tick));
        gameTick = c.tick;
        const int presents = next.presents;
        form.FormPaint();
        ASSERT_EQ(next.presents, presents + 1);
        const Surface& shown = screen.Shown();
        EXPECT_EQ(shown.Pixel(319, c.row), Colour(PaceMarkerView::kColour));
        EXPECT_EQ(shown.Pixel(320 - PaceMarkerView::kPennantLength, c.row),
                  Colour(PaceMarkerView::kColour));
        EXPECT_EQ(shown.Pixel(319, c.row - 1), Colour(PaceMarkerView::kInk));
        EXPECT_EQ(shown.Pixel(319, c.row + 1), Colour(PaceMarkerView::kInk));
        ExpectChangedOnlyIn({320 - PaceMarkerView::kPennantLength - 1, c.row - 10, 320, c.row + 2});
        EXPECT_NE(Game().Pixel(319, c.row), Colour(PaceMarkerView::kColour))
            << "the game's own frame is not drawn on";
    }
}

TEST_F(PaceScreenTest, ARecordOffTheScreenIsAnArrowAtTheEdgeItIsBeyond)
{
    StartPlaying();
    screen.Follow(&pace, "KIP");
    const struct {
        std::uint64_t tick;
        int top;  // of the arrow's line of text
    } cases[] = {{6, 1}, {8, 230}, {500, 230}};
    for (const auto& c : cases) {
        SCOPED_TRACE("tick " + std::to_string(c.tick));
        gameTick = c.tick;
        form.FormPaint();
        ExpectChangedOnlyIn(
            {320 - 1 - MenuFont::Width("^KIP"), c.top, 319, c.top + MenuFont::kHeight});
    }

    // The hero ten metres up: the record still on the first floor is below the screen.
    Mode().Hero()->MoveBy(Vector(0.0f, -480.0f, 0, 0));
    Tick();
    gameTick = 0;
    form.FormPaint();
    ExpectChangedOnlyIn({320 - 1 - MenuFont::Width("^KIP"), 230, 319, 239});
}

TEST_F(PaceScreenTest, FramesPassAsTheyAreWithoutAPaceATickOrAGameInPlay)
{
    screen.Follow(&pace, "KIP");
    for (int i = 0; i < 5 && !form.MainMode(); ++i) {
        Tick();
    }
    Tick();
    ASSERT_NE(form.MainMode(), nullptr);
    ASSERT_EQ(Mode().scene, TGameMainMode::kTitle);
    EXPECT_EQ(next.last, Bytes(Game())) << "the title";
    EXPECT_EQ(&screen.Shown(), &Game());

    StartPlaying();
    form.FormPaint();
    EXPECT_NE(next.last, Bytes(Game())) << "in play the marker shows";

    gameTick = std::nullopt;
    form.FormPaint();
    EXPECT_EQ(next.last, Bytes(Game())) << "no game tick";
    EXPECT_EQ(&screen.Shown(), &Game());

    gameTick = 3;
    screen.Follow(nullptr, "KIP");
    form.FormPaint();
    EXPECT_EQ(next.last, Bytes(Game())) << "no pace";

    screen.Follow(&pace, "KIP");
    Mode().timeLeft = 1;
    Tick();
    ASSERT_EQ(Mode().scene, TGameMainMode::kGameOver);
    form.FormPaint();
    EXPECT_EQ(next.last, Bytes(Game())) << "game over";

    screen.SetFullScreen(true);
    EXPECT_TRUE(next.fullScreen) << "full screen is the next screen's business";
}

TEST(PaceScreenAlone, WatchingNoFormPassesFramesAndShowsNothing)
{
    test::FakeVideo next;
    const MenuFont font = MenuFont::BuiltIn().value();
    PaceScreen screen(next, font, [] { return std::optional<std::uint64_t>(0); });
    const Pace pace;
    screen.Follow(&pace, "KIP");
    std::vector<std::uint8_t> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_TRUE(screen.Present(FrameView{pixels.data(), 3, 2, 6, pixelformats::kRgb565}));
    EXPECT_EQ(next.last, pixels);
    EXPECT_TRUE(screen.Shown().Empty());
}

}  // namespace
}  // namespace kipkip
