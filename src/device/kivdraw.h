// device/kivdraw.h
// Everything the game draws with: the work surface on which each frame is composed, a table
// of named sprites (bitmaps cut into equal cells, drawn with pixel value 0 as the transparent
// colour), a font, a pen and a brush, a clip rectangle, and the two whole-frame effects of the
// game's transitions, fading to black and to white. Update hands the finished frame to the
// window: as it is, or in the middle of a 640x480 canvas in full screen.
//
// Every operation that needs the work surface gives false until Init has succeeded; nothing
// here reports anything to the player.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/surface.h"
#include "platform/ports.h"

namespace kipkip {

enum class TColorDepth { cd16bpp, cd24bpp };

// Colours are 0xRRGGBB.
struct TFont {
    std::string Name;  // the face's name, Shift-JIS; the font port decides the face itself
    int Height = 16;
    bool Bold = false;
    std::uint32_t Color = 0x000000;
};

struct TPen {
    std::uint32_t Color = 0x000000;
};

struct TBrush {
    std::uint32_t Color = 0xFFFFFF;
};

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0;
};

// One named sprite: a bitmap in the work surface's format, cut into cells.
struct TSpriteSurf {
    std::string Name;
    std::string FileName;  // a built-in bitmap's name, or a file's path
    std::int32_t CellWidth = 0;
    std::int32_t CellHeight = 0;
    std::int32_t CellsPerRow = 0;
    std::int32_t CellCount = 0;
    std::int32_t SurfWidth = 0;
    std::int32_t SurfHeight = 0;
    kipkip::Surface Surface;
};

class TKivDraw {
public:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;

    TKivDraw(VideoPort& video, BitmapPort& bitmaps, FontPort& fonts);

    TColorDepth ColorDepth() const { return colorDepth; }
    void SetColorDepth(TColorDepth depth) { colorDepth = depth; }
    int Width() const { return width; }
    int Height() const { return height; }
    // Values above the screen's size are ignored.
    void SetWidth(int value);
    void SetHeight(int value);
    bool FullScreen() const { return fullScreen; }
    void SetFullScreen(bool flag) { fullScreen = flag; }
    const TFont& Font() const { return font; }
    void SetFont(const TFont& value) { font = value; }
    const TPen& Pen() const { return pen; }
    void SetPen(const TPen& value) { pen = value; }
    const TBrush& Brush() const { return brush; }
    void SetBrush(const TBrush& value) { brush = value; }

    // With the Width, Height and FullScreen properties, 16 bits for cd16bpp and 24 (a 32-bit
    // surface) for cd24bpp.
    bool Init();
    // A width or height outside 1..640 or 1..480 becomes the largest. Bits per pixel: 8
    // (palette indices), 15 (5-5-5), 16 (5-6-5), 24 or 32 (32-bit).
    bool Init(int width, int height, bool fullScreen, int bitsPerPixel);
    // Drops every sprite and the surfaces.
    void ReleaseAll();

    // Registers the sprite, or reloads it when the name now names another file. A sprite that
    // already shows the same file is kept as it is, cell sizes included. A failed load removes
    // the name, even one that was there before.
    bool CreateSprite(std::string_view name, std::string_view fileName, int cellWidth,
                      int cellHeight);
    // Loads the record's bitmap: the built-in one of that name, else the file. A cell size of
    // 0 is the whole bitmap's.
    bool CreateSprite(TSpriteSurf& sprite, int cellWidth, int cellHeight);
    bool DeleteSprite(std::string_view name);
    TSpriteSurf* GetSpriteSurf(std::string_view name);
    bool GetSpriteSize(std::string_view name, int& width, int& height);
    bool GetSpriteInfo(std::string_view name, int& cellsPerRow, int& cellCount);
    bool GetSpriteSurfSize(std::string_view name, int& width, int& height);

    // One cell of a sprite with its top-left corner at (x, y), clipped to the clip rectangle.
    // A cell wholly outside it draws nothing and still succeeds.
    bool Draw(int x, int y, std::string_view name, int cell, int, int);
    bool Draw(int x, int y, const TSpriteSurf& sprite, int cell);
    // -1 stands for the surface's own edge.
    void SetClip(int left, int top, int right, int bottom);
    const TRect& Clip() const { return clip; }

    // The text in the device's font and colour, background untouched, clipped to the surface.
    bool TextOutA(int x, int y, std::string_view text);
    void MoveTo(int x, int y);
    // A pen line from the pen position to (x, y), which becomes the pen position; like every
    // line the game's platform drew, it leaves out its last pixel.
    bool LineTo(int x, int y);
    // Filled with the brush and outlined with the pen; the right and bottom edges are outside.
    bool Rectangle(const TRect& rect);
    // A pen line across the shown picture (not the work surface): horizontal at `offset` from
    // the top, or vertical from the left. Windowed only.
    bool DrawGrid(int offset, bool horizontal);

    bool Clear();
    bool Fade(int step);
    bool WhiteFade(int step);
    // Copies the work surface to the spare one.
    bool UpdateTmp();
    bool Update();

    // The per-pixel loops of the fades, on any surface: each channel moves by `step` on the
    // 0..255 scale, reduced to the channel's width. Only the low 8 bits of the step count.
    static void Fade_Pixel(Surface& surface, int step);
    static void White_Pixel(Surface& surface, int step);

    bool Initialised() const { return initialised; }
    // 0 palette, 1 5-5-5, 2 5-6-5, 3 24-bit, 4 32-bit.
    int PixelKind() const;
    Surface& WorkSurface() { return work; }
    const Surface& SpareSurface() const { return spare; }
    int SurfaceWidth() const { return surfaceWidth; }
    int SurfaceHeight() const { return surfaceHeight; }
    int FullScreenX() const { return fullScreenX; }
    int FullScreenY() const { return fullScreenY; }
    int SpriteCount() const { return static_cast<int>(sprites.size()); }

private:
    bool Present(const Surface& picture);
    bool ReadSprite(std::string_view name, int& first, int& second,
                    std::int32_t TSpriteSurf::*firstField, std::int32_t TSpriteSurf::*secondField);
    std::uint32_t MapColor(std::uint32_t rgb) const;
    void PutPixel(Surface& surface, int x, int y, std::uint32_t value) const;
    void DrawLine(Surface& surface, int x0, int y0, int x1, int y1, std::uint32_t value) const;
    std::vector<std::unique_ptr<TSpriteSurf>>::iterator Find(std::string_view name);

    VideoPort& video;
    BitmapPort& bitmaps;
    FontPort& fonts;

    TColorDepth colorDepth = TColorDepth::cd16bpp;
    int width = kScreenWidth;
    int height = kScreenHeight;
    bool fullScreen = false;
    TFont font;
    TPen pen;
    TBrush brush;

    bool initialised = false;
    Surface work;
    Surface spare;
    Surface canvas;  // the 640x480 screen of full-screen mode
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    TRect clip;
    int fullScreenX = 0;
    int fullScreenY = 0;
    bool fullScreenMode = false;
    int penX = 0;
    int penY = 0;
    std::vector<std::unique_ptr<TSpriteSurf>> sprites;  // in creation order
};

}  // namespace kipkip
