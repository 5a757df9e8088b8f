#include "app/tracewriter.h"

#include "app/jsonline.h"
#include "kernel/kernel.h"

namespace kipkip {

bool TraceWriter::Open(const std::string& path)
{
    out_.open(path, std::ios::binary | std::ios::trunc);
    return out_.is_open();
}

void TraceWriter::Write(std::uint64_t tick, const TKernel& kernel)
{
    if (!out_.is_open()) {
        return;
    }
    out_ << JsonLine()
                .Add("tick", static_cast<std::int64_t>(tick))
                .Add("ms", kernel.elapsed)
                .Add("held", kernel.held)
                .Add("pressed", kernel.pressed)
                .Add("repeated", kernel.repeated)
                .Add("lastKey", kernel.lastKey)
                .Text()
         << '\n';
}

}  // namespace kipkip
