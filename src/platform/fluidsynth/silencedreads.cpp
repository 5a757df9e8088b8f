#include "platform/fluidsynth/silencedreads.h"

#include <fluidsynth.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace kipkip {
namespace {

using Samples = std::shared_ptr<const SoundFontSamples>;

struct OpenFont {
    std::FILE* file = nullptr;
    Samples samples;
};

std::mutex& PlacesMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, Samples>& Places()
{
    static std::map<std::string, Samples> places;
    return places;
}

Samples PlacesOf(const char* path)
{
    std::lock_guard lock(PlacesMutex());
    const auto found = Places().find(path);
    return found == Places().end() ? nullptr : found->second;
}

void* Open(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    return file == nullptr ? nullptr : new OpenFont{file, PlacesOf(path)};
}

int Read(void* buffer, fluid_long_long_t count, void* handle)
{
    auto* font = static_cast<OpenFont*>(handle);
    const auto offset = ftello(font->file);
    if (count < 0 || offset < 0) {
        return FLUID_FAILED;
    }
    const auto bytes = static_cast<std::uint64_t>(count);
    if (std::fread(buffer, 1, bytes, font->file) != bytes) {
        return FLUID_FAILED;
    }
    if (font->samples) {
        const std::uint64_t kept = font->samples->Kept(static_cast<std::uint64_t>(offset), bytes);
        std::memset(static_cast<char*>(buffer) + kept, 0, bytes - kept);
    }
    return FLUID_OK;
}

int Seek(void* handle, fluid_long_long_t offset, int origin)
{
    return fseeko(static_cast<OpenFont*>(handle)->file, offset, origin) == 0 ? FLUID_OK
                                                                             : FLUID_FAILED;
}

fluid_long_long_t Tell(void* handle)
{
    return ftello(static_cast<OpenFont*>(handle)->file);
}

int Close(void* handle)
{
    std::unique_ptr<OpenFont> font(static_cast<OpenFont*>(handle));
    return std::fclose(font->file) == 0 ? FLUID_OK : FLUID_FAILED;
}

}  // namespace

fluid_sfloader_t* NewSilencedReadsLoader(fluid_settings_t* settings, const std::string& path,
                                         SoundFontSamples samples)
{
    {
        std::lock_guard lock(PlacesMutex());
        Places()[path] = std::make_shared<const SoundFontSamples>(std::move(samples));
    }
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader != nullptr) {
        fluid_sfloader_set_callbacks(loader, Open, Read, Seek, Tell, Close);
    }
    return loader;
}

}  // namespace kipkip
