#include "toy/toyanime.h"

#include <utility>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toyframe.h"
#include "toy/toynames.h"
#include "toy/toyobjlist.h"

namespace kipkip {

TToyAnime::TToyAnime(TToyBox* box, TTexDb& db, TToyObjList* owner)
    : TToyShape(box, std::string(toynames::kAnime), std::string(), 0, 0), owner(owner)
{
    name = db.Get("name").Text();
    std::int32_t count = db.Get("seqNum").Int(0);
    // The step lines are the ones after "seqNum", whatever their keys; a count larger than the
    // block ends with the block.
    for (std::int32_t i = 0; i < count && db.NextEntry(); ++i) {
        std::string_view frameName = db.EntryKey();
        TToyObject* found = nullptr;
        if (owner != nullptr) {
            found = owner->Find(toynames::kFrame, frameName);
        } else if (box != nullptr) {
            found = box->FindObject(toynames::kFrame, frameName);
        }
        SequenceEntry entry{dynamic_cast<TToyFrame*>(found), db.EntryValue().Int(0),
                            std::string(frameName)};
        sequence.push_back(entry);
        // Wrapping addition, as a sum of data durations must not be undefined behaviour.
        totalDuration = static_cast<std::int32_t>(static_cast<std::uint32_t>(totalDuration) +
                                                  static_cast<std::uint32_t>(entry.duration));
    }
    if (TToyFrame* first = FrameAt(0)) {
        hitRect = first->hitRect;
    }
}

void TToyAnime::Prepare()
{
    TToyShape::Prepare();
    if (owner != nullptr || box == nullptr) {
        return;
    }
    for (SequenceEntry& entry : sequence) {
        entry.frame = dynamic_cast<TToyFrame*>(box->FindObject(toynames::kFrame, entry.frameName));
    }
}

void TToyAnime::SaveKeys(std::vector<std::string>& lines)
{
    TToyShape::SaveKeys(lines);
    lines.push_back("\tseqNum\t\t" + std::to_string(sequence.size()));
    for (const SequenceEntry& entry : sequence) {
        // A step whose frame was not found is written with the name it was read with.
        const std::string& frameName = entry.frame != nullptr ? entry.frame->name : entry.frameName;
        lines.push_back("\t" + frameName + "\t\t" + std::to_string(entry.duration));
    }
}

TToyFrame* TToyAnime::FrameAt(std::int32_t time) const
{
    if (time > totalDuration) {
        time = totalDuration;
    }
    std::int64_t sum = 0;
    for (const SequenceEntry& entry : sequence) {
        sum += entry.duration;
        if (sum >= time) {
            return entry.frame;
        }
    }
    // Only reachable with negative durations, which no data has: the last step.
    return sequence.empty() ? nullptr : sequence.back().frame;
}

void TToyAnime::DrawAt(std::int32_t time)
{
    TToyFrame* frame = FrameAt(time);
    if (frame == nullptr) {
        return;
    }
    frame->DrawCells(x, y);
    hitRect = frame->hitRect;
}

const SequenceEntry* TToyAnime::GetEntry(int index) const
{
    if (index < 0 || index >= EntryCount()) {
        return nullptr;
    }
    return &sequence[static_cast<std::size_t>(index)];
}

}  // namespace kipkip
