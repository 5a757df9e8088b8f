#include "platform/sdl/sdlaudio.h"

#include <SDL.h>

#include <span>

namespace kipkip {

SdlAudio::~SdlAudio()
{
    if (device_ != 0) {
        // Returns once the callback has finished its last pull.
        SDL_CloseAudioDevice(device_);
    }
    if (subsystem_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlAudio::Open(std::string& error)
{
    if (device_ != 0) {
        return true;
    }
    // PulseAudio and PipeWire show this name in their mixers instead of "SDL Application".
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "KipKip");
    if (!subsystem_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            error = std::string("no audio: ") + SDL_GetError();
            return false;
        }
        subsystem_ = true;
    }
    SDL_AudioSpec want{};
    want.freq = AudioSource::kRate;
    want.format = AUDIO_S16SYS;
    want.channels = AudioSource::kChannels;
    want.samples = kBufferFrames;
    want.callback = &SdlAudio::Pull;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware takes, so the mixer's output
    // is the same on every machine.
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        error = std::string("no audio device: ") + SDL_GetError();
        return false;
    }
    device_ = device;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudio::SetPaused(bool paused)
{
    if (device_ != 0) {
        SDL_PauseAudioDevice(device_, paused ? 1 : 0);
    }
}

// On SDL's audio thread: the buffer is in the format asked for (SDL converts after us), so it
// is filled in place; nothing here allocates or waits for more than the source's own lock.
void SdlAudio::Pull(void* self, std::uint8_t* stream, int length)
{
    auto* audio = static_cast<SdlAudio*>(self);
    auto* samples = reinterpret_cast<std::int16_t*>(stream);
    audio->source_.Pull(std::span<std::int16_t>(samples, static_cast<std::size_t>(length) / 2));
}

}  // namespace kipkip
