#include "toy/toyfont.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "kernel/kernel.h"
#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toynames.h"

namespace kipkip {

namespace {

constexpr int kWavePeriodMs = 800;
constexpr int kWaveStepMs = 40;  // how far each glyph is behind the one before it
constexpr double kWaveAmplitude = 8.0;

// Screen coordinates add as 32-bit integers wrap, so no width or position overflows.
std::int32_t Add(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// Toward zero, held inside the 32-bit range.
int Truncate(double value)
{
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (!(value >= kLow)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value > kHigh) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<int>(std::trunc(value));
}

}  // namespace

TToyFont::TToyFont(TToyBox* box, TTexDb& db)
    : TToyObject(box, std::string(toynames::kFont), std::string(), std::string())
{
    // Class, layer and show mean nothing to a font.
    std::string fontName(db.Get("name").Text());
    std::string fontFile(db.Get("fileName").Text());
    TexValue size = db.Get("size");
    if (box != nullptr) {
        box->CreateSprite(fontName, fontFile, size.Int(0), size.Int(1));
        box->GetSpriteSize(fontName, cellWidth, cellHeight);
    }
    name = std::move(fontName);
    fileName = std::move(fontFile);
    wave = false;

    // Every line after "size" is a line of widths, whatever its key. A line of one to four
    // integers holds 32-bit values, whose shorts are the value and its upper half: 0 for any
    // width a glyph can have, so such a line gives its first value only.
    int glyph = 0;
    while (db.NextEntry()) {
        TexValue line = db.EntryValue();
        for (int i = 0; i < kWidthsPerLine; ++i) {
            std::int16_t width = line.Short(i);
            if (width == 0) {
                break;
            }
            if (glyph < kGlyphCount) {
                widths[glyph++] = width;
            }
        }
    }
    lineHeight = size.Int(1);
}

void TToyFont::SaveKeys(std::vector<std::string>& lines)
{
    lines.push_back("\tfileName\t" + fileName);
    if (cellWidth != 0 || cellHeight != 0) {
        lines.push_back("\tsize\t\t" + std::to_string(cellWidth) + "," +
                        std::to_string(cellHeight));
    }
    // Eight widths a line, the last line the remaining five.
    for (int first = 0; first < kGlyphCount; first += kWidthsPerLine) {
        std::string line = "\twidth\t";
        for (int i = first; i < kGlyphCount && i < first + kWidthsPerLine; ++i) {
            line += i == first ? "\t" : ",";
            line += std::to_string(widths[i]);
        }
        lines.push_back(std::move(line));
    }
}

int TToyFont::GlyphOf(char c)
{
    switch (c) {
        case ' ':
            return kSpaceGlyph;
        case '!':
            return kExclamationGlyph;
        case '?':
            return kQuestionGlyph;
        default:
            break;
    }
    int glyph = static_cast<unsigned char>(c) - 'A';
    return glyph >= 0 && glyph < kGlyphCount ? glyph : -1;
}

double TToyFont::WaveOffset(std::int32_t clock, std::int64_t index)
{
    std::int64_t phase = (static_cast<std::int64_t>(clock) + kWaveStepMs * index) % kWavePeriodMs;
    return kWaveAmplitude *
           std::cos(2.0 * std::numbers::pi * (1.0 / kWavePeriodMs) * static_cast<double>(phase));
}

void TToyFont::DrawText(int x, int y, std::string_view text)
{
    textRect = {0, 0, 0, lineHeight};
    std::int32_t clock = 0;
    if (wave && box != nullptr && box->kernel != nullptr) {
        clock = box->kernel->elapsed;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        double d = wave ? WaveOffset(clock, static_cast<std::int64_t>(i) + 1) : 0.0;
        int glyph = GlyphOf(text[i]);
        // A character outside the font's 29 glyphs used to index past the width table; it
        // now draws nothing and advances nothing.
        if (glyph < 0) {
            continue;
        }
        if (box != nullptr) {
            box->DrawSprite(x, Truncate(y + d), name, glyph, 0, 0);
        }
        x = Add(x, widths[glyph]);
        textRect.right = Add(textRect.right, widths[glyph]);
    }
}

}  // namespace kipkip
