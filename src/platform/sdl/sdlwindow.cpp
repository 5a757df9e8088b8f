#include "platform/sdl/sdlwindow.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/fatalerror.h"
#include "platform/framedim.h"
#include "platform/sdl/sdlinput.h"
#include "platform/sdl/sdlpixelformat.h"

namespace kipkip {
namespace {

constexpr const char* kSoftwareRenderer = "software";  // SDL's name for its own renderer

std::optional<WindowKey> WindowKeyOf(const SDL_KeyboardEvent& key)
{
    switch (key.keysym.sym) {
        case SDLK_F11:
            return WindowKey::FullScreen;
        case SDLK_RETURN:
            // Not even the Return of Alt+Return reaches the game.
            return (key.keysym.mod & KMOD_ALT) != 0 ? std::optional(WindowKey::FullScreen)
                                                    : std::nullopt;
        case SDLK_p:
            return WindowKey::Pause;
        case SDLK_m:
            return WindowKey::Music;
        case SDLK_F12:
            return WindowKey::Screenshot;
        default:
            return std::nullopt;
    }
}

}  // namespace

SdlWindow::~SdlWindow()
{
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

// A graphics device the kernel's DRM knows, which OpenGL can draw with.
bool HasGraphicsDevice()
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with("card") || name.starts_with("renderD")) {
            return true;
        }
    }
    return false;
}

bool SdlWindow::Open(const Settings& settings, std::string& error)
{
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // Without a graphics device OpenGL is Mesa's software rasteriser, which takes about 100 ms
    // to start and 55 MB of compiler to run; SDL's own software renderer draws the same pixels
    // for less. (The environment's SDL_RENDER_DRIVER still wins over this.)
    if (!HasGraphicsDevice()) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    SDL_SetHint(SDL_HINT_APP_NAME, settings.title.c_str());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot start the video: ") + SDL_GetError();
        return false;
    }
    videoStarted_ = true;
    width_ = settings.width;
    autopause_ = settings.autopause;
    speed_ = settings.speed;
    started_ = settings.started;
    height_ = settings.height;
    size_ = SdlWindowSize(width_, height_);
    const int scale = size_.ScaleFor(settings.scale);
    const std::uint32_t flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    window_ = SDL_CreateWindow(settings.title.c_str(), SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, width_ * scale, height_ * scale, flags);
    if (window_ == nullptr) {
        error = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    size_.Attach(window_, scale, settings.fullScreen);
    SDL_SetWindowMinimumSize(window_, width_, height_);
    SDL_GetWindowSize(window_, &stats_.windowWidth, &stats_.windowHeight);
    renderer_ = SDL_CreateRenderer(window_, -1, settings.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (renderer_ == nullptr) {
        error = std::string("cannot draw in the window: ") + SDL_GetError();
        return false;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) == 0 && info.name != nullptr) {
        stats_.renderer = info.name;
    }
    // Not read back from the renderer: SDL's software renderer claims vsync that nobody asked for.
    vsync_ = settings.vsync;
    // SDL's software renderer scales a frame pixel by pixel through a general stretch; the
    // window's own scaler draws the same picture for a fraction of the time. The renderer then
    // copies a texture as large as its output, so it has no logical size to scale to.
    scalesItself_ = stats_.renderer == kSoftwareRenderer;
    if (!scalesItself_) {
        SDL_RenderSetLogicalSize(renderer_, width_, height_);
        SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    return true;
}

bool SdlWindow::Present(const FrameView& frame)
{
    if (renderer_ == nullptr || frame.pixels == nullptr) {
        return false;
    }
    if (minimised_) {
        return true;
    }
    // A frame SDL has no format for (palette indices) is refused rather than read as pixels of
    // another size.
    const std::uint32_t format = SdlPixelFormatFor(frame.format);
    if (format == SDL_PIXELFORMAT_UNKNOWN) {
        return false;
    }
    FrameView shown = frame;
    if (paused_) {
        // Only the shown copy is dimmed: the game's work surface stays as the game left it.
        DimFrame(frame, dimmed_);
        shown.pixels = dimmed_.data();
    }
    if (!(scalesItself_ ? UploadScaled(shown, format) : UploadAsIs(shown, format))) {
        return false;
    }
    if (!scalesItself_) {
        // The scaled texture covers the whole output, bars and all.
        SDL_RenderClear(renderer_);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    if (stats_.firstFrameMs == 0) {
        std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - started_;
        stats_.firstFrameMs = took.count();
    }
    return true;
}

// The renderer scales the frame to the window.
bool SdlWindow::UploadAsIs(const FrameView& frame, std::uint32_t format)
{
    return MatchTexture(format, frame.width, frame.height) &&
           SDL_UpdateTexture(texture_, nullptr, frame.pixels, frame.pitch) == 0;
}

// The frame is scaled straight into a texture of the renderer's output size, which follows
// the window through resizing and full screen.
bool SdlWindow::UploadScaled(const FrameView& frame, std::uint32_t format)
{
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width <= 0 || height <= 0) {
        return false;
    }
    if (!MatchTexture(format, width, height)) {
        return false;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) {
        return false;
    }
    scaler_.Scale(frame, static_cast<std::uint8_t*>(pixels), width, height, pitch);
    SDL_UnlockTexture(texture_);
    return true;
}

// A texture of another format or size than the last is made anew. Where the renderer scales,
// the frame's size becomes the picture's logical size (the full-screen canvas is larger than
// the window's frame).
bool SdlWindow::MatchTexture(std::uint32_t format, int width, int height)
{
    if (texture_ != nullptr && format == textureFormat_ && width == textureWidth_ &&
        height == textureHeight_) {
        return true;
    }
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (texture_ == nullptr) {
        return false;
    }
    textureFormat_ = format;
    textureWidth_ = width;
    textureHeight_ = height;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    if (!scalesItself_) {
        SDL_RenderSetLogicalSize(renderer_, width, height);
    }
    return true;
}

void SdlWindow::SetFullScreen(bool fullScreen)
{
    size_.SetFullScreen(fullScreen);
}

bool SdlWindow::SetVsync(bool vsync)
{
    if (renderer_ == nullptr || SDL_RenderSetVSync(renderer_, vsync ? 1 : 0) != 0) {
        return false;
    }
    vsync_ = vsync;
    return true;
}

void SdlWindow::SetSpeed(int percent)
{
    speed_ = percent;
    schedule_.SetSpeed(percent);
}

std::uint32_t SdlWindow::CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry)
{
    timerId_ = nextTimerId_++;
    onExpiry_ = std::move(onExpiry);
    schedule_.Restart(intervalMs, speed_);
    return timerId_;
}

