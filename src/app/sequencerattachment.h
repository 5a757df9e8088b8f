// app/sequencerattachment.h
// While the main window lives, the audio path runs its sequencer's passes; never after it has
// gone.
#pragma once

namespace kipkip {

class AudioPath;
class TKivMidi;

class SequencerAttachment {
public:
    SequencerAttachment(AudioPath& path, TKivMidi& midi);
    ~SequencerAttachment();
    SequencerAttachment(const SequencerAttachment&) = delete;
    SequencerAttachment& operator=(const SequencerAttachment&) = delete;

private:
    AudioPath& path_;
};

}  // namespace kipkip
