#include "app/musicoutput.h"

#include "device/audiopath.h"

namespace kipkip {

MusicOutput::~MusicOutput()
{
    if (loading_.valid()) {
        loading_.wait();
    }
}

bool MusicOutput::Start(const MusicChoice& choice, const std::string& soundFont,
                        const std::string& logFile, AudioPath& path, std::string& error)
{
    out_ = &silent_;
    if (choice.sink == MusicSink::Synthesiser) {
        synth_ = std::make_unique<FluidMidiOut>(FluidMidiOut::ChooseSoundFont(soundFont));
        FluidMidiOut* synth = synth_.get();
        loading_ = std::async(std::launch::async, [synth] { synth->Open(); });
        path_ = &path;
        out_ = synth;
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

MidiOut& MusicOutput::Ready()
{
    if (loading_.valid()) {
        loading_.wait();
    }
    // The synthesiser joins the audio path only now: the audio thread never waits on its load.
    if (synth_ && path_ != nullptr) {
        FluidMidiOut* synth = synth_.get();
        path_->SetSynth([synth](std::span<std::int16_t> out) { synth->Render(out); });
        path_ = nullptr;
    }
    return *out_;
}

std::string MusicOutput::Failure() const
{
    return synth_ && !synth_->Error().empty() ? synth_->Error() : "the output did not open";
}

}  // namespace kipkip
