#include "device/kivdraw.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/resourceorfile.h"

namespace kipkip {
namespace {

struct ChannelSteps {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

// The step placed into each channel's bit position: an 8-bit intensity loses its low bits in a
// 5- or 6-bit channel. Palette pixels have no channels and take no steps.
ChannelSteps StepsFor(const PixelFormat& format, int step)
{
    const PixelFormat& f = format;
    auto masked = [](std::int32_t value, std::uint32_t mask) {
        return static_cast<std::uint32_t>(value) & mask;
    };
    std::int32_t s = step;
    if (f == pixelformats::kRgb555) {
        return {masked(s << 7, f.redMask), masked(s << 2, f.greenMask), masked(s >> 3, f.blueMask)};
    }
    if (f == pixelformats::kRgb565) {
        return {masked(s << 8, f.redMask), masked(s << 3, f.greenMask), masked(s >> 3, f.blueMask)};
    }
    if (f.bitsPerPixel == 24 || f.bitsPerPixel == 32) {
        return {masked(s << 16, f.redMask), masked(s << 8, f.greenMask), masked(s, f.blueMask)};
    }
    return {};
}

// A fade works on each channel in place, as the masked step of that channel: to black,
// max(x - step, 0); to white, min(x + step, mask). Both stay in the pixel's own width, so a
// 16-bit surface is faded in 16-bit lanes.
template <typename Pixel>
struct FadePlan {
    Pixel masks[3];
    Pixel steps[3];
    Pixel keep;  // the bits outside the three channels, which stay as they are
};

template <typename Pixel>
FadePlan<Pixel> PlanFade(const PixelFormat& f, int step)
{
    ChannelSteps steps = StepsFor(f, step);
    return {{static_cast<Pixel>(f.redMask), static_cast<Pixel>(f.greenMask),
             static_cast<Pixel>(f.blueMask)},
            {static_cast<Pixel>(steps.red), static_cast<Pixel>(steps.green),
             static_cast<Pixel>(steps.blue)},
            static_cast<Pixel>(~(f.redMask | f.greenMask | f.blueMask))};
}

template <typename Pixel, bool kWhite>
Pixel FadePixel(Pixel p, const FadePlan<Pixel>& plan)
{
    Pixel result = static_cast<Pixel>(p & plan.keep);
    for (int c = 0; c < 3; ++c) {
        Pixel mask = plan.masks[c];
        Pixel step = plan.steps[c];
        Pixel x = static_cast<Pixel>(p & mask);
        if constexpr (kWhite) {
            x = static_cast<Pixel>(mask - x) < step ? mask : static_cast<Pixel>(x + step);
        } else {
            x = x > step ? static_cast<Pixel>(x - step) : Pixel{0};
        }
        result = static_cast<Pixel>(result | x);
    }
    return result;
}

// The whole surface in memory order (its rows follow each other without a gap), each pixel a
// machine word of its own width: a loop the compiler vectorises.
template <typename Pixel, bool kWhite>
[[gnu::always_inline]] inline void FadeWords(Surface& surface, const FadePlan<Pixel> plan)
{
    std::uint8_t* bytes = surface.Row(0);
    std::size_t count = static_cast<std::size_t>(surface.Width()) * surface.Height();
    for (std::size_t i = 0; i < count; ++i) {
        Pixel p;
        std::memcpy(&p, bytes + i * sizeof(Pixel), sizeof(Pixel));
        p = FadePixel<Pixel, kWhite>(p, plan);
        std::memcpy(bytes + i * sizeof(Pixel), &p, sizeof(Pixel));
    }
}

// The loops of the game's two surface formats, built for wider vectors too where the processor
// has them.
[[gnu::target_clones("avx2", "default")]] void Darken16(Surface& surface,
                                                        const FadePlan<std::uint16_t> plan)
{
    FadeWords<std::uint16_t, false>(surface, plan);
}

[[gnu::target_clones("avx2", "default")]] void Lighten16(Surface& surface,
                                                         const FadePlan<std::uint16_t> plan)
{
    FadeWords<std::uint16_t, true>(surface, plan);
}

[[gnu::target_clones("avx2", "default")]] void Darken32(Surface& surface,
                                                        const FadePlan<std::uint32_t> plan)
{
    FadeWords<std::uint32_t, false>(surface, plan);
}

[[gnu::target_clones("avx2", "default")]] void Lighten32(Surface& surface,
                                                         const FadePlan<std::uint32_t> plan)
{
    FadeWords<std::uint32_t, true>(surface, plan);
}

template <bool kWhite>
void FadeSurface(Surface& surface, int step)
{
    if (surface.Empty()) {
        return;
    }
    const PixelFormat& f = surface.Format();
    switch (f.BytesPerPixel()) {
        case 2:
            (kWhite ? Lighten16 : Darken16)(surface, PlanFade<std::uint16_t>(f, step));
            return;
        case 4:
            (kWhite ? Lighten32 : Darken32)(surface, PlanFade<std::uint32_t>(f, step));
            return;
        default: {
            const FadePlan<std::uint32_t> plan = PlanFade<std::uint32_t>(f, step);
            for (int y = 0; y < surface.Height(); ++y) {
                for (int x = 0; x < surface.Width(); ++x) {
                    surface.SetPixel(x, y,
                                     FadePixel<std::uint32_t, kWhite>(surface.Pixel(x, y), plan));
                }
            }
        }
    }
}

PixelFormat FormatForBits(int bitsPerPixel)
{
    switch (bitsPerPixel) {
        case 8:
            return pixelformats::kIndexed8;
        case 15:
            return pixelformats::kRgb555;
        case 16:
            return pixelformats::kRgb565;
        default:
            return pixelformats::kXrgb32;
    }
}

// A channel of 8 bits reduced to its mask's width, in place.
std::uint32_t Channel(std::uint32_t value8, std::uint32_t mask)
{
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) {
        ++shift;
    }
    int bits = 0;
    while (((mask >> (shift + bits)) & 1u) != 0) {
        ++bits;
    }
    return ((value8 >> (8 - bits)) << shift) & mask;
}

}  // namespace

TKivDraw::TKivDraw(VideoPort& video, BitmapPort& bitmaps, FontPort& fonts)
    : video(video), bitmaps(bitmaps), fonts(fonts)
{}

void TKivDraw::SetWidth(int value)
{
    if (value <= kScreenWidth) {
        width = value;
    }
}

void TKivDraw::SetHeight(int value)
{
    if (value <= kScreenHeight) {
        height = value;
    }
}

bool TKivDraw::Init()
{
    return Init(width, height, fullScreen, colorDepth == TColorDepth::cd16bpp ? 16 : 24);
}

bool TKivDraw::Init(int width, int height, bool fullScreen, int bitsPerPixel)
{
    ReleaseAll();
    if (bitsPerPixel != 8 && bitsPerPixel != 15 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
        bitsPerPixel != 32) {
        return false;
    }
    surfaceWidth = (width < 1 || width > kScreenWidth) ? kScreenWidth : width;
    surfaceHeight = (height < 1 || height > kScreenHeight) ? kScreenHeight : height;
    fullScreenX = (kScreenWidth - surfaceWidth) >> 1;
    fullScreenY = (kScreenHeight - surfaceHeight) >> 1;
    fullScreenMode = fullScreen;
    SetClip(-1, -1, -1, -1);
    PixelFormat format = FormatForBits(bitsPerPixel);
    work = Surface(surfaceWidth, surfaceHeight, format);
    spare = Surface(surfaceWidth, surfaceHeight, format);
    video.SetFullScreen(fullScreen);
    penX = penY = 0;
    initialised = true;
    return true;
}

void TKivDraw::ReleaseAll()
{
    sprites.clear();
    work = Surface();
    spare = Surface();
    initialised = false;
}

int TKivDraw::PixelKind() const
{
    const PixelFormat& f = work.Format();
    if (f == pixelformats::kRgb555) {
        return 1;
    }
    if (f == pixelformats::kRgb565) {
        return 2;
    }
    if (f.bitsPerPixel == 24) {
        return 3;
    }
    return f.bitsPerPixel == 32 ? 4 : 0;
}

std::vector<std::unique_ptr<TSpriteSurf>>::iterator TKivDraw::Find(std::string_view name)
{
    return std::find_if(sprites.begin(), sprites.end(),
                        [name](const auto& sprite) { return sprite->Name == name; });
}

TSpriteSurf* TKivDraw::GetSpriteSurf(std::string_view name)
{
    auto it = Find(name);
    return it == sprites.end() ? nullptr : it->get();
}

bool TKivDraw::CreateSprite(std::string_view name, std::string_view fileName, int cellWidth,
                            int cellHeight)
{
    auto it = Find(name);
    if (it != sprites.end() && (*it)->FileName == fileName) {
        return true;
    }
    if (it == sprites.end()) {
        auto sprite = std::make_unique<TSpriteSurf>();
        sprite->Name = name;
        sprites.push_back(std::move(sprite));
        it = sprites.end() - 1;
    }
    TSpriteSurf& sprite = **it;
    sprite.Surface = Surface();
    sprite.FileName = fileName;
    if (CreateSprite(sprite, cellWidth, cellHeight)) {
        return true;
    }
    sprites.erase(Find(name));
    return false;
}

bool TKivDraw::CreateSprite(TSpriteSurf& sprite, int cellWidth, int cellHeight)
{
    if (!initialised) {
        return false;
    }
    auto file = ReadResourceOrFile("BITMAP", sprite.FileName);
    if (!file) {
        return false;
    }
    std::string error;
    std::optional<Picture> picture = bitmaps.Decode(file->Bytes(), work.Format(), error);
    if (!picture || picture->format != work.Format()) {
        return false;
    }
    int w = picture->width;
    int h = picture->height;
    cellWidth = cellWidth == 0 ? w : cellWidth;
    cellHeight = cellHeight == 0 ? h : cellHeight;
    // A negative cell size is outside anything the data can mean: no cells.
    bool usable = cellWidth > 0 && cellHeight > 0;
    sprite.CellWidth = cellWidth;
    sprite.CellHeight = cellHeight;
    sprite.CellsPerRow = usable ? w / cellWidth : 0;
    sprite.CellCount = usable ? sprite.CellsPerRow * (h / cellHeight) : 0;
    sprite.SurfWidth = w;
    sprite.SurfHeight = h;
    sprite.Surface = Surface(w, h, work.Format());
    for (int y = 0; y < h; ++y) {
        std::copy_n(picture->pixels.data() + static_cast<std::size_t>(y) * picture->pitch,
                    sprite.Surface.Pitch(), sprite.Surface.Row(y));
    }
    return true;
}

bool TKivDraw::DeleteSprite(std::string_view name)
{
    auto it = Find(name);
    if (it == sprites.end()) {
        return false;
    }
    sprites.erase(it);
    return true;
}

// The named sprite's pair of numbers; out-arguments stay untouched for an unknown name.
bool TKivDraw::ReadSprite(std::string_view name, int& first, int& second,
                          std::int32_t TSpriteSurf::*firstField,
                          std::int32_t TSpriteSurf::*secondField)
{
    const TSpriteSurf* sprite = GetSpriteSurf(name);
    if (sprite == nullptr) {
        return false;
    }
    first = sprite->*firstField;
    second = sprite->*secondField;
    return true;
}

bool TKivDraw::GetSpriteSize(std::string_view name, int& width, int& height)
{
    return ReadSprite(name, width, height, &TSpriteSurf::CellWidth, &TSpriteSurf::CellHeight);
}

bool TKivDraw::GetSpriteInfo(std::string_view name, int& cellsPerRow, int& cellCount)
{
    return ReadSprite(name, cellsPerRow, cellCount, &TSpriteSurf::CellsPerRow,
                      &TSpriteSurf::CellCount);
}

bool TKivDraw::GetSpriteSurfSize(std::string_view name, int& width, int& height)
{
    return ReadSprite(name, width, height, &TSpriteSurf::SurfWidth, &TSpriteSurf::SurfHeight);
}

bool TKivDraw::Draw(int x, int y, std::string_view name, int cell, int, int)
{
    const TSpriteSurf* sprite = GetSpriteSurf(name);
    return sprite != nullptr && Draw(x, y, *sprite, cell);
}

bool TKivDraw::Draw(int x, int y, const TSpriteSurf& sprite, int cell)
{
    if (!initialised || cell < 0 || cell >= sprite.CellCount || sprite.Surface.Empty()) {
        return false;
    }
    int sx = (cell % sprite.CellsPerRow) * sprite.CellWidth;
    int sy = (cell / sprite.CellsPerRow) * sprite.CellHeight;
    // The clip rectangle is taken as given, but never reaches outside the work surface.
    int left = std::max(clip.left, 0);
    int top = std::max(clip.top, 0);
    int right = std::min(clip.right, work.Width());
    int bottom = std::min(clip.bottom, work.Height());
    if (x + sprite.CellWidth <= left || x >= right || y + sprite.CellHeight <= top || y >= bottom) {
        return true;
    }
    int sourceLeft = sx + std::max(left - x, 0);
    int sourceTop = sy + std::max(top - y, 0);
    int sourceRight = sx + std::min(sprite.CellWidth, right - x);
    int sourceBottom = sy + std::min(sprite.CellHeight, bottom - y);
    work.BlitKeyed(sprite.Surface, sourceLeft, sourceTop, sourceRight, sourceBottom,
                   std::max(x, left), std::max(y, top));
    return true;
}

void TKivDraw::SetClip(int left, int top, int right, int bottom)
{
    clip.left = left == -1 ? 0 : left;
    clip.top = top == -1 ? 0 : top;
    clip.right = right == -1 ? surfaceWidth : right;
    clip.bottom = bottom == -1 ? surfaceHeight : bottom;
}

std::uint32_t TKivDraw::MapColor(std::uint32_t rgb) const
{
    const PixelFormat& f = work.Format();
    return Channel((rgb >> 16) & 0xFF, f.redMask) | Channel((rgb >> 8) & 0xFF, f.greenMask) |
           Channel(rgb & 0xFF, f.blueMask);
}

void TKivDraw::PutPixel(Surface& surface, int x, int y, std::uint32_t value) const
{
    if (x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height()) {
        surface.SetPixel(x, y, value);
    }
}

bool TKivDraw::TextOutA(int x, int y, std::string_view text)
{
    TextMask mask;
    if (!initialised || !fonts.Render(text, mask)) {
        return false;
    }
    std::uint32_t value = MapColor(font.Color);
    for (int row = 0; row < mask.height; ++row) {
        for (int column = 0; column < mask.width; ++column) {
            if (mask.coverage[static_cast<std::size_t>(row) * mask.width + column] != 0) {
                PutPixel(work, x + column, y + row, value);
            }
        }
    }
    return true;
}

void TKivDraw::MoveTo(int x, int y)
{
    penX = x;
    penY = y;
}

void TKivDraw::DrawLine(Surface& surface, int x0, int y0, int x1, int y1, std::uint32_t value) const
{
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int stepX = x0 < x1 ? 1 : -1;
    int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (x0 != x1 || y0 != y1) {
        PutPixel(surface, x0, y0, value);
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

bool TKivDraw::LineTo(int x, int y)
{
    if (!initialised) {
        return false;
    }
    DrawLine(work, penX, penY, x, y, MapColor(pen.Color));
    MoveTo(x, y);
    return true;
}

bool TKivDraw::Rectangle(const TRect& rect)
{
    if (!initialised) {
        return false;
    }
    std::uint32_t fill = MapColor(brush.Color);
    std::uint32_t outline = MapColor(pen.Color);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            bool edge =
                y == rect.top || y == rect.bottom - 1 || x == rect.left || x == rect.right - 1;
            PutPixel(work, x, y, edge ? outline : fill);
        }
    }
    return true;
}

bool TKivDraw::DrawGrid(int offset, bool horizontal)
{
    if (!initialised || fullScreenMode) {
        return false;
    }
    Surface shown = work;
    if (horizontal) {
        DrawLine(shown, 0, offset, surfaceWidth, offset, MapColor(pen.Color));
    } else {
        DrawLine(shown, offset, 0, offset, surfaceHeight, MapColor(pen.Color));
    }
    return Present(shown);
}

bool TKivDraw::Clear()
{
    if (!initialised) {
        return false;
    }
    work.Fill(0);
    return true;
}

void TKivDraw::Fade_Pixel(Surface& surface, int step)
{
    FadeSurface<false>(surface, step);
}

void TKivDraw::White_Pixel(Surface& surface, int step)
{
    FadeSurface<true>(surface, step);
}

bool TKivDraw::Fade(int step)
{
    if (!initialised) {
        return false;
    }
    Fade_Pixel(work, step);
    return true;
}

bool TKivDraw::WhiteFade(int step)
{
    if (!initialised) {
        return false;
    }
    White_Pixel(work, step);
    return true;
}

bool TKivDraw::UpdateTmp()
{
    if (!initialised) {
        return false;
    }
    spare = work;
    return true;
}

bool TKivDraw::Update()
{
    return initialised && Present(work);
}

// Windowed, the picture as it is; full screen, unscaled in the middle of a 640x480 canvas.
bool TKivDraw::Present(const Surface& picture)
{
    if (!fullScreenMode) {
        return video.Present(picture.View());
    }
    if (canvas.Width() != kScreenWidth || !(canvas.Format() == picture.Format())) {
        canvas = Surface(kScreenWidth, kScreenHeight, picture.Format());
    }
    for (int y = 0; y < picture.Height(); ++y) {
        std::memcpy(canvas.Row(fullScreenY + y) + fullScreenX * picture.Format().BytesPerPixel(),
                    picture.Row(y), static_cast<std::size_t>(picture.Pitch()));
    }
    return video.Present(canvas.View());
}

}  // namespace kipkip
