#include "texdb/texdb.h"

#include <utility>

#include "platform/fatalerror.h"
#include "platform/files.h"
#include "platform/resourceorfile.h"
#include "texdb/texdbnames.h"
#include "texdb/texparser.h"

namespace kipkip {

TTexDb::TTexDb(std::string name) : name(std::move(name)) {}

TTexDb::TTexDb(std::string name, std::string_view type) : TTexDb(std::move(name))
{
    if (auto text = ReadResourceOrFile(type, this->name)) {
        Parse(text->Bytes());
    } else {
        ReportMissing();
    }
}

TTexDb TTexDb::FromText(std::string name, std::span<const std::uint8_t> text)
{
    TTexDb db(std::move(name));
    db.Parse(text);
    return db;
}

TTexDb TTexDb::FromText(std::string name, std::string_view text)
{
    return FromText(std::move(name),
                    std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TTexDb TTexDb::FromFile(std::string name)
{
    TTexDb db(std::move(name));
    if (auto file = ReadWholeFile(db.name)) {
        db.Parse(*file);
    } else {
        db.ReportMissing();
    }
    return db;
}

void TTexDb::ReportMissing()
{
    FatalError(true, "TTexDb : " + name + std::string(texdbnames::kMissing));
}

void TTexDb::Parse(std::span<const std::uint8_t> text)
{
    TexParseResult result = TexParser::Parse(name, text);
    // One report of the braces is enough: the program is already on its way out.
    FatalError(result.bracketError, texdbnames::kBracketNotClosed);
    if (result.conversionError) {
        FatalError(true, *result.conversionError);
    }
    blocks = std::move(result.blocks);
    First();
}

const TexBlock* TTexDb::Current() const
{
    if (currentIndex < 0 || currentIndex >= BlockCount()) {
        return nullptr;
    }
    return &blocks[static_cast<std::size_t>(currentIndex)];
}

void TTexDb::First()
{
    currentIndex = 0;
}

bool TTexDb::Next()
{
    return Seek(currentIndex + 1);
}

bool TTexDb::FindBlock(std::string_view key, const TexValue& value)
{
    search.SetKey(key);
    search.value = value;
    return Seek(0);
}

int TTexDb::FindEntry(const TexBlock& block, std::string_view key)
{
    for (int i = 0; i < block.EntryCount(); ++i) {
        if (block.entries[static_cast<std::size_t>(i)].Key() == key) {
            return i;
        }
    }
    return -1;
}

// With a search key, the first block from `from` on whose value for that key (the zero value
// when it lacks the key) equals the search value; without one, the block at `from`.
bool TTexDb::Seek(int from)
{
    int found = -1;
    if (search.Key().empty()) {
        if (from >= 0 && from < BlockCount()) {
            found = from;
        }
    } else {
        for (int i = std::max(from, 0); i < BlockCount() && found < 0; ++i) {
            const TexBlock& block = blocks[static_cast<std::size_t>(i)];
            int entry = FindEntry(block, search.Key());
            TexValue value;
            if (entry >= 0) {
                entryIndex = entry;
                value = block.entries[static_cast<std::size_t>(entry)].value;
            }
            if (value == search.value) {
                found = i;
            }
        }
    }
    currentIndex = found;
    return found >= 0;
}

TexValue TTexDb::Get(std::string_view key)
{
    const TexBlock* block = Current();
    if (block == nullptr) {
        return TexValue();
    }
    int entry = FindEntry(*block, key);
    if (entry < 0) {
        return TexValue();
    }
    entryIndex = entry;
    return block->entries[static_cast<std::size_t>(entry)].value;
}

bool TTexDb::NextEntry()
{
    ++entryIndex;
    const TexBlock* block = Current();
    if (block != nullptr && entryIndex < block->EntryCount()) {
        return true;
    }
    entryIndex = 0;
    return false;
}

const TexEntry* TTexDb::EntryAtCursor() const
{
    const TexBlock* block = Current();
    if (block == nullptr || entryIndex < 0 || entryIndex >= block->EntryCount()) {
        return nullptr;
    }
    return &block->entries[static_cast<std::size_t>(entryIndex)];
}

std::string_view TTexDb::EntryKey() const
{
    const TexEntry* entry = EntryAtCursor();
    return entry != nullptr ? entry->Key() : std::string_view();
}

TexValue TTexDb::EntryValue() const
{
    const TexEntry* entry = EntryAtCursor();
    return entry != nullptr ? entry->value : TexValue();
}

}  // namespace kipkip
