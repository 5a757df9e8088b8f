#include "platform/sdl/sdlbitmap.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/bytecursor.h"
#include "platform/byteorder.h"
#include "platform/files.h"
#include "platform/sdl/sdlpixelformat.h"

namespace kipkip {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestHeaderSize = 124;  // BITMAPV5HEADER
constexpr std::size_t kBitFieldsSize = 12;         // three masks after a 40-byte header

enum : std::uint32_t {
    kUncompressed = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
};

// The fields of a BMP header that decide whether the file can be decoded.
struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, whichever way the file stores them
    int bits = 0;
    std::uint32_t compression = kUncompressed;
    std::uint32_t colorsUsed = 0;
    bool core = false;
};

bool CompressionFits(std::uint32_t compression, int bits)
{
    switch (compression) {
        case kUncompressed:
            return true;
        case kRle8:
            return bits == 8;
        case kRle4:
            return bits == 4;
        case kBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

std::optional<BmpHeader> ReadHeader(std::span<const std::uint8_t> bytes, std::string& error)
{
    const ByteCursor in(bytes);
    if (!in.IdAt(0, "BM")) {
        error = "not a BMP file";
        return std::nullopt;
    }
    if (bytes.size() > kMaxFileSize) {
        error = "too large: " + std::to_string(bytes.size()) + " bytes";
        return std::nullopt;
    }
    const std::string truncatedHeader = "truncated: the header runs past the end of the file";
    if (!in.Has(kFileHeaderSize, 4)) {
        error = truncatedHeader;
        return std::nullopt;
    }
    BmpHeader header;
    header.pixelOffset = in.Le32At(10);
    header.headerSize = in.Le32At(14);
    header.core = header.headerSize == kCoreHeaderSize;
    if (!header.core &&
        (header.headerSize < kInfoHeaderSize || header.headerSize > kLargestHeaderSize)) {
        error = "unsupported header size " + std::to_string(header.headerSize);
        return std::nullopt;
    }
    if (!in.Has(kFileHeaderSize, header.headerSize)) {
        error = truncatedHeader;
        return std::nullopt;
    }
    if (header.core) {
        header.width = in.Le16At(18);
        header.height = in.Le16At(20);
        header.bits = in.Le16At(24);
    } else {
        header.width = static_cast<std::int32_t>(in.Le32At(18));
        // A negative height stores the rows top down.
        header.height = static_cast<std::int32_t>(in.Le32At(22));
        header.height = header.height < 0 ? -header.height : header.height;
        header.bits = in.Le16At(28);
        header.compression = in.Le32At(30);
        header.colorsUsed = in.Le32At(46);
    }

    std::string size = std::to_string(header.width) + "x" + std::to_string(header.height);
    if (header.width <= 0 || header.height <= 0) {
        error = "no pixels: the size is " + size;
        return std::nullopt;
    }
    if (header.width > SdlBitmap::kMaxSide || header.height > SdlBitmap::kMaxSide ||
        header.width * header.height > SdlBitmap::kMaxPixels) {
        error = "too large: " + size + " pixels";
        return std::nullopt;
    }
    const int knownBits[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(knownBits), std::end(knownBits), header.bits) == std::end(knownBits)) {
        error = "unsupported bits per pixel: " + std::to_string(header.bits);
        return std::nullopt;
    }
    if (!CompressionFits(header.compression, header.bits)) {
        error = "unsupported compression " + std::to_string(header.compression) + " for " +
                std::to_string(header.bits) + " bits per pixel";
        return std::nullopt;
    }
    if (header.compression == kBitFields && header.headerSize == kInfoHeaderSize &&
        !in.Has(kFileHeaderSize + kInfoHeaderSize, kBitFieldsSize)) {
        error = truncatedHeader;
        return std::nullopt;
    }
    if (!in.Has(header.pixelOffset, 1)) {
        error = "truncated: the file ends before its pixels";
        return std::nullopt;
    }
    if (header.compression == kUncompressed || header.compression == kBitFields) {
        const std::int64_t stride = (header.width * header.bits + 31) / 32 * 4;
        if (!in.Has(header.pixelOffset, static_cast<std::size_t>(stride * header.height))) {
            error = "truncated: the pixels run past the end of the file";
            return std::nullopt;
        }
    }
    return header;
}

// The file again with its palette filled out to all 2^bits entries (entries the file does not
// hold are black) and its palette count set to "all", so SDL takes every index and reads
// nothing that is not palette as palette. The pixels follow the palette directly.
std::vector<std::uint8_t> WithFullPalette(std::span<const std::uint8_t> bytes,
                                          const BmpHeader& header)
{
    std::size_t entrySize = header.core ? 3 : 4;
    std::size_t paletteStart = kFileHeaderSize + header.headerSize;
    std::size_t fullCount = std::size_t{1} << header.bits;
    std::size_t declared = (header.core || header.colorsUsed == 0 || header.colorsUsed > fullCount)
                               ? fullCount
                               : header.colorsUsed;
    std::size_t held = std::min(declared, (bytes.size() - paletteStart) / entrySize);

    std::vector<std::uint8_t> out(bytes.begin(),
                                  bytes.begin() + static_cast<std::ptrdiff_t>(paletteStart));
    out.resize(paletteStart + fullCount * entrySize, 0);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(paletteStart), held * entrySize,
                out.begin() + static_cast<std::ptrdiff_t>(paletteStart));
    std::size_t pixelOffset = out.size();
    out.insert(out.end(), bytes.begin() + header.pixelOffset, bytes.end());
    StoreLe32(out.data() + 2, static_cast<std::uint32_t>(out.size()));
    StoreLe32(out.data() + 10, static_cast<std::uint32_t>(pixelOffset));
    if (!header.core) {
        StoreLe32(out.data() + 46, 0);
    }
    return out;
}

