#include "platform/sdl/sdlfont.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <utility>

#include "platform/sjis.h"

namespace kipkip {
namespace {

constexpr int kPointSize = 16;          // at SDL_ttf's 72 dpi, a 16-pixel em, as the game asks
constexpr char32_t kHiragana = 0x3042;  // あ: a face without it is no Japanese face
// Enough for every character the game's texts use many times over; a text bigger than what is
// left empties the cache first, so glyphs never go away in the middle of one text.
constexpr std::size_t kMaxCachedGlyphs = 4096;

// Where Debian puts IPA Gothic (fonts-ipafont-gothic), and the system's Japanese Gothic.
constexpr const char* kDefaultFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};

struct FontQuery {
    const char* pattern;
    char32_t mustCover;
};
// ":lang=ja" keeps fontconfig from answering with a face that has only Latin letters.
constexpr FontQuery kFontQueries[] = {
    {"IPAGothic:lang=ja", kHiragana},
    {"sans-serif:lang=ja", kHiragana},
    {"sans-serif", 0},
};

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The code points of UTF-8 text; a malformed sequence (the converter makes none) is one
// replacement character per byte.
std::vector<char32_t> CodePoints(std::string_view utf8)
{
    std::vector<char32_t> result;
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t value = lead < 0x80 ? lead : lead >= 0xF0 ? lead & 0x07u : lead & 0x1Fu;
        bool valid = (lead < 0x80 || lead >= 0xC2) && lead <= 0xF4 && length <= utf8.size() - i;
        for (std::size_t k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            result.push_back(0xFFFD);
            ++i;
            continue;
        }
        result.push_back(value);
        i += length;
    }
    return result;
}

}  // namespace

std::string_view CutShiftJis(std::string_view sjis, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < sjis.size()) {
        std::size_t length = IsLeadByte(static_cast<unsigned char>(sjis[end])) ? 2 : 1;
        if (length > maxBytes - end) {
            break;
        }
        end = std::min(end + length, sjis.size());  // a lead byte at the very end stays
    }
    return sjis.substr(0, end);
}

