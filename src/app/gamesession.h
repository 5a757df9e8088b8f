// app/gamesession.h
// The game of one run, from the main window's start-up to its shut-down, once the run has been
// set up: its host (the ordinary one, one that records, or a replay's), its keys, the run's
// clock, and the pieces that take part in each tick, fanned out to the frame loop.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "app/commandline.h"
#include "app/menusettingsfile.h"
#include "device/inputstate.h"
#include "device/padbinding.h"
#include "menu/menusettings.h"
#include "platform/ports.h"

namespace kipkip {

class AudioPath;
class GameHost;
class GameInput;
class GameLog;
class MusicOutput;
struct ReplayFile;
class ReplayRecorder;
class RunClock;
class RunScript;
class RunStage;
class SoundMixer;
class TickInput;
class TraceWriter;

class GameSession {
public:
    // What the run's set-up made; all of it outlives the session.
    struct Parts {
        RunStage& stage;
        BitmapPort& bitmaps;
        FontPort& fonts;
        SoundMixer& mixer;
        SoundMixer& menuMixer;  // the menu's sounds, over the game's on the audio path
        AudioPath& path;
        MusicOutput& music;
        TraceWriter& trace;
        const RunScript& script;
        const MenuSettingsFile::Source& settings;
    };

    GameSession(const Options& options, Parts parts) : options_(options), parts_(parts) {}

    // Runs the game; its exit status (exitstatus.h): a fatal error, or a shot or the recording
    // that could not be written.
    int Run();

private:
    // How the game is fed, hosted and stopped: what differs between a played and a replayed run.
    struct Feed {
        InputPort& input;
        InputState keys;
        PadBinding padButtons;
        GameHost& host;
        std::uint64_t lastGameTick = 0;  // 0: no end of its own
        TickInput& player;               // the player's keys, which the menu answers
        GameInput* game = nullptr;       // the game's view of them, when they feed the game
        GameLog* log = nullptr;          // the games, when the run uses the records
        const ReplayRecorder* recorder = nullptr;  // the run's recording, when games may enter
    };

    int Play(RunClock& clock);
    int Replay(const ReplayFile& replay, RunClock& clock);
    // The main window over the feed until the loop ends; `pieces` take part in each tick before
    // the stage's own, the trace and the shots.
    // `bindings`: the player's, which the menu shows and changes.
    int RunForm(const Feed& feed, const Bindings& bindings, RunClock& clock,
                std::initializer_list<LoopListener*> pieces);
    void TellNoMusic();
    // Whether the run keeps and shows the records: a played run in a window always, a headless
    // run or a replay only when asked.
    bool UsesRecords(bool replay) const;
    // Whether the pace marker is shown: when the records are used in a played run in a window,
    // else only when asked.
    bool ShowsPace(const Feed& feed) const;
    // The player's bindings, from the settings and the command line.
    Bindings PlayerBindings();

    const Options& options_;
    Parts parts_;
};

}  // namespace kipkip
