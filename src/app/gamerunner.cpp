#include "app/gamerunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <optional>

#include "app/audiocapture.h"
#include "app/mainform.h"
#include "app/midilog.h"
#include "app/recordinghost.h"
#include "app/replayfile.h"
#include "app/replayhost.h"
#include "app/replayrecorder.h"
#include "app/tickinput.h"
#include "app/tracewriter.h"
#include "device/audiopath.h"
#include "game/filegamehost.h"
#include "game/gamemain.h"
#include "platform/bmpwriter.h"
#include "platform/fatalerror.h"
#include "platform/files.h"
#include "platform/fluidsynth/fluidmidiout.h"
#include "platform/headless/headlessloop.h"
#include "platform/headless/inputscript.h"
#include "platform/headless/scriptedinput.h"
#include "platform/sdl/scancodes.h"
#include "platform/sdl/sdlaudio.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"
#include "platform/sdl/sdlinput.h"
#include "platform/sdl/sdlmessagebox.h"
#include "platform/sdl/sdlsession.h"
#include "platform/sdl/sdlwindow.h"
#include "platform/silentmidiout.h"
#include "platform/sjis.h"

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

// Between the frame loop and the main window: paints, screenshots, the trace, the shots, the
// tick limit, and around each tick the input sample, the recording and the timedemo's clock.
class RunMonitor : public LoopListener {
public:
    RunMonitor(const Options& options, TraceWriter& trace) : options_(options), trace_(trace) {}

    // The tick being run, for the hosts that note or look up seeds by tick.
    const std::uint64_t& Tick() const { return tick_; }
    void SetTickInput(TickInput* input) { tickInput_ = input; }
    void SetScript(ScriptedInput* script) { script_ = script; }
    void SetRecorder(ReplayRecorder* recorder) { recorder_ = recorder; }
    void SetAudioCapture(AudioCapture* capture) { audio_ = capture; }
    // Without a capture the music's passes still run after each tick, unheard.
    void SetAudioPath(AudioPath* path) { path_ = path; }
    void MeasureTicks() { measure_ = true; }
    const std::vector<double>& TickMicroseconds() const { return tickMicroseconds_; }

    void BeforeTick(std::uint64_t tick) override
    {
        tick_ = tick;
        if (tickInput_ != nullptr) {
            tickInput_->BeginTick();
        }
        if (script_ != nullptr) {
            script_->SetTick(static_cast<std::uint32_t>(tick));
        }
        if (measure_) {
            tickStart_ = std::chrono::steady_clock::now();
        }
    }

    void Attach(TMainForm* form) { form_ = form; }

    void Paint() override
    {
        if (form_ != nullptr) {
            form_->FormPaint();
        }
    }

    bool AfterTick(std::uint64_t tick) override
    {
        if (measure_) {
            std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - tickStart_;
            tickMicroseconds_.push_back(took.count());
        }
        Record(tick);
        if (audio_ != nullptr) {
            audio_->RenderTick();
        } else if (path_ != nullptr) {
            path_->Advance(AudioCapture::kFramesPerTick);
        }
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
    // The recording notes what the tick saw, and is written out at every game over.
    void Record(std::uint64_t tick)
    {
        if (recorder_ == nullptr || tickInput_ == nullptr) {
            return;
        }
        recorder_->Observe(static_cast<std::uint32_t>(tick), tickInput_->Held());
        TGameMainMode* mode = form_ != nullptr ? form_->MainMode() : nullptr;
        bool gameOver = mode != nullptr && mode->scene == 2;
        if (gameOver && !wasGameOver_ && !recorder_->Flush()) {
            Complain("cannot write the recording " + recorder_->Path());
        }
        wasGameOver_ = gameOver;
    }

    const Options& options_;
    TraceWriter& trace_;
    TMainForm* form_ = nullptr;
    std::uint64_t tick_ = 0;
    TickInput* tickInput_ = nullptr;
    ScriptedInput* script_ = nullptr;
    ReplayRecorder* recorder_ = nullptr;
    AudioCapture* audio_ = nullptr;
    AudioPath* path_ = nullptr;
    bool wasGameOver_ = false;
    bool measure_ = false;
    std::chrono::steady_clock::time_point tickStart_;
    std::vector<double> tickMicroseconds_;
};

// The main mode with the host of this run.
TGameMgrMode::MainModeFactory MainModeWith(GameHost& host)
{
    return [&host](TGameMode* parent, std::int32_t userValue, TKernel* kernel) {
        return std::make_unique<TGameMainMode>(parent, userValue, kernel, &host);
    };
}

void PrintTimedemo(const std::vector<double>& micros)
{
    if (micros.empty()) {
        std::printf("timedemo: no tick ran\n");
        return;
    }
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    double total = 0;
    for (double us : micros) {
        total += us;
    }
    double seconds = total / 1e6;
    auto percentile = [&sorted](double p) {
        return sorted[std::min(sorted.size() - 1,
                               static_cast<std::size_t>(p * double(sorted.size())))];
    };
    std::printf(
        "timedemo: ticks %zu, seconds %.3f, ticks per second %.0f, median %.1f us, 99th percentile "
        "%.1f us\n",
        micros.size(), seconds, seconds > 0 ? double(micros.size()) / seconds : 0.0,
        percentile(0.5), percentile(0.99));
}

// The game runs on without a usable font; text is then not drawn.
void WarnAboutFont(SdlFont& fonts)
{
    if (!fonts.Open()) {
        Complain("no font for the game's text: " + fonts.Error());
    }
}

// The music's output for a run: the synthesiser when the run's sound is heard or kept, else
// one that sounds nothing (no SoundFont is loaded when nobody hears it); behind the MIDI log
// when asked.
class MusicOutput {
public:
    // Starts loading the SoundFont on a thread of its own, so that the load and the opening of
    // the window overlap; SetUp waits for it.
    void Preload(const Options& options)
    {
        synth_ =
            std::make_unique<FluidMidiOut>(FluidMidiOut::ChooseSoundFont(options.soundFontFile));
        loading_ = std::async(std::launch::async, [synth = synth_.get()] { synth->Open(); });
    }

