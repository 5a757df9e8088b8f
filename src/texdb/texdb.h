// texdb/texdb.h
// The reader of every data text of the game (scene, animation files, difficulty table). It is
// built from a name and a resource type: the built-in resource of that name, else the file.
// The whole text is parsed at once into blocks; readers then walk the blocks (or search one by
// a key and value) and ask the current block for values by key. Nothing changes the blocks
// after loading; only the cursors move.
//
// A text that cannot be found or whose braces do not pair up is a fatal error; so is a number
// that does not convert, which also abandons the load. After a failure the database is empty:
// Get gives the zero value and Next and FindBlock give false.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "texdb/texblock.h"
#include "texdb/texvalue.h"

namespace kipkip {

class TTexDb {
public:
    TTexDb(std::string name, std::string_view type);

    // The text given directly, as a reader of a file already in memory would (tests, --check).
    static TTexDb FromText(std::string name, std::span<const std::uint8_t> text);
    static TTexDb FromText(std::string name, std::string_view text);
    // The file of that name only, never a built-in resource.
    static TTexDb FromFile(std::string name);

    // Block cursor.
    void First();
    bool Next();
    bool FindBlock(std::string_view key, const TexValue& value);

    // Entry cursor inside the current block.
    TexValue Get(std::string_view key);
    bool NextEntry();
    std::string_view EntryKey() const;
    TexValue EntryValue() const;

    const std::string& Name() const { return name; }
    const std::vector<TexBlock>& Blocks() const { return blocks; }
    int BlockCount() const { return static_cast<int>(blocks.size()); }
    int CurrentIndex() const { return currentIndex; }
    const TexBlock* Current() const;

private:
    explicit TTexDb(std::string name);
    void Parse(std::span<const std::uint8_t> text);
    void ReportMissing();
    bool Seek(int from);
    // The index of the first entry of `block` with `key`, or -1.
    static int FindEntry(const TexBlock& block, std::string_view key);
    const TexEntry* EntryAtCursor() const;

    std::string name;
    std::vector<TexBlock> blocks;
    int currentIndex = -1;
    int entryIndex = 0;
    TexEntry search;  // the block filter of FindBlock; no key until it is first called
};

}  // namespace kipkip
