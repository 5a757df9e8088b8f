// device/kivmidi.cpp
#include "device/kivmidi.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>

#include "device/devicenames.h"
#include "platform/resourceorfile.h"

namespace kipkip {

namespace {

// The data of a meta event begins with the word (a longer text still counts).
bool BeginsWith(std::span<const std::uint8_t> data, std::string_view word)
{
    return data.size() >= word.size() && std::memcmp(data.data(), word.data(), word.size()) == 0;
}

std::uint32_t NowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

TKivMidi::TKivMidi(MidiOut& out) : out_(out) {}

TKivMidi::~TKivMidi()
{
    CleanUp();
}

std::string_view TKivMidi::InitFailureText()
{
    return devicenames::kMidiMapperNotOpened;
}

bool TKivMidi::Init()
{
    return Init(nullptr, false);
}

bool TKivMidi::Init(ResourceModule module, bool threadMode)
{
    CleanUp();
    std::lock_guard guard(lock_);
    module_ = std::move(module);
    threadMode_ = threadMode;
    if (!out_.Open()) {
        threadMode_ = false;
        return false;
    }
    if (threadMode) {
        try {
            thread_ = std::thread([this] { PlayThread(); });
        } catch (const std::system_error&) {
            threadMode_ = false;
            out_.Close();
            return false;
        }
    }
    open_ = true;
    return true;
}

void TKivMidi::CleanUp()
{
    // The thread takes the lock for each pass, so it is ended before the lock is taken here.
    threadMode_ = false;
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard guard(lock_);
    if (open_) {
        Stop();
        out_.Close();
    }
    ClearTable();
    trackCount_ = 0;
    loaded_ = false;
    open_ = false;
}

void TKivMidi::ClearTable()
{
    for (TrackRecord& record : tracks_) {
        record = TrackRecord{};
    }
}

bool TKivMidi::Load(std::string_view name)
{
    std::lock_guard guard(lock_);
    if (!open_) {
        return false;
    }
    // A song starts from a clean output: nothing of the last one carries into it, not its
    // programs, not its tails.
    playing_ = false;
    out_.Reset();
    loaded_ = false;
    bool ok = false;
    if (auto song = ReadResourceOrFile("MIDI", name, module_)) {
        ok = LoadFile(song->Bytes());
    }
    if (!ok) {
        return false;
    }
    tempo_ = 120;
    loaded_ = true;
    return true;
}

bool TKivMidi::LoadFile(std::span<const std::uint8_t> bytes)
{
    std::lock_guard guard(lock_);
    MidiFile image;
    std::string error;
    const bool ok = MidiFile::Read(bytes, image, error);
    if (!image.headerRead) {
        return false;
    }
    if (ok) {
        out_.Prepare(image.Presets());
    }
    format_ = image.format;
    division_ = image.division;
    trackCount_ = std::min(image.declaredTracks, kMaxTracks);
    ClearTable();
    for (std::size_t i = 0; i < image.tracks.size(); ++i) {
        TrackRecord& record = tracks_[i];
        record.active = true;
        record.data.assign(image.tracks[i].begin(), image.tracks[i].end());
    }
    return ok;
}

bool TKivMidi::Play(std::string_view fileName, bool loop)
{
    std::lock_guard guard(lock_);
    if (!open_ || !Load(fileName) || !Play(loop)) {
        return false;
    }
    currentSongName_ = std::string(fileName);
    return true;
}

bool TKivMidi::Play(bool loop)
{
    std::lock_guard guard(lock_);
    if (!open_ || !loaded_) {
        return false;
    }
    if (playing_) {
        return true;
    }
    remainder_ = 0;
    loop_ = loop;
    // In timer mode the audio renderer is the timer: it calls SmfPlay whenever it renders
    // music, and the passes do something only while the playing flag is set.
    playing_ = true;
    return true;
}

bool TKivMidi::Stop()
{
    std::lock_guard guard(lock_);
    if (!open_) {
        return false;
    }
    playing_ = false;
    ReleaseNotes();
    return true;
}

void TKivMidi::ReleaseNotes()
{
    for (int channel = 0; channel < midibytes::kChannels; ++channel) {
        const auto control = static_cast<std::uint8_t>(midibytes::kControlChange | channel);
        ShortMsg(control, midibytes::kSustainPedal, 0);
        ShortMsg(control, midibytes::kAllNotesOff, 0);
        ShortMsg(control, midibytes::kResetAllControllers, 0);
    }
}

bool TKivMidi::Reset(bool loop)
{
    std::lock_guard guard(lock_);
    if (!open_ || !loaded_ || playing_) {
        return false;
    }
    loop_ = loop;
    for (TrackRecord& record : tracks_) {
        record.ended = false;
        record.position = 0;
        record.loopPosition = 0;
        record.runningStatus = 0;
        record.ticks = 0;
    }
    return true;
}

void TKivMidi::Reset()
{
    std::lock_guard guard(lock_);
    Reset(loop_);
}

bool TKivMidi::IsPlay()
{
    std::lock_guard guard(lock_);
    return playing_;
}

bool TKivMidi::IsPlay(std::string_view fileName)
{
    std::lock_guard guard(lock_);
    return playing_ && fileName == currentSongName_;
}

bool TKivMidi::MidiReset(int kind)
{
    static constexpr std::uint8_t kGmSystemOn[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    static constexpr std::uint8_t kGsReset[] = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40,
                                                0x00, 0x7F, 0x00, 0x41, 0xF7};
    std::lock_guard guard(lock_);
    if (!open_) {
        return false;
    }
    if (kind == 0) {
        LongMsg(kGmSystemOn);
    } else if (kind == 1) {
        LongMsg(kGsReset);
    }
    return true;
}

namespace {

// A GS parameter message to address 40 01 xx; the checksum makes address, value and checksum
// add up to a multiple of 128, computed in bytes.
std::array<std::uint8_t, 11> GsEffectMessage(std::uint8_t address, std::uint8_t value,
                                             std::uint8_t checksumBase)
{
    return {0xF0, 0x41, 0x10,    0x42,  0x12,
            0x40, 0x01, address, value, static_cast<std::uint8_t>(checksumBase - value),
            0xF7};
}

}  // namespace

bool TKivMidi::SetReverb(std::uint8_t value)
{
    std::lock_guard guard(lock_);
    return open_ && LongMsg(GsEffectMessage(0x30, value, 15));
}

bool TKivMidi::SetChorus(std::uint8_t value)
{
    std::lock_guard guard(lock_);
    return open_ && LongMsg(GsEffectMessage(0x38, value, 7));
}

bool TKivMidi::SetDelay(std::uint8_t value)
{
    std::lock_guard guard(lock_);
    return open_ && LongMsg(GsEffectMessage(0x50, value, 111));
}

void TKivMidi::ShortMsg(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    std::lock_guard guard(lock_);
    if (open_) {
        out_.Short(static_cast<std::uint32_t>(status) | static_cast<std::uint32_t>(data1) << 8 |
                   static_cast<std::uint32_t>(data2) << 16);
    }
}

bool TKivMidi::LongMsg(std::span<const std::uint8_t> bytes)
{
    std::lock_guard guard(lock_);
    if (!open_) {
        return false;
    }
    // The output answers false while it is not ready; after the last attempt the message is
    // dropped.
    for (int attempt = 0; attempt < kLongMsgAttempts; ++attempt) {
        if (out_.Long(bytes)) {
            break;
        }
    }
    return true;
}

void TKivMidi::SmfPlay()
{
    std::lock_guard guard(lock_);
    if (!playing_ || threadMode_) {
        return;
    }
    step_ = kStepMs;
    Pass();
}

void TKivMidi::PlayThread()
{
    std::uint32_t last = NowMs();
    while (threadMode_) {
        {
            std::lock_guard guard(lock_);
            if (playing_) {
                // Differences of the 32-bit clock stay right across its wrap.
                step_ = static_cast<int>(std::min<std::uint32_t>(NowMs() - last, 60000));
                Pass();
            }
        }
        last = NowMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(kResolutionMs));
    }
}

void TKivMidi::Pass()
{
    passEnded_ = false;
    jumpsThisPass_ = 0;
    const std::int64_t msPerQuarter = 60000 / tempo_;
    // In 64 bits: a thread-mode step after a long stall must not overflow.
    const std::int64_t units = std::int64_t{division_} * step_ + remainder_;
    const std::int64_t ticks = units / msPerQuarter;
    remainder_ = static_cast<int>(units % msPerQuarter);
    if (ticks <= 0) {
        return;
    }
    for (int track = 0; track < trackCount_; ++track) {
        TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
        if (!record.active || record.ended) {
            continue;
        }
        record.ticks += static_cast<std::uint32_t>(ticks);
        while (!record.ended && record.position < record.data.size()) {
            const std::optional<std::uint32_t> delta = CheckValue(track);
            if (!delta) {
                EndTrack(track);
                break;
            }
            if (*delta > record.ticks) {
                break;
            }
            GetValue(track);
            record.ticks -= *delta;
            if (record.position >= record.data.size()) {
                // A delta time with no event after it.
                EndTrack(track);
                break;
            }
            const std::uint8_t byte = record.data[record.position];
            if (byte == midibytes::kSystemExclusive) {
                SystemExclusive(track);
            } else if (byte == midibytes::kMetaEvent) {
                MetaEvent(track);
            } else if (byte & midibytes::kStatusBit) {
                ShortEvent(track);
            } else {
                RunningStatus(track);
            }
            if (!passEnded_ && !record.ended && record.position >= record.data.size()) {
                EndTrack(track);
            }
            if (passEnded_) {
                return;
            }
        }
        if (passEnded_) {
            return;
        }
    }
}

void TKivMidi::EndTrack(int track)
{
    tracks_[static_cast<std::size_t>(track)].ended = true;
    EventEot();
}

void TKivMidi::EventEot()
{
    for (int track = 0; track < trackCount_; ++track) {
        const TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
        if (record.active && !record.ended) {
            return;
        }
    }
    if (!loop_) {
        Stop();
        return;
    }
    if (++jumpsThisPass_ > kMaxJumpsPerPass) {
        // A song that ends without taking any time would restart for ever within this pass.
        passEnded_ = true;
    }
    for (TrackRecord& record : tracks_) {
        if (record.active) {
            record.ended = false;
            record.position = 0;
            record.ticks = 0;
            record.runningStatus = 0;
        }
    }
}

std::optional<std::uint32_t> TKivMidi::CheckValue(int track) const
{
    const TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
    std::uint32_t value = 0;
    // Any number of bytes, as always; the value simply wraps.
    for (std::size_t at = record.position; at < record.data.size(); ++at) {
        const std::uint8_t byte = record.data[at];
        value = (value << 7) + (byte & 0x7Fu);
        if (!(byte & midibytes::kMoreBytes)) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> TKivMidi::GetValue(int track)
{
    TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
    const std::optional<std::uint32_t> value = CheckValue(track);
    if (!value) {
        return std::nullopt;
    }
    while (record.data[record.position] & midibytes::kMoreBytes) {
        ++record.position;
    }
    ++record.position;
    return value;
}

void TKivMidi::ShortEvent(int track)
{
    TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
    record.runningStatus = record.data[record.position];
    ++record.position;
    ChannelMessage(track, record.runningStatus);
}

void TKivMidi::RunningStatus(int track)
{
    ChannelMessage(track, tracks_[static_cast<std::size_t>(track)].runningStatus);
}

void TKivMidi::ChannelMessage(int track, std::uint8_t status)
{
    TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
    const std::size_t dataBytes = midibytes::DataBytesOf(status);
    if (record.data.size() - record.position < dataBytes) {
        // A message cut off by the end of its track used to be sent with whatever bytes lay
        // after the track; it now ends the track unsent.
        EndTrack(track);
        return;
    }
    const std::uint8_t data1 = record.data[record.position];
    const std::uint8_t data2 = dataBytes == 2 ? record.data[record.position + 1] : 0;
    record.position += static_cast<std::uint32_t>(dataBytes);
    ShortMsg(status, data1, data2);
}

void TKivMidi::SystemExclusive(int track)
{
    TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
    ++record.position;
    const std::optional<std::uint32_t> length = GetValue(track);
    if (!length || *length > record.data.size() - record.position) {
        EndTrack(track);
        return;
    }
    sysex_.clear();
    sysex_.push_back(midibytes::kSystemExclusive);
    sysex_.insert(sysex_.end(), record.data.begin() + record.position,
                  record.data.begin() + record.position + *length);
    LongMsg(sysex_);
    record.position += *length;
}

void TKivMidi::MetaEvent(int track)
{
    TrackRecord& record = tracks_[static_cast<std::size_t>(track)];
    ++record.position;
    if (record.position >= record.data.size()) {
        EndTrack(track);
        return;
    }
    const std::uint8_t type = record.data[record.position];
    ++record.position;
    const std::optional<std::uint32_t> length = GetValue(track);
    if (!length || *length > record.data.size() - record.position) {
        EndTrack(track);
        return;
    }
    const std::span<const std::uint8_t> data(record.data.data() + record.position, *length);
    const std::uint32_t next = record.position + *length;
    switch (type) {
        case midibytes::kMetaCuePoint:
            if (BeginsWith(data, "repeat")) {
                for (TrackRecord& each : tracks_) {
                    each.loopPosition = each.position;
                    each.loopTicks = each.ticks;
                }
                record.loopPosition = next;
            } else if (BeginsWith(data, "end")) {
                if (loop_) {
                    for (TrackRecord& each : tracks_) {
                        if (each.active) {
                            each.ended = false;
                            each.position = each.loopPosition;
                            each.ticks = each.loopTicks;
                        }
                    }
                    remainder_ = 0;
                    if (++jumpsThisPass_ > kMaxJumpsPerPass) {
                        // A loop shorter than what is left of this pass would jump back for ever.
                        passEnded_ = true;
                    }
                    // This track goes on from its own loop position, not past this event.
                    record.position = record.loopPosition;
                    return;
                } else {
                    Stop();
                    passEnded_ = true;
                }
            }
            break;
        case midibytes::kMetaEndOfTrack:
            record.position = next;
            EndTrack(track);
            return;
        case midibytes::kMetaSetTempo:
            if (*length >= 3) {
                const std::uint32_t micros = static_cast<std::uint32_t>(data[0]) << 16 |
                                             static_cast<std::uint32_t>(data[1]) << 8 | data[2];
                if (micros != 0 && 60000000 / micros <= 60000) {
                    tempo_ = static_cast<int>(60000000 / micros);
                }
            }
            break;
        default:
            break;
    }
    record.position = next;
}

bool TKivMidi::IsOpen()
{
    std::lock_guard guard(lock_);
    return open_;
}

bool TKivMidi::IsLoaded()
{
    std::lock_guard guard(lock_);
    return loaded_;
}

bool TKivMidi::LoopFlag()
{
    std::lock_guard guard(lock_);
    return loop_;
}

bool TKivMidi::ThreadMode()
{
    return threadMode_;
}

int TKivMidi::TrackCount()
{
    std::lock_guard guard(lock_);
    return trackCount_;
}

int TKivMidi::Format()
{
    std::lock_guard guard(lock_);
    return format_;
}

int TKivMidi::Division()
{
    std::lock_guard guard(lock_);
    return division_;
}

int TKivMidi::Tempo()
{
    std::lock_guard guard(lock_);
    return tempo_;
}

int TKivMidi::Remainder()
{
    std::lock_guard guard(lock_);
    return remainder_;
}

std::string TKivMidi::CurrentSongName()
{
    std::lock_guard guard(lock_);
    return currentSongName_;
}

TKivMidi::TrackView TKivMidi::Track(int index)
{
    std::lock_guard guard(lock_);
    if (index < 0 || index >= kMaxTracks) {
        return TrackView{};
    }
    const TrackRecord& record = tracks_[static_cast<std::size_t>(index)];
    return TrackView{record, static_cast<std::uint32_t>(record.data.size())};
}

}  // namespace kipkip
