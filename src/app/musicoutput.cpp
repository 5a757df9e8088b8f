#include "app/musicoutput.h"

#include "device/audiopath.h"

namespace kipkip {

bool MusicOutput::Start(const MusicChoice& choice, const std::string& soundFont,
                        const std::string& logFile, AudioPath& path, std::string& error)
{
    out_ = &silent_;
    if (choice.sink == MusicSink::Synthesiser) {
        synth_ = std::make_unique<FluidMidiOut>(FluidMidiOut::ChooseSoundFont(soundFont));
        FluidMidiOut* synth = synth_.get();
        loading_ = std::make_unique<LoadingSynth>(
            *synth, [synth](std::span<std::int16_t> out) { synth->Render(out); }, path);
        out_ = loading_.get();
    }
    if (choice.logged) {
        logFile_.open(logFile, std::ios::out | std::ios::trunc);
        if (!logFile_) {
            error = "cannot write the MIDI log " + logFile;
            return false;
        }
        log_ = std::make_unique<MidiLog>(*out_, logFile_, [&path] { return path.PassClockMs(); });
        out_ = log_.get();
    }
    return true;
}

MidiOut& MusicOutput::Output(bool waitForSynth)
{
    if (waitForSynth && loading_) {
        loading_->LoadNow();
    }
    return *out_;
}

std::string MusicOutput::Failure() const
{
    return synth_ && !synth_->Error().empty() ? synth_->Error() : "the output did not open";
}

}  // namespace kipkip