// What went wrong in SDL's own words, after what we were doing.
std::string SdlReason(const char* doing)
{
    const char* message = SDL_GetError();
    return std::string(doing) + ": " +
           ((message != nullptr && *message != '\0') ? message : "no reason given");
}

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace

std::optional<Picture> SdlBitmap::Decode(std::span<const std::uint8_t> bytes,
                                         const PixelFormat& format, std::string& error)
{
    std::uint32_t sdlFormat = SdlPixelFormatFor(format);
    if (sdlFormat == SDL_PIXELFORMAT_UNKNOWN) {
        error = "cannot decode into " + std::to_string(format.bitsPerPixel) +
                "-bit pixels with these channel masks";
        return std::nullopt;
    }
    std::optional<BmpHeader> header = ReadHeader(bytes, error);
    if (!header) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> filledOut;
    if (header->bits <= 8) {
        filledOut = WithFullPalette(bytes, *header);
        bytes = filledOut;
    }

    SDL_ClearError();
    // The size fits an int: ReadHeader refused anything over kMaxFileSize, and the filled-out
    // palette adds at most 1 KiB.
    SurfacePtr loaded(
        SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1));
    if (!loaded) {
        error = SdlReason("SDL cannot read the pixels");
        return std::nullopt;
    }
    SurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), sdlFormat, 0));
    if (!converted) {
        error = SdlReason("SDL cannot convert the pixels");
        return std::nullopt;
    }
    if (converted->w != header->width || converted->h != header->height) {
        error = "SDL read a picture of another size than the header's";
        return std::nullopt;
    }
    if (SDL_LockSurface(converted.get()) != 0) {
        error = SdlReason("SDL cannot lock the pixels");
        return std::nullopt;
    }

    Picture picture;
    picture.width = converted->w;
    picture.height = converted->h;
    picture.pitch = picture.width * format.BytesPerPixel();
    picture.format = format;
    picture.fileBits = header->bits;
    picture.pixels.resize(static_cast<std::size_t>(picture.pitch) * picture.height);
    const auto* source = static_cast<const std::uint8_t*>(converted->pixels);
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * picture.pitch,
                    source + static_cast<std::size_t>(y) * converted->pitch,
                    static_cast<std::size_t>(picture.pitch));
    }
    SDL_UnlockSurface(converted.get());

    // A file already in the asked layout is copied as it is, with whatever its X byte (or the
    // top bit of 5-5-5) holds; cleared, black is exactly 0 in every format.
    std::uint32_t keep = format.redMask | format.greenMask | format.blueMask;
    std::uint8_t keepByte[4];
    for (int b = 0; b < 4; ++b) {
        keepByte[b] = static_cast<std::uint8_t>(keep >> (8 * b));
    }
    std::size_t bytesPerPixel = static_cast<std::size_t>(format.BytesPerPixel());
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] &= keepByte[i % bytesPerPixel];
    }
    return picture;
}

}  // namespace kipkip
