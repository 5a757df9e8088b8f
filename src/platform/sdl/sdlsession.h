// platform/sdl/sdlsession.h
// SDL's lifetime in a windowed run: started before the window, input and audio, and shut down
// after all of them have gone, so that SDL releases what it holds (its D-Bus connection among
// them) before the program ends.
#pragma once

namespace kipkip {

class SdlSession {
public:
    SdlSession();
    ~SdlSession();
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
};

}  // namespace kipkip
