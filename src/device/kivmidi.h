// device/kivmidi.h
// The background-music device: a small sequencer of its own that reads a standard MIDI file
// (format 0 or 1, at most 64 tracks) from a built-in MIDI resource or a file and sends its
// events, as they fall due, to a MidiOut. Time advances in passes of 10 ms, turned into ticks
// with whole-number arithmetic (the tempo in whole quarter notes per minute, the rest carried
// from pass to pass), so the music keeps the speed it always had. A song loops from its "end"
// cue back to its "repeat" cue, or from the top once every track has ended.
//
// Two ways to run the passes. Timer mode (Init()): whoever renders the synthesiser's audio
// calls SmfPlay before each 10 ms of music, and a pass then always counts as 10 ms. Thread
// mode (Init(module, true)): a thread of the device's own runs a pass every 10 ms and counts
// the time it measured since the last one. Either way a pass holds the device's recursive lock
// for its whole length; Load, Play, Stop, Reset and CleanUp take the same lock, so none of them
// runs during a pass and no pass starts after Stop has returned. Stop is also reached from
// inside a pass (the end of the song), which is why the lock is recursive.
//
// Every length in the file is checked against the end of its track: an event, a system
// exclusive message or a meta event that would run past it ends the track instead.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "device/midifile.h"
#include "platform/ports.h"
#include "platform/resourceorfile.h"

namespace kipkip {

class TKivMidi {
public:
    // Where MIDI resources are looked up (the "module"): given a type and a name, the bytes
    // of that resource or nothing. An empty one stands for the program's own resources.
    using ResourceModule = ResourceLookup;

    // The table has a record for every track the file reader reads.
    static constexpr int kMaxTracks = MidiFile::kMaxTracks;
    // Milliseconds one timer pass stands for, and the play thread's sleep between passes.
    static constexpr int kStepMs = 10;
    static constexpr int kResolutionMs = 10;
    // A long message the output keeps refusing as not ready is dropped after this many tries.
    static constexpr int kLongMsgAttempts = 200;
    // A loop whose body takes no time would jump for ever inside one pass; a pass makes at
    // most this many loop jumps and leaves the rest to the next pass.
    static constexpr int kMaxJumpsPerPass = 64;

    // Where a track stands in its song.
    struct TrackState {
        bool active = false;
        bool ended = false;
        std::uint32_t position = 0;
        std::uint32_t loopPosition = 0;
        std::uint8_t runningStatus = 0;
        std::uint32_t ticks = 0;
        std::uint32_t loopTicks = 0;
    };
    // One track record as it stands, for tests and tools.
    struct TrackView : TrackState {
        std::uint32_t length = 0;
    };

    // The output must outlive the device.
    explicit TKivMidi(MidiOut& out);
    ~TKivMidi();
    TKivMidi(const TKivMidi&) = delete;
    TKivMidi& operator=(const TKivMidi&) = delete;

    // Timer mode with the program's own resources.
    bool Init();
    // CleanUp, then opens the output (and in thread mode starts the play thread). On failure
    // the program shows InitFailureText() to the player; every later operation refuses.
    bool Init(ResourceModule module, bool threadMode);
    // Ends the play thread, stops and closes the output and forgets the song.
    void CleanUp();
    // The Shift-JIS text shown when the output cannot be opened.
    static std::string_view InitFailureText();

    // Stops, then loads the MIDI resource of that name, else the file of that name. A
    // resource that exists and does not load is not tried as a file.
    bool Load(std::string_view name);
    // Reads the header and the tracks into the table. It does not make the song loaded (Load
    // does): a header that is refused leaves the table as it was; a refused track chunk leaves
    // the tracks before it in the table.
    bool LoadFile(std::span<const std::uint8_t> image);

    // Loads the name and plays it; on success it becomes the current song name.
    bool Play(std::string_view fileName, bool loop);
    // Starts or resumes the loaded song from where its tracks stand.
    bool Play(bool loop);
    // Stops playing and lets every sounding note go into its release, as a synthesiser does
    // when its song stops (sustain off, all notes off, controllers reset on every channel); the
    // programs stay, and the tracks keep their positions. Loading a song resets the output.
    bool Stop();
    // Rewinds every track and sets the loop flag; only while loaded and not playing.
    bool Reset(bool loop);
    // Reset with the loop flag left as it is.
    void Reset();
    bool IsPlay();
    // Playing, and the name equals the current song name exactly (letter case counts).
    bool IsPlay(std::string_view fileName);

    // Kind 0: GM System On; kind 1: GS Reset; any other kind sends nothing.
    bool MidiReset(int kind);
    // The GS reverb, chorus and delay macros with their checksums.
    bool SetReverb(std::uint8_t value);
    bool SetChorus(std::uint8_t value);
    bool SetDelay(std::uint8_t value);
    // Sends status + data1 * 256 + data2 * 65536 when the output is open.
    void ShortMsg(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Sends one system-exclusive message, retrying at once while the output is not ready
    // (kLongMsgAttempts in all); false only when the output is not open.
    bool LongMsg(std::span<const std::uint8_t> bytes);

    // One 10 ms pass in timer mode, under the lock; nothing unless playing in timer mode.
    void SmfPlay();

    // State, for tests and tools.
    bool IsOpen();
    bool IsLoaded();
    bool LoopFlag();
    bool ThreadMode();
    int TrackCount();
    int Format();
    int Division();
    int Tempo();
    int Remainder();
    std::string CurrentSongName();
    TrackView Track(int index);

private:
    struct TrackRecord : TrackState {
        std::vector<std::uint8_t> data;  // the MTrk chunk's contents; its size is the length
    };

    // One pass standing for step_ milliseconds; the caller holds the lock.
    void Pass();
    void PlayThread();
    void EventEot();
    // Marks the track ended and runs EventEot: the natural end, or an event cut short.
    void EndTrack(int track);
    void MetaEvent(int track);
    void SystemExclusive(int track);
    void ShortEvent(int track);
    void RunningStatus(int track);
    // Sends the channel message with `status` whose data starts at the track's position.
    void ChannelMessage(int track, std::uint8_t status);
    // The variable-length number at the track's position, moving past it (GetValue) or not
    // (CheckValue); nothing when it runs past the track's end.
    std::optional<std::uint32_t> GetValue(int track);
    std::optional<std::uint32_t> CheckValue(int track) const;
    void ClearTable();
    void ReleaseNotes();

    MidiOut& out_;
    std::recursive_mutex lock_;
    std::thread thread_;
    ResourceModule module_;
    bool open_ = false;
    bool loaded_ = false;
    bool playing_ = false;
    std::atomic<bool> threadMode_{false};
    bool loop_ = false;
    int trackCount_ = 0;
    int format_ = 0;
    int division_ = 0;
    int tempo_ = 120;
    int remainder_ = 0;
    int step_ = kStepMs;
    std::array<TrackRecord, kMaxTracks> tracks_{};
    std::string currentSongName_ = "NULL";
    // Set when the pass must end at once (the song was stopped inside it).
    bool passEnded_ = false;
    int jumpsThisPass_ = 0;
    // Reused for every system-exclusive message, so a pass does not allocate once it is warm.
    std::vector<std::uint8_t> sysex_;
};

}  // namespace kipkip
