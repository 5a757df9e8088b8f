// platform/sdl/sdlwindow.h
// The game's window on SDL2 and its frame loop. The frame (320x240) is shown with
// nearest-neighbour integer scaling, letterboxed: by the renderer on a graphics device, and by
// our own scaler (platform/framescaler.h) into a window-sized texture on SDL's software
// renderer, whose own scaling costs several times more. F11 and Alt+Enter toggle desktop full
// screen (platform/sdl/sdlwindowsize.h), F12 asks for a screenshot. The scale, full screen,
// vsync, autopause and speed given at Open can each be changed while the loop runs (the menu's
// options take effect at once). The loop services the periodic timer on the frame schedule
// (platform/frameschedule.h) over the performance counter, so ticks never drift, never overlap and
// never burst: after a stall the missed expiries are skipped.
// M switches the music off and on.
// P pauses and resumes, and so (unless autopause is off) do losing and regaining the focus. A
// pause only withholds ticks, so the game's tick sequence, and with it any replay, is the same
// as without it; nothing of a pause is recorded.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/frameloop.h"
#include "platform/framescaler.h"
#include "platform/frameschedule.h"
#include "platform/ports.h"
#include "platform/sdl/sdlwindowsize.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace kipkip {

class SdlInput;

// The window's own keys: each acts once a press, and none of them ever reaches the game.
enum class WindowKey { FullScreen, Pause, Music, Screenshot };

class SdlWindow : public FrameLoop {
public:
    struct Settings {
        std::string title = "KipKip";
        int width = 320;  // the logical size of the frame
        int height = 240;
        int scale = 0;  // 0: the largest whole number up to 4 that fits 85% of the desktop
        bool fullScreen = false;
        bool autopause = true;  // losing the focus pauses, regaining it resumes
        bool vsync = false;     // presents wait for the display's refresh
        int speed = 100;        // percent: below 100 the ticks come further apart in real time
        // When the program started, for the time to its first frame.
        std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    };

    struct Stats {
        std::uint64_t ticks = 0;
        double seconds = 0;         // from the first tick to the last
        double longestGapMs = 0;    // between the starts of two ticks
        std::uint64_t skipped = 0;  // expiries skipped after stalls
        int windowWidth = 0;        // as opened
        int windowHeight = 0;
        double firstFrameMs = 0;  // from the program's start to the first frame shown
        std::string renderer;     // SDL's name for the renderer in use
    };

    explicit SdlWindow(SdlInput& input) : input_(input) {}
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Opens the window; the error names what failed.
    bool Open(const Settings& settings, std::string& error);
    // Runs until the window is closed, the listener says stop, or a fatal error asks the
    // program to end.
    void Run(LoopListener& listener) override;
    const Stats& RunStats() const { return stats_; }
    bool Paused() const { return paused_; }

    // The settings of Open, changed while the loop runs.
    // 0: the fitting scale for the desktop, as at Open; 1..8. A window takes the new size at
    // once; in full screen it is taken on leaving it.
    void SetScale(int scale) { size_.SetScale(scale); }
    int Scale() const { return size_.Scale(); }
    // F11 changes it too: ask, do not keep a copy.
    bool FullScreen() const { return size_.FullScreen(); }
    // False, and vsync as it was, when the renderer cannot change it.
    bool SetVsync(bool vsync);
    bool Vsync() const { return vsync_; }
    // Taken from the next loss of the focus; a pause it has already made ends as before.
    void SetAutopause(bool autopause) { autopause_ = autopause; }
    bool Autopause() const { return autopause_; }
    // The next tick comes one new interval after the last (platform/frameschedule.h).
    void SetSpeed(int percent);
    int Speed() const { return speed_; }

    // Called with true when the game pauses and false when it resumes; the audio device
    // follows it so the music and effects stop where they are.
    void OnPause(std::function<void(bool paused)> onPause) { onPause_ = std::move(onPause); }
    // Called when the player presses M.
    void OnMusicKey(std::function<void()> onMusicKey) { onMusicKey_ = std::move(onMusicKey); }

    bool Present(const FrameView& frame) override;
    void SetFullScreen(bool fullScreen) override;
    std::uint32_t CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry) override;
    void Kill(std::uint32_t id) override;
    std::uint32_t NowMs() override;

private:
    // SDL's performance counter.
    class CounterClock : public FrameSchedule::Clock {
    public:
        std::uint64_t Now() override;
        std::uint64_t Frequency() const override;
    };

    // False when the window is to close.
    bool HandleEvent(const SDL_Event& event, LoopListener& listener);
    void ActOn(WindowKey key, LoopListener& listener);
    // `format`: SDL's name of the frame's format.
    bool MatchTexture(std::uint32_t format, int width, int height);
    bool UploadAsIs(const FrameView& frame, std::uint32_t format);
    bool UploadScaled(const FrameView& frame, std::uint32_t format);
    void SetPaused(bool paused, bool byFocus, LoopListener& listener);

    SdlInput& input_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::uint32_t textureFormat_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool scalesItself_ = false;  // the renderer is SDL's software one: the window scales
    FrameScaler scaler_;
    int width_ = 320;
    int height_ = 240;
    SdlWindowSize size_{width_, height_};
    bool minimised_ = false;
    bool videoStarted_ = false;
    bool vsync_ = false;
    bool autopause_ = true;
    std::chrono::steady_clock::time_point started_;
    bool paused_ = false;
    bool pausedByFocus_ = false;
    std::uint64_t pausedAt_ = 0;        // the performance counter when the pause began
    std::uint64_t pausedCounts_ = 0;    // all paused time, kept out of the tick statistics
    std::vector<std::uint8_t> dimmed_;  // the presented copy of a frame while paused
    std::function<void(bool)> onPause_;
    std::function<void()> onMusicKey_;

    std::uint32_t timerId_ = 0;
    int speed_ = 100;
    std::uint32_t nextTimerId_ = 1;
    std::function<void()> onExpiry_;
    CounterClock clock_;
    FrameSchedule schedule_{clock_};

    Stats stats_;
};

}  // namespace kipkip
