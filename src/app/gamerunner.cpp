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
        return std::make_unique<HeadlessStage>(options_.audioOutFile);
    }
    return std::make_unique<WindowStage>(options_, started_);
}

int GameRunner::Run()
{
    ClearShutdownRequest();
    // The mixer, the audio path and the music outlive the audio device that pulls them.
    SoundMixer mixer;
    AudioPath path(mixer);
    MusicOutput music;
    std::unique_ptr<RunStage> stage = MakeStage();
    if (std::optional<std::string> error = EnterDataDirectory(options_)) {
        stage->ReportSetUpError(*error);
        return exitstatus::kBadInput;
    }
    TraceWriter trace;
    trace.SetActors(options_.traceActors);
    if (!options_.traceFile.empty() && !trace.Open(options_.traceFile)) {
        stage->ReportSetUpError("cannot write the trace " + options_.traceFile);
        return exitstatus::kUnwritableOutput;
    }
    RunScript script;
    if (std::string error; !script.Load(options_, error)) {
        stage->ReportSetUpError(error);
        return exitstatus::kBadInput;
    }
    if (std::vector<std::string> unwritable = UnwritableOutputs(options_); !unwritable.empty()) {
        for (const std::string& message : unwritable) {
            stage->ReportSetUpError(message);
        }
        return exitstatus::kUnwritableOutput;
    }
    SdlBitmap bitmaps;
    SdlFont fonts(options_.fontFile);
    // The game runs on without a usable font; text is then not drawn.
    if (!fonts.Open()) {
        Complain("no font for the game's text: " + fonts.Error());
    }
    path.SetMusicVolume(options_.musicVolume);
    path.SetEffectsVolume(options_.effectsVolume);
    const bool heard = stage->OpenAudio(path);
    const MusicChoice choice =
        ChooseMusicOutput(options_.mute, heard, !options_.midiLogFile.empty());
    if (std::string error;
        !music.Start(choice, options_.soundFontFile, options_.midiLogFile, path, error)) {
        stage->ReportSetUpError(error);
        return exitstatus::kUnwritableOutput;
    }
    if (!stage->Open(warnings_)) {
        return exitstatus::kFatal;
    }
    GameSession session(options_, {*stage, bitmaps, fonts, mixer, path, music, trace, script});
    const int status = session.Run();
    return exitstatus::Worst(status, stage->Finish());
}

}  // namespace kipkip
