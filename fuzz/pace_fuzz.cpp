// Pace files on any bytes: reading one never goes outside it, a pace read holds no more than
// the bound of ticks, and it is written back as text that reads as the same pace.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/pacetext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    std::string error;
    const std::optional<Pace> pace = PaceText::Parse("fuzz", std::span(data, size), error);
    if (!pace) {
        if (error.empty()) {
            std::abort();  // a refusal says why
        }
        return 0;
    }
    if (pace->Ticks() > Pace::kMaxTicks) {
        std::abort();
    }
    const std::string text = PaceText::Format(*pace);
    const std::optional<Pace> again = PaceText::Parse(
        "fuzz", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
    if (!again || !(*again == *pace)) {
        std::abort();
    }
    return 0;
}