std::string MatchFontFile(const std::string& pattern, char32_t mustCover)
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return {};
    }
    std::string file;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    if (wanted != nullptr) {
        FcConfigSubstitute(config, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, wanted, &result);
        if (match != nullptr) {
            FcChar8* name = nullptr;
            FcCharSet* characters = nullptr;
            bool covered = mustCover == 0 || (FcPatternGetCharSet(match, FC_CHARSET, 0,
                                                                  &characters) == FcResultMatch &&
                                              FcCharSetHasChar(characters, mustCover));
            if (covered && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) {
                file = reinterpret_cast<const char*>(name);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(wanted);
    }
    FcConfigDestroy(config);
    return file;
}

SdlFont::SdlFont(std::string path) : path_(std::move(path)) {}

SdlFont::~SdlFont()
{
    if (font_ != nullptr) {
        TTF_CloseFont(font_);
    }
    if (ttfStarted_) {
        TTF_Quit();
    }
}

bool SdlFont::Open()
{
    if (tried_) {
        return font_ != nullptr;
    }
    tried_ = true;
    if (TTF_Init() != 0) {
        error_ = std::string("cannot start SDL_ttf: ") + TTF_GetError();
        return false;
    }
    ttfStarted_ = true;

    std::string reason;
    if (!path_.empty()) {
        if (!OpenFile(path_, reason)) {
            error_ = "cannot open font \"" + path_ + "\": " + reason;
        }
        return font_ != nullptr;
    }
    for (const char* file : kDefaultFiles) {
        if (OpenFile(file, reason)) {
            return true;
        }
    }
    for (const FontQuery& query : kFontQueries) {
        std::string file = MatchFontFile(query.pattern, query.mustCover);
        if (!file.empty() && OpenFile(file, reason)) {
            return true;
        }
    }
    error_ = "no Japanese font found (install fonts-ipafont-gothic, or give --font FILE)";
    return false;
}

bool SdlFont::OpenFile(const std::string& file, std::string& reason)
{
    TTF_Font* font = TTF_OpenFont(file.c_str(), kPointSize);
    if (font == nullptr) {
        reason = TTF_GetError();
        return false;
    }
    if (TTF_FontHeight(font) <= 0) {
        TTF_CloseFont(font);
        reason = "the face has no height";
        return false;
    }
    TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    // Hinted for one-bit output, which is what Solid rendering draws.
    TTF_SetFontHinting(font, TTF_HINTING_MONO);
    TTF_SetFontKerning(font, 0);
    font_ = font;
    file_ = file;
    height_ = TTF_FontHeight(font);
    ascent_ = TTF_FontAscent(font);
    return true;
}

const SdlFont::Glyph& SdlFont::GlyphFor(char32_t codePoint)
{
    auto found = glyphs_.find(codePoint);
    if (found != glyphs_.end()) {
        return found->second;
    }
    Glyph glyph;
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int advance = 0;
    // A character the metrics refuse draws nothing and takes no room; one without ink (a
    // space) only advances.
    if (TTF_GlyphMetrics32(font_, codePoint, &minX, &maxX, &minY, &maxY, &advance) == 0) {
        glyph.advance = std::max(advance, 0);
        SDL_Surface* surface =
            TTF_RenderGlyph32_Solid(font_, codePoint, SDL_Color{255, 255, 255, 255});
        if (surface != nullptr && surface->format->BytesPerPixel == 1 &&
            SDL_LockSurface(surface) == 0) {
            // SDL_ttf puts the pen at column 0 and the line's top at row 0, unless the glyph
            // reaches left of the pen or above the top: then the picture starts there.
            glyph.left = std::min(minX, 0);
            glyph.top = std::min(ascent_ - maxY, 0);
            glyph.width = surface->w;
            glyph.height = surface->h;
            glyph.pixels.resize(static_cast<std::size_t>(surface->w) * surface->h);
            for (int row = 0; row < surface->h; ++row) {
                // Rows are `pitch` bytes apart, usually more than the width.
                const auto* source = static_cast<const std::uint8_t*>(surface->pixels) +
                                     static_cast<std::ptrdiff_t>(row) * surface->pitch;
                std::copy_n(source, surface->w,
                            glyph.pixels.begin() + static_cast<std::ptrdiff_t>(row) * surface->w);
            }
            SDL_UnlockSurface(surface);
        }
        SDL_FreeSurface(surface);
    }
    return glyphs_.emplace(codePoint, std::move(glyph)).first->second;
}

bool SdlFont::Render(std::string_view sjisText, TextMask& mask)
{
    mask = TextMask{};
    if (sjisText.empty() || !Open()) {
        return false;
    }
    std::vector<char32_t> codePoints = CodePoints(SjisToUtf8(CutShiftJis(sjisText, kMaxTextBytes)));
    if (glyphs_.size() + codePoints.size() > kMaxCachedGlyphs) {
        glyphs_.clear();
    }

    struct Placed {
        int pen;
        const Glyph* glyph;
    };
    std::vector<Placed> placed;
    int pen = 0;
    int width = 0;
    int height = height_;
    for (char32_t codePoint : codePoints) {
        const Glyph& glyph = GlyphFor(codePoint);
        if (glyph.advance > kMaxWidth - pen) {
            break;
        }
        placed.push_back({pen, &glyph});
        // Ink that reaches past the advance or below the face's height widens the mask.
        width = std::max({width, pen + glyph.advance, pen + glyph.left + glyph.width});
        height = std::max(height, glyph.top + glyph.height);
        pen += glyph.advance;
    }
    width = std::min(width, kMaxWidth);
    height = std::min(height, kMaxHeight);
    if (width <= 0) {
        return false;
    }

    mask.width = width;
    mask.height = height;
    mask.coverage.assign(static_cast<std::size_t>(width) * height, 0);
    for (const Placed& item : placed) {
        const Glyph& glyph = *item.glyph;
        for (int row = 0; row < glyph.height; ++row) {
            int y = glyph.top + row;
            if (y < 0 || y >= height) {
                continue;
            }
            for (int column = 0; column < glyph.width; ++column) {
                int x = item.pen + glyph.left + column;
                if (x < 0 || x >= width ||
                    glyph.pixels[static_cast<std::size_t>(row) * glyph.width + column] == 0) {
                    continue;
                }
                mask.coverage[static_cast<std::size_t>(y) * width + x] = 0xFF;
            }
        }
    }
    return true;
}

}  // namespace kipkip