    // False, after saying why, when the log cannot be written.
    bool SetUp(const Options& options, bool render, AudioPath& path)
    {
        out_ = &silent_;
        if (loading_.valid()) {
            loading_.wait();
        }
        if (!render) {
            synth_.reset();
        } else {
            if (!synth_) {
                synth_ = std::make_unique<FluidMidiOut>(
                    FluidMidiOut::ChooseSoundFont(options.soundFontFile));
            }
            FluidMidiOut* synth = synth_.get();
            path.SetSynth([synth](std::span<std::int16_t> out) { synth->Render(out); });
            out_ = synth;
        }
        if (!options.midiLogFile.empty()) {
            logFile_.open(options.midiLogFile, std::ios::out | std::ios::trunc);
            if (!logFile_) {
                Complain("cannot write the MIDI log " + options.midiLogFile);
                return false;
            }
            log_ =
                std::make_unique<MidiLog>(*out_, logFile_, [&path] { return path.PassClockMs(); });
            out_ = log_.get();
        }
        return true;
    }

    MidiOut& Out() { return *out_; }
    // Why the output did not open, as far as it knows.
    std::string Failure() const
    {
        return synth_ && !synth_->Error().empty() ? synth_->Error() : "the output did not open";
    }

private:
    SilentMidiOut silent_;
    std::unique_ptr<FluidMidiOut> synth_;
    std::future<void> loading_;
    std::ofstream logFile_;
    std::unique_ptr<MidiLog> log_;
    MidiOut* out_ = &silent_;
};

// While the form lives, the audio path runs its sequencer's passes; never after it has gone.
class SequencerAttachment {
public:
    SequencerAttachment(AudioPath& path, TKivMidi& midi) : path_(path)
    {
        path_.SetSequencer([&midi] { midi.SmfPlay(); });
    }
    ~SequencerAttachment() { path_.SetSequencer(nullptr); }
    SequencerAttachment(const SequencerAttachment&) = delete;
    SequencerAttachment& operator=(const SequencerAttachment&) = delete;

private:
    AudioPath& path_;
};

// What a run's game is made of, whether it is played or replayed, in a window or headless: all
// but its input and its keys.
template <typename Loop>
struct RunParts {
    Loop& loop;  // the frame loop, which is also the video and the timer
    BitmapPort& bitmaps;
    FontPort& fonts;
    SoundMixer& mixer;
    AudioPath& path;
    MusicOutput& music;
    RunMonitor& monitor;
    bool mute;