void SdlWindow::Kill(std::uint32_t id)
{
    if (id == timerId_) {
        timerId_ = 0;
        onExpiry_ = nullptr;
    }
}

std::uint32_t SdlWindow::NowMs()
{
    return SDL_GetTicks();
}

// Pausing only withholds ticks: the game sees the same sequence of ticks and inputs as
// without the pause, so a recording made or played across a pause is unchanged, and nothing of
// the pause is recorded.
void SdlWindow::SetPaused(bool paused, bool byFocus, LoopListener& listener)
{
    if (paused == paused_) {
        return;
    }
    paused_ = paused;
    pausedByFocus_ = paused && byFocus;
    const std::uint64_t now = clock_.Now();
    if (paused) {
        pausedAt_ = now;
    } else {
        pausedCounts_ += now - pausedAt_;
        // The schedule starts again from now, so the paused time is not made up in a burst.
        schedule_.Restart();
    }
    if (onPause_) {
        onPause_(paused);
    }
    // The frame is shown again, dimmed while paused and as it is once resumed.
    listener.Paint();
}

void SdlWindow::ActOn(WindowKey key, LoopListener& listener)
{
    switch (key) {
        case WindowKey::FullScreen:
            size_.SetFullScreen(!size_.FullScreen());
            break;
        case WindowKey::Pause:
            SetPaused(!paused_, false, listener);
            break;
        case WindowKey::Music:
            if (onMusicKey_) {
                onMusicKey_();
            }
            break;
        case WindowKey::Screenshot:
            listener.SaveScreenshot();
            break;
    }
}

bool SdlWindow::HandleEvent(const SDL_Event& event, LoopListener& listener)
{
    switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_HIDDEN:
                    minimised_ = true;
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    size_.Shown();
                    minimised_ = false;
                    listener.Paint();
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    if (autopause_ && !paused_) {
                        SetPaused(true, true, listener);
                    }
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    // A pause the player chose with P stays until P.
                    if (paused_ && pausedByFocus_) {
                        SetPaused(false, false, listener);
                    }
                    break;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (std::optional<WindowKey> key = WindowKeyOf(event.key)) {
                if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
                    ActOn(*key, listener);
                }
                return true;
            }
            break;
        default:
            break;
    }
    input_.HandleEvent(event);
    return true;
}

std::uint64_t SdlWindow::CounterClock::Now()
{
    return SDL_GetPerformanceCounter();
}

std::uint64_t SdlWindow::CounterClock::Frequency() const
{
    return SDL_GetPerformanceFrequency();
}

void SdlWindow::Run(LoopListener& listener)
{
    const std::uint64_t frequency = clock_.Frequency();
    std::uint64_t firstTick = 0;
    std::uint64_t lastTick = 0;
    std::uint64_t pausedAtLastTick = 0;  // pausedCounts_ when the last tick ran
    std::uint64_t pausedAtFirstTick = 0;
    for (;;) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (!HandleEvent(event, listener)) {
                return;
            }
        }
        if (ShutdownRequested()) {
            return;
        }
        if (timerId_ == 0 || paused_) {
            SDL_WaitEventTimeout(nullptr, 10);
            continue;
        }
        const FrameSchedule::Decision next = schedule_.Next();
        if (!next.due) {
            SDL_Delay(next.waitMs);
            continue;
        }
        const std::uint64_t now = next.now;
        stats_.skipped = schedule_.Skipped();
        if (stats_.ticks > 0) {
            // Time spent paused is no gap in the game's ticks.
            const std::uint64_t gap = now - lastTick - (pausedCounts_ - pausedAtLastTick);
            stats_.longestGapMs =
                std::max(stats_.longestGapMs, double(gap) * 1000.0 / double(frequency));
        } else {
            firstTick = now;
            pausedAtFirstTick = pausedCounts_;
        }
        lastTick = now;
        pausedAtLastTick = pausedCounts_;
        listener.BeforeTick(stats_.ticks + 1);
        onExpiry_();
        ++stats_.ticks;
        stats_.seconds =
            double(lastTick - firstTick - (pausedCounts_ - pausedAtFirstTick)) / double(frequency);
        if (!listener.AfterTick(stats_.ticks) || ShutdownRequested()) {
            return;
        }
    }
}

}  // namespace kipkip
