#include "app/gamerunner.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <optional>

#include "app/mainform.h"
#include "app/tracewriter.h"
#include "platform/bmpwriter.h"
#include "platform/fatalerror.h"
#include "platform/files.h"
#include "platform/headless/headlessloop.h"
#include "platform/headless/inputscript.h"
#include "platform/headless/scriptedinput.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"
#include "platform/sdl/sdlinput.h"
#include "platform/sdl/sdlmessagebox.h"
#include "platform/sdl/sdlsession.h"
#include "platform/sdl/sdlwindow.h"

namespace kipkip {
namespace {

constexpr int kFatal = 1;
constexpr int kBadInput = 2;

void Complain(const std::string& message)
{
    std::fprintf(stderr, "kipkip: %s\n", message.c_str());
}

bool SaveFrame(const Surface& frame, const std::string& file)
{
    std::vector<std::uint8_t> bytes = EncodeBmp24(frame.View());
    return WriteWholeFile(file, bytes);
}

// A name for a screenshot taken by the player, from the local date and time.
std::string ScreenshotName()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char name[64];
    std::strftime(name, sizeof name, "kipkip-%Y%m%d-%H%M%S.bmp", &local);
    return name;
}

// Between the frame loop and the main window: paints, screenshots, the trace, the shots and
// the tick limit.
class RunMonitor : public LoopListener {
public:
    RunMonitor(const Options& options, TraceWriter& trace) : options_(options), trace_(trace) {}

    void Attach(TMainForm* form) { form_ = form; }

    void Paint() override
    {
        if (form_ != nullptr) {
            form_->FormPaint();
        }
    }

    bool AfterTick(std::uint64_t tick) override
    {
        if (form_ != nullptr && form_->Kernel() != nullptr) {
            trace_.Write(tick, *form_->Kernel(), form_->MainMode());
        }
        for (const Shot& shot : options_.shots) {
            if (shot.tick == tick && form_ != nullptr &&
                !SaveFrame(form_->Draw().WorkSurface(), shot.file)) {
                Complain("cannot write the shot " + shot.file);
            }
        }
        return options_.ticks == 0 || tick < options_.ticks;
    }

    void SaveScreenshot() override
    {
        if (form_ == nullptr) {
            return;
        }
        std::string file = ScreenshotName();
        if (SaveFrame(form_->Draw().WorkSurface(), file)) {
            std::printf("kipkip: saved %s\n", file.c_str());
            std::fflush(stdout);
        } else {
            Complain("cannot write the screenshot " + file);
        }
    }

private:
    const Options& options_;
    TraceWriter& trace_;
    TMainForm* form_ = nullptr;
};

// The game runs on without a usable font; text is then not drawn.
void WarnAboutFont(SdlFont& fonts)
{
    if (!fonts.Open()) {
        Complain("no font for the game's text: " + fonts.Error());
    }
}

// The game from start-up to shut-down. An error that escapes start-up is reported as a fatal
// error, and the program ends with status 1.
template <typename Loop>
int RunGame(TMainForm::Ports ports, Loop& loop, RunMonitor& monitor)
{
    try {
        TMainForm form(ports);
        monitor.Attach(&form);
        loop.Run(monitor);
        monitor.Attach(nullptr);
    } catch (const std::exception& error) {
        monitor.Attach(nullptr);
        FatalError(true, error.what());
    }
    return ShutdownRequested() ? kFatal : 0;
}

// A name given on the command line keeps meaning the file it named where the program started.
void MakeAbsolute(std::string& path)
{
    std::error_code error;
    if (!path.empty()) {
        auto absolute = std::filesystem::absolute(path, error);
        if (!error) {
            path = absolute.string();
        }
    }
}

}  // namespace

// The data directory becomes the current one, so that the game finds "files\data.toy" and
// "kipkip.dat" there, as it finds them in the current directory without --dir.
bool GameRunner::EnterDataDirectory()
{
    MakeAbsolute(options_.inputFile);
    MakeAbsolute(options_.traceFile);
    MakeAbsolute(options_.fontFile);
    for (Shot& shot : options_.shots) {
        MakeAbsolute(shot.file);
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options_.dataDir, error)) {
        Complain("the data directory " + options_.dataDir + " does not exist");
        return false;
    }
    std::filesystem::current_path(options_.dataDir, error);
    if (error) {
        Complain("cannot enter the data directory " + options_.dataDir + ": " + error.message());
        return false;
    }
    return true;
}

int GameRunner::Run()
{
    ClearShutdownRequest();
    if (!options_.dataDir.empty() && !EnterDataDirectory()) {
        return kBadInput;
    }
    return options_.headless ? RunHeadless() : RunWindowed();
}

int GameRunner::RunWindowed()
{
    TraceWriter trace;
    trace.SetActors(options_.traceActors);
    if (!options_.traceFile.empty() && !trace.Open(options_.traceFile)) {
        Complain("cannot write the trace " + options_.traceFile);
        return kBadInput;
    }
    SdlSession sdl;
    SdlInput input;
    SdlWindow window(input);
    SdlWindow::Settings settings;
    settings.scale = options_.scale;
    settings.fullScreen = options_.fullScreen;
    std::string error;
    if (!window.Open(settings, error)) {
        Complain(error);
        return kFatal;
    }
    SdlMessageBox messageBox;
    ScopedFatalReporter reporter(messageBox);
    RunMonitor monitor(options_, trace);
    SdlBitmap bitmaps;
    SdlFont fonts(options_.fontFile);
    WarnAboutFont(fonts);
    int status = RunGame({window, bitmaps, fonts, input, window}, window, monitor);
    if (options_.stats) {
        const SdlWindow::Stats& stats = window.RunStats();
        std::printf(
            "ticks %llu, seconds %.3f, ticks per second %.3f, longest gap %.2f ms, skipped %llu, "
            "window %dx%d scale %d\n",
            static_cast<unsigned long long>(stats.ticks), stats.seconds,
            stats.seconds > 0 ? double(stats.ticks - 1) / stats.seconds : 0.0, stats.longestGapMs,
            static_cast<unsigned long long>(stats.skipped), stats.windowWidth, stats.windowHeight,
            window.Scale());
    }
    return status;
}

int GameRunner::RunHeadless()
{
    InputScript script;
    if (!options_.inputFile.empty()) {
        auto parsed = InputScript::Load(options_.inputFile);
        if (!parsed.script) {
            Complain(parsed.error);
            return kBadInput;
        }
        script = std::move(*parsed.script);
    }
    TraceWriter trace;
    trace.SetActors(options_.traceActors);
    if (!options_.traceFile.empty() && !trace.Open(options_.traceFile)) {
        Complain("cannot write the trace " + options_.traceFile);
        return kBadInput;
    }
    ScriptedInput input(std::move(script));
    HeadlessLoop loop(input);
    RunMonitor monitor(options_, trace);
    SdlBitmap bitmaps;
    SdlFont fonts(options_.fontFile);
    WarnAboutFont(fonts);
    return RunGame({loop, bitmaps, fonts, input, loop}, loop, monitor);
}

}  // namespace kipkip
