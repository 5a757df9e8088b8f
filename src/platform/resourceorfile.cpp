#include "platform/resourceorfile.h"

#include "platform/files.h"
#include "platform/resources.h"

namespace kipkip {

std::optional<ResourceBytes> ReadResourceOrFile(std::string_view type, std::string_view name,
                                                const ResourceLookup& lookup)
{
    auto resource = lookup ? lookup(type, name) : FindResource(type, name);
    if (resource) {
        return ResourceBytes(*resource);
    }
    if (auto file = ReadWholeFile(name)) {
        return ResourceBytes(std::move(*file));
    }
    return std::nullopt;
}

}  // namespace kipkip
