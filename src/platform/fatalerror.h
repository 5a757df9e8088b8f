// platform/fatalerror.h
// The program's one way of reporting an unrecoverable error (a data text or an image that
// cannot be loaded). The report goes to the current reporter (a message box once the window
// exists; standard error before that, in headless runs and in tools), then the program is
// asked to end. The caller goes on: the program ends once the current event or tick is handled.
#pragma once

#include <string_view>

namespace kipkip {

class FatalReporter {
public:
    virtual ~FatalReporter() = default;
    virtual void Report(std::string_view message) = 0;  // Shift-JIS text
};

// Nothing happens unless `condition` holds.
void FatalError(bool condition, std::string_view message);

// The reporter in force; nullptr restores the default one, which writes to standard error.
// Returns the one it replaces.
FatalReporter* SetFatalReporter(FatalReporter* reporter);

// Puts a reporter in force for as long as it lives.
class ScopedFatalReporter {
public:
    explicit ScopedFatalReporter(FatalReporter& reporter) : previous_(SetFatalReporter(&reporter))
    {}
    ~ScopedFatalReporter() { SetFatalReporter(previous_); }
    ScopedFatalReporter(const ScopedFatalReporter&) = delete;
    ScopedFatalReporter& operator=(const ScopedFatalReporter&) = delete;

private:
    FatalReporter* previous_;
};

// Whether a fatal error has asked the program to end since the last ClearShutdownRequest.
bool ShutdownRequested();
void ClearShutdownRequest();

}  // namespace kipkip
