#include "app/sequencerattachment.h"

#include "device/audiopath.h"
#include "device/kivmidi.h"

namespace kipkip {

SequencerAttachment::SequencerAttachment(AudioPath& path, TKivMidi& midi) : path_(path)
{
    path_.SetSequencer([&midi] { midi.SmfPlay(); });
}

SequencerAttachment::~SequencerAttachment()
{
    path_.SetSequencer(nullptr);
}

}  // namespace kipkip
