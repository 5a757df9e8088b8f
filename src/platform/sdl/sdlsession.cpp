#include "platform/sdl/sdlsession.h"

#include <SDL.h>

namespace kipkip {

SdlSession::SdlSession()
{
    SDL_Init(0);
}

SdlSession::~SdlSession()
{
    SDL_Quit();
}

}  // namespace kipkip
