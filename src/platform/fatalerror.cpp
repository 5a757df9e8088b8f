#include "platform/fatalerror.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/sjis.h"

namespace kipkip {
namespace {

class StandardErrorReporter : public FatalReporter {
public:
    void Report(std::string_view message) override
    {
        std::string text = SjisToUtf8(message);
        std::fprintf(stderr, "kipkip: %s\n", text.c_str());
    }
};

StandardErrorReporter standardError;
std::atomic<FatalReporter*> current{&standardError};
std::atomic<bool> shutdownRequested{false};

}  // namespace

void FatalError(bool condition, std::string_view message)
{
    if (!condition) {
        return;
    }
    current.load()->Report(message);
    shutdownRequested = true;
}

FatalReporter* SetFatalReporter(FatalReporter* reporter)
{
    FatalReporter* previous = current.exchange(reporter != nullptr ? reporter : &standardError);
    return previous == &standardError ? nullptr : previous;
}

bool ShutdownRequested()
{
    return shutdownRequested;
}

void ClearShutdownRequest()
{
    shutdownRequested = false;
}

}  // namespace kipkip
