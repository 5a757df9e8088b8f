// platform/sdl/sdlaudio.h
// The sound-effect mixer on the machine's speakers: one SDL audio output device at the mixer's
// own format (44100 Hz, 16-bit, stereo), so SDL converts for the hardware and the mixer always
// computes the same samples as a headless run. SDL's audio thread pulls 512 frames (11.6 ms)
// at a time straight from the mixer; the game thread never waits on the audio thread longer
// than one such pull.
//
// A machine without a usable audio device runs the game silently: Open says why and the mixer
// is simply never pulled.
#pragma once

#include <cstdint>
#include <string>

namespace kipkip {

class SoundMixer;

class SdlAudio {
public:
    static constexpr int kBufferFrames = 512;

    // The mixer must outlive this object.
    explicit SdlAudio(SoundMixer& mixer) : mixer_(mixer) {}
    // Closes the device, so the audio thread has stopped pulling before the mixer goes.
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the default output device and starts it. False, with the reason in error, when SDL
    // has no audio or refuses the device; the object then stays closed.
    bool Open(std::string& error);
    bool IsOpen() const { return device_ != 0; }

private:
    static void Pull(void* self, std::uint8_t* stream, int length);

    SoundMixer& mixer_;
    std::uint32_t device_ = 0;
    bool subsystem_ = false;  // the audio subsystem was started here and is quit here
};

}  // namespace kipkip
