// The text database on any bytes: loading and every cursor operation stay inside the text.
#include <cstdint>

#include "platform/fatalcapture.h"
#include "texdb/texdb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    FatalCapture quiet;
    TTexDb db = TTexDb::FromText("fuzz", std::span(data, size));
    do {
        db.Get("class");
        while (db.NextEntry()) {
            db.EntryKey();
            db.EntryValue();
        }
    } while (db.Next());
    db.First();
    if (db.Current() != nullptr && db.Current()->EntryCount() > 0) {
        const TexEntry& entry = db.Current()->entries.front();
        db.FindBlock(entry.Key(), entry.value);
        while (db.Next()) {
        }
    }
    return 0;
}
