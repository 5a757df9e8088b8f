#include "app/gamesession.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "app/complain.h"
#include "app/exitstatus.h"
#include "app/formpainter.h"
#include "app/framefile.h"
#include "app/gameinput.h"
#include "app/gamelog.h"
#include "app/keymap.h"
#include "app/loopfanout.h"
#include "app/mainform.h"
#include "app/menuoverlay.h"
#include "app/musicoutput.h"
#include "app/nomusicnotice.h"
#include "app/pacescreen.h"
#include "app/recordinghost.h"
#include "app/recordingwriter.h"
#include "app/recordskeeper.h"
#include "app/recordsoverlay.h"
#include "app/recordwatch.h"
#include "app/replayhost.h"
#include "app/runclock.h"
#include "app/runscript.h"
#include "app/runstage.h"
#include "app/screenshotsaver.h"
#include "app/scriptfeed.h"
#include "app/sequencerattachment.h"
#include "app/shottaker.h"
#include "app/ticklimit.h"
#include "app/ticksampling.h"
#include "app/tickstopwatch.h"
#include "app/timedemoreport.h"
#include "app/tracelistener.h"
#include "game/filegamehost.h"
#include "game/gamemain.h"
#include "platform/fatalerror.h"
#include "platform/sdl/scancodes.h"
#include "platform/sjis.h"
#include "replay/replayrecorder.h"
#include "replay/scriptedinput.h"
#include "replay/tickinput.h"

namespace kipkip {
namespace {

// The player's keys: an input script's, fed by loop ticks, else the stage's own.
class PlayerKeys {
public:
    PlayerKeys(const std::optional<InputScript>& script, const RunClock& clock, InputPort& stage)
        : stage_(stage)
    {
        if (script) {
            script_.emplace(*script);
            feed_.emplace(*script_, clock, ScriptFeed::Count::LoopTicks);
        }
    }
    PlayerKeys(const PlayerKeys&) = delete;
    PlayerKeys& operator=(const PlayerKeys&) = delete;

