#include "records/recordstable.h"

#include <algorithm>

namespace kipkip {

std::optional<std::size_t> RecordsTable::Place(std::int32_t score) const
{
    if (score < 0 || score > Record::kMaxScore) {
        return std::nullopt;
    }
    // After every record at least as good: a tie keeps the older one ahead.
    const auto place =
        std::ranges::find_if(records_, [&](const Record& r) { return r.score < score; });
    const auto index = static_cast<std::size_t>(place - records_.begin());
    if (index >= kMaxRecords) {
        return std::nullopt;
    }
    return index;
}

std::optional<Record> RecordsTable::Insert(Record record)
{
    const std::optional<std::size_t> place = Place(record.score);
    if (!place || Record::Fault(record)) {
        return record;
    }
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(*place), std::move(record));
    if (records_.size() <= kMaxRecords) {
        return std::nullopt;
    }
    Record out = std::move(records_.back());
    records_.pop_back();
    return out;
}

bool RecordsTable::SetLastInitials(std::string_view initials)
{
    if (!Record::ValidInitials(initials)) {
        return false;
    }
    lastInitials_ = initials;
    return true;
}

}  // namespace kipkip
