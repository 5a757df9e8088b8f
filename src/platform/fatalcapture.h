// platform/fatalcapture.h
// Collects fatal-error reports instead of showing them, for as long as it lives: the data
// checker reports them as results, and tests look at what was reported. When it goes, the
// previous reporter is back and the shutdown request it caused is withdrawn.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/fatalerror.h"

namespace kipkip {

class FatalCapture : public FatalReporter {
public:
    FatalCapture() : scope_(*this) {}
    ~FatalCapture() override { ClearShutdownRequest(); }
    FatalCapture(const FatalCapture&) = delete;
    FatalCapture& operator=(const FatalCapture&) = delete;

    void Report(std::string_view message) override { messages_.emplace_back(message); }

    const std::vector<std::string>& Messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
    ScopedFatalReporter scope_;
};

}  // namespace kipkip
