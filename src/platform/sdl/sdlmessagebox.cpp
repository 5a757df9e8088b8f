#include "platform/sdl/sdlmessagebox.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/sjis.h"

namespace kipkip {

void SdlMessageBox::Report(std::string_view message)
{
    std::string text = SjisToUtf8(message);
    std::fprintf(stderr, "kipkip: %s\n", text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text.c_str(), nullptr);
}

void SdlMessageBox::Warn(std::string_view message)
{
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "KipKip", std::string(message).c_str(),
                             nullptr);
}

void SdlMessageBox::ShowError(std::string_view message)
{
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", std::string(message).c_str(), nullptr);
}

}  // namespace kipkip
