#include "app/gamerunner.h"

#include "app/complain.h"
#include "app/datadirectory.h"
#include "app/exitstatus.h"
#include "app/gamesession.h"
#include "app/headlessstage.h"
#include "app/musicchoice.h"
#include "app/musicoutput.h"
#include "app/outputfiles.h"
#include "app/runscript.h"
#include "app/tracewriter.h"
#include "app/windowstage.h"
#include "device/audiopath.h"
#include "device/soundmixer.h"
#include "platform/fatalerror.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"

namespace kipkip {

std::unique_ptr<RunStage> GameRunner::MakeStage() const
{
    if (options_.headless) {
        return std::make_unique<HeadlessStage>(options_);
    }
    return std::make_unique<WindowStage>(options_, started_, *boxes_);
}

// The files first, so that nothing is started for a run that cannot be made: the data
// directory, the trace, the recording or input script, then every other output file.
int GameRunner::PrepareFiles(RunStage& stage, TraceWriter& trace, RunScript& script)
{
    if (std::optional<std::string> error = EnterDataDirectory(options_)) {
        stage.ReportSetUpError(*error);
        return exitstatus::kBadInput;
    }
    trace.SetActors(options_.traceActors);
    if (!options_.traceFile.empty() && !trace.Open(options_.traceFile)) {
        stage.ReportSetUpError("cannot write the trace " + options_.traceFile);
        return exitstatus::kUnwritableOutput;
    }
    if (std::string error; !script.Load(options_, error)) {
        stage.ReportSetUpError(error);
        return exitstatus::kBadInput;
    }
    std::vector<std::string> unwritable = UnwritableOutputs(options_);
    for (const std::string& message : unwritable) {
        stage.ReportSetUpError(message);
    }
    return unwritable.empty() ? exitstatus::kDone : exitstatus::kUnwritableOutput;
}

// The audio output, then the music's output as the table chooses it for that audio.
int GameRunner::PrepareSound(RunStage& stage, AudioPath& path, MusicOutput& music)
{
    path.SetMusicVolume(options_.musicVolume);
    path.SetEffectsVolume(options_.effectsVolume);
    const bool heard = stage.OpenAudio(path);
    const MusicChoice choice =
        ChooseMusicOutput(options_.mute, heard, !options_.midiLogFile.empty());
    if (std::string error;
        !music.Start(choice, options_.soundFontFile, options_.midiLogFile, path, error)) {
        stage.ReportSetUpError(error);
        return exitstatus::kUnwritableOutput;
    }
    return exitstatus::kDone;
}

int GameRunner::Run()
{
    ClearShutdownRequest();
    // The mixers, the audio path and the music outlive the audio device that pulls them.
    SoundMixer mixer;
    SoundMixer menuMixer;
    AudioPath path(mixer);
    path.SetOverlay(menuMixer);
    MusicOutput music;
    std::unique_ptr<RunStage> stage = MakeStage();
    TraceWriter trace;
    RunScript script;
    if (int status = PrepareFiles(*stage, trace, script); status != exitstatus::kDone) {
        return status;
    }
    SdlBitmap bitmaps;
    SdlFont fonts(options_.fontFile);
    // The game runs on without a usable font; text is then not drawn.
    if (!fonts.Open()) {
        Complain("no font for the game's text: " + fonts.Error());
    }
    if (int status = PrepareSound(*stage, path, music); status != exitstatus::kDone) {
        return status;
    }
    if (!stage->Open(warnings_)) {
        return exitstatus::kFatal;
    }
    GameSession session(options_, {*stage, bitmaps, fonts, mixer, menuMixer, path, music, trace,
                                   script, settings_});
    const int status = session.Run();
    return exitstatus::Worst(status, stage->Finish());
}

}  // namespace kipkip
