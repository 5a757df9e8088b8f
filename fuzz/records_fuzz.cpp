// Records files on any bytes: reading one never goes outside it, a table read is one the file
// can hold (at most ten whole records, best first), and it is written back as the same table.
#include <cstdint>
#include <cstdlib>

#include "records/recordstext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    const RecordsTextResult result = RecordsText::Parse("fuzz", std::span(data, size));
    if (result.status != RecordsTextResult::Status::kRead) {
        if (result.error.empty() || !result.table.Empty()) {
            std::abort();  // a refusal says why and gives no records
        }
        return 0;
    }
    const auto records = result.table.Records();
    if (records.size() > RecordsTable::kMaxRecords) {
        std::abort();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (Record::Fault(records[i]) || (i > 0 && records[i].score > records[i - 1].score)) {
            std::abort();
        }
    }
    const std::string text = RecordsText::Format(result.table);
    const RecordsTextResult again = RecordsText::Parse(
        "fuzz", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (again.status != RecordsTextResult::Status::kRead || !(again.table == result.table)) {
        std::abort();
    }
    return 0;
}
