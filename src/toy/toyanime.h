// toy/toyanime.h
// A timed sequence of frames, each shown for a number of milliseconds. Given a time since the
// start, it tells which frame is due and draws it at the animation's position: the first step
// from 0 up to its duration inclusive, each later step after the end of the one before up to
// its own end inclusive, and the last step at and after the end. Animators play animations;
// an animation's own Draw is empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toy/toyshape.h"

namespace kipkip {

class TToyFrame;
class TToyObjList;

struct SequenceEntry {
    TToyFrame* frame = nullptr;  // not owned; nullptr when no frame had the step's name
    std::int32_t duration = 0;   // milliseconds
    std::string frameName;       // as read, so a step without a frame is still saved by name
};

class TToyAnime : public TToyShape {
public:
    // From the current block of `db`: "name", "seqNum" and the lines that follow "seqNum"
    // (each a frame name and a duration), as many as it says or as the block has. Frames are
    // looked up in `owner` (an animation file's list) or, without one, in the box. The other
    // shape keys are not read: an animation is at (0, 0), on the unnamed layer, not visible.
    TToyAnime(TToyBox* box, TTexDb& db, TToyObjList* owner);

    // An animation of the scene itself (no owner) looks its frames up again by name, so that
    // none of its steps keeps a frame the box has deleted; one of an animation file keeps its
    // file's frames.
    void Prepare() override;
    void SaveKeys(std::vector<std::string>& lines) override;

    // The frame due at `time` milliseconds; nullptr for an empty sequence or a step without a
    // frame.
    TToyFrame* FrameAt(std::int32_t time) const;
    // Draws the frame due at `time` at the animation's position and takes its hit rectangle.
    void DrawAt(std::int32_t time);
    // nullptr outside 0 .. EntryCount() - 1.
    const SequenceEntry* GetEntry(int index) const;
    int EntryCount() const { return static_cast<int>(sequence.size()); }

    TToyObjList* owner = nullptr;  // not owned; nullptr: the box
    std::vector<SequenceEntry> sequence;
    std::int32_t totalDuration = 0;  // the sum of the durations, taken at creation
};

}  // namespace kipkip
