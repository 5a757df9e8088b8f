// The window's own keys and its pause, on a real window: runs under a virtual X server
// (xvfb-run), with events pushed into SDL's queue as the player's keys and focus changes.
#include "platform/sdl/sdlwindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/pixelformats.h"
#include "platform/sdl/sdlinput.h"
#include "platform/sdl/sdlsession.h"

namespace kipkip {
namespace {

class CountingListener : public LoopListener {
public:
    void Paint() override { ++paints; }
    bool AfterTick(std::uint64_t) override { return ++ticks < stopAfter; }
    void SaveScreenshot() override { ++screenshots; }

    int paints = 0;
    int ticks = 0;
    int stopAfter = 1000;
    int screenshots = 0;
};

void PushKey(SDL_Keycode key, SDL_Scancode scancode, bool down, bool repeat = false,
             Uint16 mod = KMOD_NONE)
{
    SDL_Event event{};
    event.key.keysym.mod = mod;
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode;
    SDL_PushEvent(&event);
}

void PushWindowEvent(SDL_WindowEventID id)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    SDL_PushEvent(&event);
}

void PushQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

// The one window a test has opened.
SDL_Window* TheWindow()
{
    for (Uint32 id = 1; id < 1000; ++id) {
        if (SDL_Window* found = SDL_GetWindowFromID(id)) {
            return found;
        }
    }
    return nullptr;
}

std::pair<int, int> WindowSize()
{
    std::pair<int, int> size;
    SDL_GetWindowSize(TheWindow(), &size.first, &size.second);
    return size;
}

struct WindowFixture : testing::Test {
    SdlSession session;
    SdlInput input;
    SdlWindow window{input};
    CountingListener listener;
    std::vector<bool> pauses;
    int musicKeys = 0;

