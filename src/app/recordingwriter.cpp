#include "app/recordingwriter.h"

#include "app/complain.h"
#include "app/runclock.h"
#include "replay/replayrecorder.h"
#include "replay/tickinput.h"

namespace kipkip {

bool RecordingWriter::AfterTick(std::uint64_t)
{
    // A loop tick that did not step the game read nothing the recording could hold.
    if (clock_.GameTick() != observed_) {
        observed_ = clock_.GameTick();
        recorder_.Observe(static_cast<std::uint32_t>(observed_), input_.Held());
    }
    if (flushDue_) {
        flushDue_ = false;
        Flush();
    }
    return true;
}

void RecordingWriter::Finish()
{
    Flush();
}

void RecordingWriter::Flush()
{
    // A recording kept only in memory, for the records, has no file.
    if (recorder_.Path().empty()) {
        return;
    }
    if (!recorder_.Flush()) {
        Complain("cannot write the recording " + recorder_.Path());
        failed_ = true;
    }
}

}  // namespace kipkip
