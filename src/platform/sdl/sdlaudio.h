// platform/sdl/sdlaudio.h
// The game's sound on the machine's speakers: one SDL audio output device at the source's own
// format (44100 Hz, 16-bit, stereo), so SDL converts for the hardware and the audio source always
// computes the same samples as a headless run. SDL's audio thread pulls 512 frames (11.6 ms)
// at a time straight from the source (the game's music and sound effects); the game
// thread never waits on the audio thread longer than one such pull.
//
// A machine without a usable audio device runs the game silently: Open says why and the source
// is simply never pulled (the music then does not advance either).
#pragma once

#include <cstdint>
#include <string>

#include "platform/ports.h"

namespace kipkip {

class SdlAudio {
public:
    static constexpr int kBufferFrames = 512;

    // The source must outlive this object.
    explicit SdlAudio(AudioSource& source) : source_(source) {}
    // Closes the device, so the audio thread has stopped pulling before the source goes.
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the default output device and starts it. False, with the reason in error, when SDL
    // has no audio or refuses the device; the object then stays closed.
    bool Open(std::string& error);
    bool IsOpen() const { return device_ != 0; }
    // A paused device stops pulling the source, so the music and effects hold where they are
    // and go on from there when resumed. Nothing happens without a device.
    void SetPaused(bool paused);

private:
    static void Pull(void* self, std::uint8_t* stream, int length);

    AudioSource& source_;
    std::uint32_t device_ = 0;
    bool subsystem_ = false;  // the audio subsystem was started here and is quit here
};

}  // namespace kipkip
