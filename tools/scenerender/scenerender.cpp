// kipkip_scene_render: draws a scene as the game would show it on its first frame, for looking
// at the art in place. The built-in scene by default, or a scene file.
//
//     kipkip_scene_render OUT.bmp [SCENE] [--ms N]
//
// The scene is loaded into a box, sorted by layers, updated for N milliseconds (default 0: the
// blinking prompt is then on) and drawn onto a 320x240 work surface, which is saved as a 24-bit
// BMP of its exact pixels.
#include <cstdio>
#include <string>
#include <string_view>

#include "device/kivdraw.h"
#include "kernel/kernel.h"
#include "platform/bmpwriter.h"
#include "platform/files.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sdl/sdlfont.h"
#include "toy/toybox.h"

namespace {

using namespace kipkip;

// Frames are read from the work surface, not shown.
class NoVideo : public VideoPort {
public:
    bool Present(const FrameView&) override { return true; }
    void SetFullScreen(bool) override {}
};

int Usage()
{
    std::fprintf(stderr, "usage: kipkip_scene_render OUT.bmp [SCENE] [--ms N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string out;
    std::string scene = "toybox";
    int ms = 0;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--ms" && i + 1 < argc) {
            ms = std::atoi(argv[++i]);
        } else if (out.empty()) {
            out = argument;
        } else {
            scene = argument;
        }
    }
    if (out.empty()) {
        return Usage();
    }
    NoVideo video;
    SdlBitmap bitmaps;
    SdlFont fonts;
    TKivDraw draw(video, bitmaps, fonts);
    draw.Init(320, 240, false, 16);
    TKernel kernel(&draw, nullptr, nullptr, nullptr);
    TToyBox box(&kernel, nullptr, scene);
    for (int elapsed = 0; elapsed < ms; elapsed += 20) {
        box.Update(20);
    }
    draw.Clear();
    box.Draw();
    std::vector<std::uint8_t> bytes = EncodeBmp24(draw.WorkSurface().View());
    if (!WriteWholeFile(out, bytes)) {
        std::fprintf(stderr, "kipkip_scene_render: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s: %d objects, %zu layers\n", out.c_str(), box.objects.Count(),
                box.layers.size());
    return 0;
}