    void Open(bool autopause = true, bool fullScreen = false)
    {
        SdlWindow::Settings settings;
        settings.scale = 1;
        settings.autopause = autopause;
        settings.fullScreen = fullScreen;
        std::string error;
        ASSERT_TRUE(window.Open(settings, error)) << error;
        window.OnPause([this](bool paused) { pauses.push_back(paused); });
        window.OnMusicKey([this] { ++musicKeys; });
        window.CreatePeriodic(20, [] {});
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // the window's own start-up events
    }
    // Lets the loop take the events SDL has so far, the window system's among them.
    void Pump()
    {
        PushQuit();
        window.Run(listener);
    }
    bool Held(std::uint8_t code)
    {
        KeyboardState keys{};
        input.ReadKeyboard(keys);
        return keys[code] != 0;
    }
};

TEST_F(WindowFixture, PPausesAndResumesAndNeverReachesTheGame)
{
    Open();
    PushKey(SDLK_p, SDL_SCANCODE_P, true);
    PushKey(SDLK_p, SDL_SCANCODE_P, true, true);  // the OS's auto-repeat changes nothing
    PushQuit();
    window.Run(listener);
    EXPECT_TRUE(window.Paused());
    EXPECT_EQ(pauses, std::vector<bool>{true});
    EXPECT_FALSE(Held(0x19)) << "P's key code";

    PushKey(SDLK_p, SDL_SCANCODE_P, false);
    PushKey(SDLK_p, SDL_SCANCODE_P, true);
    listener.stopAfter = 3;
    window.Run(listener);
    EXPECT_FALSE(window.Paused());
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
    EXPECT_EQ(listener.ticks, 3) << "ticks run again once resumed";
}

TEST_F(WindowFixture, NoTickRunsWhilePaused)
{
    Open();
    PushKey(SDLK_p, SDL_SCANCODE_P, true);
    // The pause comes before the first tick; without the quit the loop would wait forever.
    PushQuit();
    window.Run(listener);
    EXPECT_EQ(listener.ticks, 0);
    EXPECT_GE(listener.paints, 1) << "the dimmed frame is shown";
}

TEST_F(WindowFixture, MSwitchesTheMusicOncePerPress)
{
    Open();
    PushKey(SDLK_m, SDL_SCANCODE_M, true);
    PushKey(SDLK_m, SDL_SCANCODE_M, true, true);
    PushKey(SDLK_m, SDL_SCANCODE_M, false);
    PushKey(SDLK_m, SDL_SCANCODE_M, true);
    PushQuit();
    window.Run(listener);
    EXPECT_EQ(musicKeys, 2);
    EXPECT_FALSE(Held(0x32)) << "M's key code";
    EXPECT_FALSE(window.Paused());
}

bool CursorShown()
{
    return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

TEST_F(WindowFixture, FullScreenHidesTheCursorWhicheverKeyTogglesIt)
{
    Open();
    ASSERT_TRUE(CursorShown());
    const struct {
        const char* what;
        SDL_Keycode key;
        SDL_Scancode scancode;
        Uint16 mod;
    } keys[] = {{"F11", SDLK_F11, SDL_SCANCODE_F11, KMOD_NONE},
                {"Alt+Return", SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT}};
    for (const auto& k : keys) {
        for (bool full : {true, false}) {
            PushKey(k.key, k.scancode, true, false, k.mod);
            PushKey(k.key, k.scancode, false, false, k.mod);
            PushQuit();
            window.Run(listener);
            EXPECT_EQ(CursorShown(), !full)
                << k.what << (full ? " into" : " out of") << " full screen";
        }
    }
}

TEST_F(WindowFixture, FullScreenFromTheStartHidesTheCursorOnceTheWindowIsShown)
{
    Open(true, true);
    EXPECT_TRUE(window.FullScreen()) << "the menu shows the full screen to come";
    PushWindowEvent(SDL_WINDOWEVENT_SHOWN);
    PushQuit();
    window.Run(listener);
    EXPECT_FALSE(CursorShown());
}

// A frame of palette indices has no texture format: it is refused, never read as wider pixels.
TEST_F(WindowFixture, AFrameOfPaletteIndicesIsRefusedAndTheNextGoodOneShown)
{
    Open();
    std::vector<std::uint8_t> pixels(320 * 240 * 4, 0x55);
    EXPECT_FALSE(window.Present(FrameView{pixels.data(), 320, 240, 320, pixelformats::kIndexed8}));
    EXPECT_TRUE(window.Present(FrameView{pixels.data(), 320, 240, 640, pixelformats::kRgb565}));
}

TEST_F(WindowFixture, LosingTheFocusPausesAndRegainingItResumes)
{
    Open();
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushQuit();
    window.Run(listener);
    EXPECT_TRUE(window.Paused());
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushQuit();
    window.Run(listener);
    EXPECT_FALSE(window.Paused());
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
}

TEST_F(WindowFixture, WithoutAutopauseTheFocusChangesNothing)
{
    Open(false);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushQuit();
    window.Run(listener);
    EXPECT_FALSE(window.Paused());
    EXPECT_TRUE(pauses.empty());
}

TEST_F(WindowFixture, APauseChosenWithPOutlastsTheFocusComingBack)
{
    Open();
    PushKey(SDLK_p, SDL_SCANCODE_P, true);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushQuit();
    window.Run(listener);
    EXPECT_TRUE(window.Paused());
}

TEST_F(WindowFixture, AScaleChosenWhileRunningResizesTheWindowAtOnce)
{
    Open();
    SDL_Rect usable{};
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0) << SDL_GetError();
    const int fitting = SdlWindowSize::FittingScale(usable.w, usable.h, 320, 240);
    const struct {
        int asked;
        int scale;
    } cases[] = {{2, 2}, {0, fitting}, {1, 1}, {9, 8}};
    for (const auto& c : cases) {
        window.SetScale(c.asked);
        Pump();
        EXPECT_EQ(window.Scale(), c.scale) << "asked " << c.asked;
        EXPECT_EQ(WindowSize(), std::make_pair(320 * c.scale, 240 * c.scale))
            << "asked " << c.asked;
    }
}

// The menu and F11 change the same full screen; a scale chosen in it waits for the window.
TEST_F(WindowFixture, AScaleChosenInFullScreenIsTheWindowsSizeOnLeavingIt)
{
    Open();
    window.SetFullScreen(true);
    Pump();
    ASSERT_TRUE(window.FullScreen());
    const std::pair<int, int> fullSize = WindowSize();
    window.SetScale(2);
    Pump();
    EXPECT_EQ(window.Scale(), 2);
    EXPECT_EQ(WindowSize(), fullSize) << "still full screen";
    PushKey(SDLK_F11, SDL_SCANCODE_F11, true);
    Pump();
    EXPECT_FALSE(window.FullScreen());
    EXPECT_EQ(WindowSize(), std::make_pair(640, 480));
}

TEST_F(WindowFixture, AutopauseSwitchedWhileRunningGovernsTheNextFocusLoss)
{
    Open(false);
    window.SetAutopause(true);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    EXPECT_TRUE(window.Paused());
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    window.SetAutopause(false);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Pump();
    EXPECT_FALSE(window.Paused()) << "the pause it made ended, and no other began";
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
}

// Whether the renderer takes it or not, the window reports the vsync presents now wait for.
TEST_F(WindowFixture, VsyncIsWhatTheRendererTookLastly)
{
    Open();
    ASSERT_FALSE(window.Vsync());
    for (bool vsync : {true, false}) {
        const bool taken = window.SetVsync(vsync);
        EXPECT_EQ(window.Vsync(), taken ? vsync : !vsync) << vsync;
    }
}

}  // namespace
}  // namespace kipkip
