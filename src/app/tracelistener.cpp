#include "app/tracelistener.h"

#include "app/mainform.h"
#include "app/recordwatch.h"
#include "app/runclock.h"
#include "app/tracewriter.h"

namespace kipkip {

bool TraceListener::AfterTick(std::uint64_t tick)
{
    if (RecordWatch* watch = watched_(); watch != nullptr && watch->Form().Kernel() != nullptr) {
        TMainForm& form = watch->Form();
        trace_.Write(tick, watch->GameTick(), *form.Kernel(), form.MainMode(), menu_());
        return true;
    }
    if (form_.Kernel() != nullptr) {
        trace_.Write(tick, clock_.GameTick(), *form_.Kernel(), form_.MainMode(), menu_());
    }
    return true;
}

}  // namespace kipkip