    InputPort& Input() { return script_ ? static_cast<InputPort&>(*script_) : stage_; }
    // What sets the script's keys each tick, if there is a script.
    LoopListener* Feed() { return feed_ ? &*feed_ : nullptr; }

private:
    InputPort& stage_;
    std::optional<ScriptedInput> script_;
    std::optional<ScriptFeed> feed_;
};

}  // namespace

int GameSession::Run()
{
    RunClock clock;
    const auto& replay = parts_.script.Replay();
    return replay ? Replay(*replay, clock) : Play(clock);
}

Bindings GameSession::PlayerBindings()
{
    KeyMap keys = ResolveKeys(options_.keyNames, TMainForm::kDefaultKeys);
    for (const std::string& complaint : keys.complaints) {
        Complain(complaint);
    }
    return Bindings{keys.keys, options_.padButtons};
}

// A played run: the keys of the settings (or of an input script, by loop ticks), read once a
// tick, and the ordinary host, written down as a replay when --record asks for one. The game
// reads them through the menu's bindings and release; the recording holds what it read.
int GameSession::Play(RunClock& clock)
{
    PlayerKeys keys(parts_.script.Keys(), clock, parts_.stage.PlayerInput());
    TickInput player(keys.Input());
    const Bindings bindings = PlayerBindings();
    GameInput game(player, bindings);
    TickInput input(game);
    TickSampling sampling{&player, &input};
    FileGameHost files([this](std::string_view name, std::string_view reason) {
        parts_.stage.Tell("The high score cannot be saved in\n" +
                          std::filesystem::absolute(std::string(name)).string() + ":\n" +
                          std::string(reason) + ".\nThe game goes on and keeps it until it ends.");
    });
    LoopListener* scriptFeed = keys.Feed();
    const bool records = UsesRecords(false);
    if (options_.recordFile.empty() && !records) {
        return RunForm({input, bindings.keys, bindings.padButtons, files, 0, player, &game},
                       bindings, clock, {scriptFeed, &sampling});
    }
    // The records keep each game's recording, so a run that keeps them records itself.
    GameLog log(files, clock);
    ReplayRecorder recorder(options_.recordFile, bindings.keys, bindings.padButtons);
    RecordingWriter writer(recorder, input, clock);
    RecordingHost host(log, recorder, writer, clock);
    Feed feed{input, bindings.keys, bindings.padButtons, host, 0, player, &game};
    if (records) {
        feed.log = &log;
        feed.recorder = &recorder;
    }
    int status = RunForm(feed, bindings, clock, {scriptFeed, &sampling, &writer});
    writer.Finish();
    return writer.Failed() ? exitstatus::Worst(status, exitstatus::kUnwritableOutput) : status;
}

bool GameSession::UsesRecords(bool replay) const
{
    return options_.withRecords || options_.paceMarkerAsked || (!replay && !options_.headless);
}

bool GameSession::ShowsPace(const Feed& feed) const
{
    const bool playedInWindow = !options_.headless && feed.recorder != nullptr;
    return options_.paceMarkerAsked || playedInWindow;
}

// A replayed run: the recording's keys (by game ticks), seeds and high score, and the key map and
// pad binding it was made with, whatever the settings say now. It ends where the recording ended,
// unless --ticks says otherwise. The player's own keys (or an input script's, by loop ticks)
// only reach the menu.
int GameSession::Replay(const ReplayFile& replay, RunClock& clock)
{
    ScriptedInput script(replay.script);
    ScriptFeed feed(script, clock, ScriptFeed::Count::GameTicks);
    ReplayHost replayHost(replay, clock);
    GameLog log(replayHost, clock);
    const bool records = UsesRecords(true);
    GameHost& host = records ? static_cast<GameHost&>(log) : replayHost;
    PlayerKeys keys(parts_.script.Keys(), clock, parts_.stage.PlayerInput());
    TickInput player(keys.Input());
    TickSampling sampling{&player};
    Feed how{script,
             replay.keys.value_or(TMainForm::kDefaultKeys),
             replay.pad.value_or(kDefaultPadBinding),
             host,
             std::max<std::uint64_t>(replay.LastTick(), 1),
             player};
    if (records) {
        how.log = &log;
    }
    const Bindings bindings = PlayerBindings();
    LoopListener* playerKeys = keys.Feed();
    if (!options_.timedemo) {
        return RunForm(how, bindings, clock, {&feed, playerKeys, &sampling});
    }
    TickStopwatch stopwatch;
    int status = RunForm(how, bindings, clock, {&stopwatch, &feed, playerKeys, &sampling});
    std::fputs(TimedemoReport(stopwatch.Microseconds()).c_str(), stdout);
    return status;
}

// The sequencer's own failure text, once a run, with the reason and the remedy; the game goes on
// without music. Music turned down to nothing is not missed, so a window shows no box for it.
void GameSession::TellNoMusic()
{
    std::string reason = parts_.music.Failure();
    reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
    // Short lines: a message box does not wrap them.
    const std::string message = SjisToUtf8(TKivMidi::InitFailureText()) + "\n" + reason +
                                ".\nThe game runs without music. To hear it, install the package\n"
                                "fluid-soundfont-gm, or name a SoundFont (.sf2) with --soundfont\n"
                                "or in the settings file's soundfont line.";
    if (options_.musicVolume == 0) {
        Complain(message);
    } else {
        parts_.stage.Tell(message);
    }
}

// An error that escapes the game is reported as a fatal error, and the run ends with status 1.
int GameSession::RunForm(const Feed& feed, const Bindings& bindings, RunClock& clock,
                         std::initializer_list<LoopListener*> pieces)
{
    FrameLoop& loop = parts_.stage.Loop();
    bool shotFailed = false;
    try {
        MenuSettingsFile settings(options_, bindings, parts_.settings, KeyNameFromDik);
        MenuOverlay menu(
            {feed.player, feed.game, loop, parts_.menuMixer, parts_.path, parts_.stage, settings});
        std::optional<RecordsKeeper> keeper;
        std::optional<RecordsOverlay> records;
        if (feed.log != nullptr) {
            keeper.emplace();
            records.emplace(RecordsOverlay::Parts{
                feed.player, feed.game, menu, menu.Screen(), menu.GameTimer(), parts_.stage,
                *keeper, feed.log, feed.recorder, parts_.bitmaps, parts_.fonts, parts_.menuMixer});
            menu.AllowOpening([&records] { return records->AllowsMenu(); });
        }
        const std::optional<MenuFont> font = MenuFont::BuiltIn();
        std::optional<PaceScreen> pace;
        if (records && font && ShowsPace(feed)) {
            pace.emplace(records->Screen(), *font, [&feed] { return feed.log->TickOfGame(); });
            records->ShowPaceOn(*pace);
        }
        VideoPort& screen = pace      ? static_cast<VideoPort&>(*pace)
                            : records ? records->Screen()
                                      : menu.Screen();
        // A run whose sound must be the same every time waits for the synthesiser; a window
        // shows its first frame while the SoundFont loads.
        const bool waitForSynth = options_.headless || !options_.midiLogFile.empty();
        TMainForm form(
            {screen, parts_.bitmaps, parts_.fonts, feed.input,
             records ? records->GameTimer() : menu.GameTimer(), parts_.mixer,
             parts_.music.Output(waitForSynth), options_.mute, feed.keys, &clock, feed.padButtons},
            TMainForm::MainModeWith(feed.host));
        menu.Watch(form);
        if (records) {
            records->Watch(form);
        }
        if (pace) {
            pace->Watch(form);
        }
        SequencerAttachment sequencer(parts_.path, form.Midi());
        NoMusicNotice noMusic(
            [this, &form] {
                return !options_.mute && (!form.Midi().IsOpen() || parts_.music.SynthFailed());
            },
            [this] { TellNoMusic(); });
        // --ticks counts loop ticks and wins over the end of a replay.
        TickLimit limit(options_.ticks, options_.ticks == 0 ? feed.lastGameTick : 0, clock);
        FormPainter painter(form);
        const auto overlaid = [&menu, &records] {
            return records && !menu.HoldsGame() && records->HoldsGame();
        };
        TraceListener trace(parts_.trace, clock, form, [&menu, &records, overlaid] {
            return overlaid() ? records->Where() : menu.Where();
        });
        if (records) {
            trace.Follow([&records]() -> RecordWatch* { return records->Watched(); });
        }
        const ShownFrame shown = [&menu, &records, &pace, overlaid]() -> const Surface& {
            if (overlaid()) {
                return records->ShownFrame();
            }
            return pace && !menu.HoldsGame() ? pace->Shown() : menu.ShownFrame();
        };
        ShotTaker shots(options_.shots, shown);
        ScreenshotSaver screenshots(shown);
        LoopFanOut fanOut;
        fanOut.Add(clock);
        fanOut.Add(noMusic);
        for (LoopListener* piece : pieces) {
            if (piece != nullptr) {
                fanOut.Add(*piece);
            }
        }
        // After the keys are sampled and before the game steps.
        fanOut.Add(menu);
        if (records) {
            fanOut.Add(*records);
        }
        fanOut.Add(painter);
        parts_.stage.AddListeners(fanOut);
        fanOut.Add(trace);
        fanOut.Add(shots);
        fanOut.Add(screenshots);
        fanOut.Add(limit);
        loop.Run(fanOut);
        shotFailed = shots.Failed();
    } catch (const std::exception& error) {
        FatalError(true, error.what());
    }
    if (ShutdownRequested()) {
        return exitstatus::kFatal;
    }
    return shotFailed ? exitstatus::kUnwritableOutput : exitstatus::kDone;
}

}  // namespace kipkip
