#include "app/headlessstage.h"

#include "app/complain.h"
#include "app/exitstatus.h"
#include "app/loopfanout.h"

namespace kipkip {

void HeadlessStage::ReportSetUpError(const std::string& message)
{
    Complain(message);
}

void HeadlessStage::Tell(const std::string& message)
{
    Complain(message);
}

bool HeadlessStage::OpenAudio(AudioPath& path)
{
    if (options_.audioOutFile.empty()) {
        unheard_.emplace(path);
        return false;
    }
    capture_.emplace(path);
    return true;
}

void HeadlessStage::AddListeners(LoopFanOut& fanOut)
{
    if (capture_) {
        fanOut.Add(*capture_);
    }
    if (unheard_) {
        fanOut.Add(*unheard_);
    }
}

int HeadlessStage::Finish()
{
    if (capture_ && !capture_->Save(options_.audioOutFile)) {
        Complain("cannot write the sound " + options_.audioOutFile);
        return exitstatus::kUnwritableOutput;
    }
    return exitstatus::kDone;
}

}  // namespace kipkip
