#include "platform/resources.h"

#include "platform/asciicase.h"
#include "platform/resourcetable.h"

namespace kipkip {
namespace {

bool IsShiftJisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsShiftJisLead(static_cast<unsigned char>(a[i]))) {
            // A double-byte character: both bytes compare exactly.
            if (a.compare(i, 2, b, i, 2) != 0) {
                return false;
            }
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type,
                                                          std::string_view name)
{
    for (const EmbeddedResource& resource : EmbeddedResources()) {
        if (EqualsIgnoringCase(resource.type, type) && EqualsIgnoringCase(resource.name, name)) {
            return std::span<const std::uint8_t>(resource.begin, resource.end);
        }
    }
    return std::nullopt;
}

}  // namespace kipkip
