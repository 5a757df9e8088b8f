#include "app/datachecker.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/jsonline.h"
#include "device/kivsound.h"
#include "device/midifile.h"
#include "platform/asciicase.h"
#include "platform/fatalcapture.h"
#include "platform/files.h"
#include "platform/pixelformats.h"
#include "platform/sdl/sdlbitmap.h"
#include "platform/sjis.h"
#include "records/recordsfile.h"
#include "records/recordstext.h"
#include "texdb/texdb.h"

namespace kipkip {
namespace {

std::string Hex(const void* data, std::size_t size)
{
    std::string out;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        out += pair;
    }
    return out;
}

std::string Extension(const std::string& file)
{
    return AsciiLower(std::filesystem::path(file).extension().string());
}

void Failure(std::ostream& out, const std::string& file, const char* kind, const std::string& error)
{
    out << JsonLine()
               .Add("file", file)
               .Add("kind", kind)
               .Add("ok", false)
               .Add("error", error)
               .Text()
        << '\n';
}

// A wave is checked as the sound-effect device reads it, before its conversion for the mixer.
bool CheckWave(const std::string& file, std::ostream& out)
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
    if (!bytes) {
        Failure(out, file, "wave", "the file cannot be read");
        return false;
    }
    std::string error;
    std::optional<TKivSound::WaveInfo> wave = TKivSound::ReadWave(*bytes, error);
    if (!wave) {
        Failure(out, file, "wave", error);
        return false;
    }
    out << JsonLine()
               .Add("file", file)
               .Add("kind", "wave")
               .Add("ok", true)
               .Add("channels", wave->channels)
               .Add("rate", wave->rate)
               .Add("bits", wave->bits)
               .Add("frames", static_cast<std::int64_t>(wave->frames))
               .Text()
        << '\n';
    return true;
}

// A song is checked as the music device reads it: the header and its first 64 tracks.
bool CheckMidi(const std::string& file, std::ostream& out)
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
    if (!bytes) {
        Failure(out, file, "midi", "the file cannot be read");
        return false;
    }
    MidiFile image;
    std::string error;
    if (!MidiFile::Read(*bytes, image, error)) {
        Failure(out, file, "midi", error);
        return false;
    }
    out << JsonLine()
               .Add("file", file)
               .Add("kind", "midi")
               .Add("ok", true)
               .Add("format", image.format)
               .Add("tracks", static_cast<int>(image.tracks.size()))
               .Add("division", image.division)
               .Text()
        << '\n';
    return true;
}

// A records file is known by its first line, whatever its name: "kipkip-records" and a version.
bool IsRecords(const std::string& file)
{
    bool missing = false;
    const std::optional<std::vector<std::uint8_t>> bytes = RecordsFile::ReadBounded(file, missing);
    const std::string magic = std::string(RecordsText::kMagic) + " ";
    return bytes && bytes->size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), bytes->begin());
}

// A records file is checked as the game reads it; one of a later version is not read.
bool CheckRecords(const std::string& file, std::ostream& out)
{
    bool missing = false;
    const std::optional<std::vector<std::uint8_t>> bytes = RecordsFile::ReadBounded(file, missing);
    if (!bytes) {
        Failure(out, file, "records", "the file cannot be read");
        return false;
    }
    const RecordsTextResult parsed = RecordsText::Parse(file, *bytes);
    if (parsed.status != RecordsTextResult::Status::kRead) {
        Failure(out, file, "records", parsed.error);
        return false;
    }
    out << JsonLine()
               .Add("file", file)
               .Add("kind", "records")
               .Add("ok", true)
               .Add("version", RecordsText::kVersion)
               .Add("records", static_cast<int>(parsed.table.Records().size()))
               .Add("initials", parsed.table.LastInitials())
               .Text()
        << '\n';
    return true;
}

}  // namespace

bool DataChecker::CheckAll(const std::vector<std::string>& files, std::ostream& out) const
{
    bool allOk = true;
    for (const std::string& file : files) {
        if (IsRecords(file)) {
            allOk = CheckRecords(file, out) && allOk;
            continue;
        }
        std::string extension = Extension(file);
        if (extension == ".bmp") {
            allOk = CheckBitmap(file, out) && allOk;
            continue;
        }
        if (extension == ".wav") {
            allOk = CheckWave(file, out) && allOk;
            continue;
        }
        if (extension == ".mid") {
            allOk = CheckMidi(file, out) && allOk;
            continue;
        }
        allOk = CheckText(file, out) && allOk;
    }
    return allOk;
}

bool DataChecker::CheckBitmap(const std::string& file, std::ostream& out) const
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file);
    if (!bytes) {
        Failure(out, file, "bitmap", "the file cannot be read");
        return false;
    }
    std::string error;
    // In the screen's 5-6-5 format, as the drawing device loads sprites.
    std::optional<Picture> picture = SdlBitmap().Decode(*bytes, pixelformats::kRgb565, error);
    if (!picture) {
        Failure(out, file, "bitmap", error);
        return false;
    }
    out << JsonLine()
               .Add("file", file)
               .Add("kind", "bitmap")
               .Add("ok", true)
               .Add("width", picture->width)
               .Add("height", picture->height)
               .Add("bits", picture->fileBits)
               .Text()
        << '\n';
    return true;
}

bool DataChecker::CheckText(const std::string& file, std::ostream& out) const
{
    FatalCapture capture;
    TTexDb db = TTexDb::FromFile(file);
    if (!capture.Messages().empty()) {
        Failure(out, file, "text", SjisToUtf8(capture.Messages().front()));
        return false;
    }
    int entries = 0;
    for (const TexBlock& block : db.Blocks()) {
        entries += block.EntryCount();
    }
    out << JsonLine()
               .Add("file", file)
               .Add("kind", "text")
               .Add("ok", true)
               .Add("blocks", db.BlockCount())
               .Add("entries", entries)
               .Text()
        << '\n';
    if (!dump_) {
        return true;
    }
    for (int b = 0; b < db.BlockCount(); ++b) {
        const TexBlock& block = db.Blocks()[static_cast<std::size_t>(b)];
        for (int e = 0; e < block.EntryCount(); ++e) {
            const TexEntry& entry = block.entries[static_cast<std::size_t>(e)];
            out << JsonLine()
                       .Add("block", b)
                       .Add("entry", e)
                       .Add("key", SjisToUtf8(entry.Key()))
                       .Add("keyHex", Hex(entry.Key().data(), entry.Key().size()))
                       .Add("value", Hex(entry.value.bytes.data(), entry.value.bytes.size()))
                       .Text()
                << '\n';
        }
    }
    return true;
}

}  // namespace kipkip
