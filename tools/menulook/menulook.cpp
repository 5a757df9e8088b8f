// kipkip_menu_look: draws a sample of the in-game menu over a frame of the game, for looking
// at the menu's letters and panel in place.
//
//     kipkip_menu_look FRAME.bmp OUT.bmp
//
// FRAME is a 320x240 shot of the game (`kipkip --headless --ticks 30 --shot 30:title.bmp`); it
// is put on a 5-6-5 work surface as the game draws, dimmed, and the sample menu is drawn over
// it. OUT is the work surface as a 24-bit BMP of its exact pixels.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "device/surface.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"
#include "platform/bmpwriter.h"
#include "platform/files.h"
#include "platform/pixelformats.h"
#include "platform/sdl/sdlbitmap.h"

namespace {

using namespace kipkip;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

struct Line {
    std::string_view text;
    int y;
};

void DrawSample(Surface& work, const MenuFont& font)
{
    MenuPainter painter(font);
    MenuPainter::Dim(work);
    const TRect box{100, 52, 220, 182};
    MenuPainter::Panel(work, box);
    painter.CentredText(work, box, box.top + 8, "PAUSED", MenuPainter::kHeading);
    const std::string music = std::string("MUSIC  ") + MenuFont::kArrowLeft + " 80 " +
                              MenuFont::kArrowRight;
    const Line items[] = {{"RESUME", 80}, {"OPTIONS", 94}, {"CONTROLS", 108}, {music, 122},
                          {"QUIT", 136}};
    constexpr int kChosen = 1;
    for (int i = 0; i < static_cast<int>(std::size(items)); ++i) {
        const bool chosen = i == kChosen;
        painter.CentredText(work, box, items[i].y, items[i].text,
                            chosen ? MenuPainter::kChosen : MenuPainter::kText);
        if (chosen) {
            const int textLeft = box.left + (box.right - box.left - MenuFont::Width(items[i].text)) / 2;
            painter.Cursor(work, textLeft - 2 * MenuFont::kAdvance, items[i].y);
        }
    }
    painter.CentredText(work, box, 162, "ESC: BACK", MenuPainter::kBevelLight);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kipkip_menu_look FRAME.bmp OUT.bmp\n");
        return 2;
    }
    auto bytes = ReadWholeFile(argv[1]);
    SdlBitmap bitmaps;
    std::string error;
    auto frame = bytes ? bitmaps.Decode(*bytes, pixelformats::kRgb565, error) : std::nullopt;
    auto font = MenuFont::BuiltIn();
    if (!frame || frame->width != kWidth || frame->height != kHeight || !font) {
        std::fprintf(stderr, "kipkip_menu_look: %s is not a %dx%d picture %s\n", argv[1], kWidth,
                     kHeight, error.c_str());
        return 1;
    }
    Surface work(kWidth, kHeight, pixelformats::kRgb565);
    for (int y = 0; y < kHeight; ++y) {
        const std::uint8_t* row = frame->pixels.data() + static_cast<std::size_t>(y) * frame->pitch;
        std::copy(row, row + work.Pitch(), work.Row(y));
    }
    DrawSample(work, *font);
    if (!WriteWholeFile(argv[2], EncodeBmp24(work.View()))) {
        std::fprintf(stderr, "kipkip_menu_look: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
