// platform/sdl/sdlfont.h
// The game's text font under SDL_ttf: a Japanese Gothic face at 16 pixels, bold, drawn without
// anti-aliasing, as the font port.
//
// The face is the file given with --font, or else the first of these that opens: IPA Gothic
// where Debian installs it, the "fonts-japanese-gothic" alternative, then what fontconfig
// matches for IPA Gothic and for a Japanese sans-serif (each only if it has kana), then
// fontconfig's plain sans-serif. A --font file that does not open is not replaced by the
// default: the player asked for that face, and text in another one would hide the mistake.
// Text is then not drawn, and Error() says why, for the caller to print once.
//
// The font opens at the first Render (or Open); a failure is remembered, so a missing font
// costs one attempt, not one per frame.
//
// Text is laid out glyph by glyph, not by SDL_ttf's shaper. The emboldening widens every glyph
// by a pixel, and the shaper keeps the regular advances, so bold glyphs would run into each
// other; each glyph here advances by its bold advance, one pixel more than the regular one, as
// the old Windows bold did. There is no kerning (the old text output had none). A character the
// face lacks draws the face's missing-glyph box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ports.h"

typedef struct _TTF_Font TTF_Font;

namespace kipkip {

// The longest prefix of `sjis` of at most `maxBytes` bytes that does not end inside a
// two-byte character.
std::string_view CutShiftJis(std::string_view sjis, std::size_t maxBytes);

// The file fontconfig matches for `pattern` (such as "IPAGothic:lang=ja"), or "" when it
// matches nothing, or when `mustCover` is not 0 and the match lacks that character.
std::string MatchFontFile(const std::string& pattern, char32_t mustCover);

class SdlFont : public FontPort {
public:
    // Text beyond this many bytes is not drawn: a line of the game is a few dozen.
    static constexpr std::size_t kMaxTextBytes = 1024;
    // Glyphs that would end past this column are not drawn; the widest canvas is 640 pixels.
    static constexpr int kMaxWidth = 4096;
    // Rows of ink below this are cut; the face is 16 pixels high.
    static constexpr int kMaxHeight = 256;

    // `path` is the --font file; empty means the default search.
    explicit SdlFont(std::string path = {});
    ~SdlFont() override;
    SdlFont(const SdlFont&) = delete;
    SdlFont& operator=(const SdlFont&) = delete;

    // Opens the font if it is not open yet; false when there is none (see Error). Only the first
    // call tries.
    bool Open();
    // The mask is the face's height and the sum of the advances wide (more only where ink
    // reaches below or past them), the text's top at row 0. False, with the mask emptied, when
    // there is no font or nothing to draw.
    bool Render(std::string_view sjisText, TextMask& mask) override;
    // Why the font could not be opened (UTF-8, with the file's name); empty when it opened or
    // has not been tried.
    const std::string& Error() const { return error_; }
    // The file in use; empty until the font has opened.
    const std::string& FontFile() const { return file_; }

private:
    // One rendered glyph: its pixels (non-zero where drawn) and where they go relative to the
    // pen on the line's top.
    struct Glyph {
        int advance = 0;
        int left = 0;  // column of pixel 0 from the pen
        int top = 0;   // row of pixel 0 from the line's top
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> pixels;
    };

    // Opens `file` as the face; false leaves the reason in `reason`.
    bool OpenFile(const std::string& file, std::string& reason);
    const Glyph& GlyphFor(char32_t codePoint);

    std::string path_;
    std::string file_;
    std::string error_;
    bool tried_ = false;
    bool ttfStarted_ = false;
    TTF_Font* font_ = nullptr;
    int height_ = 0;
    int ascent_ = 0;
    // Grows with the characters the game writes; emptied when it is full.
    std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace kipkip
