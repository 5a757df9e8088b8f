#include "app/framefile.h"

#include <cstdint>
#include <vector>

#include "device/surface.h"
#include "platform/bmpwriter.h"
#include "platform/files.h"

namespace kipkip {

bool SaveFrame(const Surface& frame, const std::string& file)
{
    std::vector<std::uint8_t> bytes = EncodeBmp24(frame.View());
    return WriteWholeFile(file, bytes);
}

}  // namespace kipkip