    TMainForm::Ports Ports(InputPort& input, const InputState& keys) const
    {
        return {loop, bitmaps, fonts, input, loop, mixer, music.Out(), mute, keys};
    }
};

// The game from start-up to shut-down. An error that escapes start-up is reported as a fatal
// error, and the program ends with status 1.
template <typename Loop>
int RunGame(const RunParts<Loop>& parts, InputPort& input, const InputState& keys, GameHost& host)
{
    try {
        TMainForm form(parts.Ports(input, keys), MainModeWith(host));
        SequencerAttachment sequencer(parts.path, form.Midi());
        // The sequencer's own failure text, once; the game goes on without music.
        if (!parts.mute && !form.Midi().IsOpen()) {
            Complain(SjisToUtf8(TKivMidi::InitFailureText()) + " (" + parts.music.Failure() +
                     "); the game runs without music");
        }
        parts.monitor.Attach(&form);
        parts.loop.Run(parts.monitor);
        parts.monitor.Attach(nullptr);
    } catch (const std::exception& error) {
        parts.monitor.Attach(nullptr);
        FatalError(true, error.what());
    }
    return ShutdownRequested() ? kFatal : 0;
}

// The key map of the options' key names. In a window the names are looked up in the keyboard's
// layout; a name that no key of it carries leaves its signal on the default key.
InputState ResolveKeys(const Options& options)
{
    InputState keys = TMainForm::kDefaultKeys;
    for (std::size_t i = 0; i < kInputSignals.size(); ++i) {
        if (std::uint8_t code = DikFromKeyName(options.keyNames[i]); code != 0) {
            keys.*kInputSignals[i] = code;
        } else {
            Complain("no key of this keyboard is called \"" + options.keyNames[i] +
                     "\"; the default key stays");
        }
    }
    return keys;
}

bool LoadReplay(const Options& options, std::optional<ReplayFile>& replay)
{
    if (options.replayFile.empty()) {
        return true;
    }
    ReplayFileResult loaded = ReplayFile::Load(options.replayFile);
    if (!loaded.replay) {
        Complain(loaded.error);
        return false;
    }
    replay = std::move(loaded.replay);
    return true;
}

// A recording is played with the keys it was made with, whatever the settings say now.
InputState ReplayKeys(const ReplayFile& replay)
{
    return replay.keys.value_or(TMainForm::kDefaultKeys);
}

// A player who starts the game from the desktop never sees standard error.
void ShowWarnings(const std::vector<std::string>& warnings)
{
    if (warnings.empty()) {
        return;
    }
    std::string text;
    for (const std::string& warning : warnings) {
        text += warning + "\n";
    }
    SdlMessageBox::Warn(text + "\nThe game starts with the rest of the settings.");
}

void SetVolumes(const Options& options, AudioPath& path)
{
    path.SetMusicVolume(options.musicVolume);
    path.SetEffectsVolume(options.effectsVolume);
}

// A played run: the keys of the settings, read once a tick, and the ordinary host, written down
// as a replay when --record asks for one; the recording is written at every game over and once
// more at the end.
template <typename Loop>
int RunPlayed(const Options& options, const RunParts<Loop>& parts, InputPort& device)
{
    TickInput input(device);
    FileGameHost files;
    const InputState keys = ResolveKeys(options);
    parts.monitor.SetTickInput(&input);
    if (options.recordFile.empty()) {
        return RunGame(parts, input, keys, files);
    }
    ReplayRecorder recorder(options.recordFile, keys);
    RecordingHost host(files, recorder, parts.monitor.Tick());
    parts.monitor.SetRecorder(&recorder);
    int status = RunGame(parts, input, keys, host);
    parts.monitor.SetRecorder(nullptr);
    if (!recorder.Flush()) {
        Complain("cannot write the recording " + options.recordFile);
        return kBadInput;
    }
    return status;
}

// A replayed run: the recording's keys, seeds and high score.
template <typename Loop>
int RunReplayed(const ReplayFile& replay, const RunParts<Loop>& parts, InputPort& input)
{
    ReplayHost host(replay, parts.monitor.Tick());
    return RunGame(parts, input, ReplayKeys(replay), host);
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
    MakeAbsolute(options_.recordFile);
    MakeAbsolute(options_.replayFile);
    MakeAbsolute(options_.audioOutFile);
    MakeAbsolute(options_.soundFontFile);
    MakeAbsolute(options_.midiLogFile);
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

// A replay ends where its recording ended, unless --ticks says otherwise.
void GameRunner::EndWithReplay(const std::optional<ReplayFile>& replay)
{
    if (replay && options_.ticks == 0) {
        options_.ticks = std::max<std::uint64_t>(replay->LastTick(), 1);
    }
}

int GameRunner::RunWindowed()
{
    TraceWriter trace;
    trace.SetActors(options_.traceActors);
    if (!options_.traceFile.empty() && !trace.Open(options_.traceFile)) {
        Complain("cannot write the trace " + options_.traceFile);
        return kBadInput;
    }
    // The mixer and the music outlive the audio device that pulls them, and all of them
    // outlive the main window.
    SoundMixer mixer;
    AudioPath path(mixer);
    MusicOutput music;
    if (!options_.mute) {
        music.Preload(options_);
    }
    SdlSession sdl;
    SdlInput input;
    SdlWindow window(input);
    SdlWindow::Settings settings;
    settings.scale = options_.scale;
    settings.fullScreen = options_.fullScreen;
    settings.autopause = options_.autopause;
    settings.vsync = options_.vsync;
    settings.started = started_;
    std::string error;
    if (!window.Open(settings, error)) {
        Complain(error);
        return kFatal;
    }
    SdlMessageBox messageBox;
    ScopedFatalReporter reporter(messageBox);
    // Controller support starts now, so that a bad mappings file is reported at once.
    input.SetMappingsFile(options_.controllerMappings);
    input.Open();
    if (!input.MappingsError().empty()) {
        warnings_.push_back("controller mappings: " + input.MappingsError());
        Complain(warnings_.back());
    }
    ShowWarnings(warnings_);
    RunMonitor monitor(options_, trace);
    SdlBitmap bitmaps;
    SdlFont fonts(options_.fontFile);
    WarnAboutFont(fonts);
    std::optional<ReplayFile> replay;
    if (!LoadReplay(options_, replay)) {
        return kBadInput;
    }
    EndWithReplay(replay);
    SdlAudio audio(path);
    if (!options_.mute && !audio.Open(error)) {
        Complain(error + "; the game runs without sound");
    }
    window.OnPause([&audio](bool paused) { audio.SetPaused(paused); });
    window.OnMusicKey([&path] { path.SetMusicOn(!path.MusicOn()); });
    SetVolumes(options_, path);
    // Without an audio device the music would never be rendered: the SoundFont is let go.
    if (!music.SetUp(options_, audio.IsOpen(), path)) {
        return kBadInput;
    }
    const RunParts<SdlWindow> parts{window, bitmaps, fonts,   mixer,
                                    path,   music,   monitor, options_.mute};
    int status = 0;
    if (replay) {
        ScriptedInput script(replay->script);
        monitor.SetScript(&script);
        status = RunReplayed(*replay, parts, script);
    } else {
        status = RunPlayed(options_, parts, input);
    }
    if (options_.stats) {
        const SdlWindow::Stats& stats = window.RunStats();
        std::printf(
            "ticks %llu, seconds %.3f, ticks per second %.3f, longest gap %.2f ms, skipped %llu, "
            "first frame %.1f ms, renderer %s, window %dx%d scale %d\n",
            static_cast<unsigned long long>(stats.ticks), stats.seconds,
            stats.seconds > 0 ? double(stats.ticks - 1) / stats.seconds : 0.0, stats.longestGapMs,
            static_cast<unsigned long long>(stats.skipped), stats.firstFrameMs,
            stats.renderer.c_str(), stats.windowWidth, stats.windowHeight, window.Scale());
    }
    return status;
}

int GameRunner::RunHeadless()
{
    std::optional<ReplayFile> replay;
    if (!LoadReplay(options_, replay)) {
        return kBadInput;
    }
    EndWithReplay(replay);
    InputScript script;
    if (replay) {
        script = replay->script;
    } else if (!options_.inputFile.empty()) {
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
    // Nothing pulls the mixer unless the run's sound is wanted in a file.
    SoundMixer mixer;
    AudioPath path(mixer);
    AudioCapture capture(path);
    const bool render = !options_.audioOutFile.empty();
    if (render) {
        monitor.SetAudioCapture(&capture);
    } else {
        monitor.SetAudioPath(&path);
    }
    SetVolumes(options_, path);
    MusicOutput music;
    if (!music.SetUp(options_, render, path)) {
        return kBadInput;
    }
    const RunParts<HeadlessLoop> parts{loop, bitmaps, fonts,   mixer,
                                       path, music,   monitor, options_.mute};
    int status = 0;
    if (replay) {
        if (options_.timedemo) {
            monitor.MeasureTicks();
        }
        status = RunReplayed(*replay, parts, input);
        if (options_.timedemo) {
            PrintTimedemo(monitor.TickMicroseconds());
        }
    } else {
        status = RunPlayed(options_, parts, input);
    }
    monitor.SetAudioCapture(nullptr);
    monitor.SetAudioPath(nullptr);
    if (!options_.audioOutFile.empty() && !capture.Save(options_.audioOutFile)) {
        Complain("cannot write the sound " + options_.audioOutFile);
        return kBadInput;
    }
    return status;
}

}  // namespace kipkip
