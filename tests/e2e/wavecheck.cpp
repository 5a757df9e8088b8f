// tests/e2e/wavecheck.cpp
// Checks the sound of a headless run (`--audio-out`) against its trace, which lists the sounds
// played in each tick:
//
//     wave_check RUN.wav TRACE.jsonl NAME=SOUND.wav...   each sound is heard from its tick on
//     wave_check --silent RUN.wav TRACE.jsonl            nothing is heard at all
//
// The file must be a 44100 Hz 16-bit stereo WAVE of exactly 882 frames per trace line. A sound
// played in tick k starts at frame 882 x (k - 1); it lasts as long as its WAVE file (at its own
// rate, converted to 44100 Hz). Every frame that no sound covers must be silent; the 882 frames
// of each sound's tick must carry more energy than the 882 before them (the new sound is heard
// at once, not a tick late); and each NAME must be played at least once in the run, so the
// check cannot pass on a run that never reached the sounds it was written for.
//
// This reader is the test's own: it trusts nothing of the game's code.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kFramesPerTick = 882;
constexpr std::uint32_t kRate = 44100;
constexpr std::size_t kHeaderSize = 44;

int failures = 0;

void Fail(const std::string& message)
{
    std::fprintf(stderr, "wave_check: %s\n", message.c_str());
    ++failures;
}

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t U16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool TagIs(const std::vector<std::uint8_t>& bytes, std::size_t at, std::string_view tag)
{
    return bytes.size() >= at + 4 &&
           std::string_view(reinterpret_cast<const char*>(&bytes[at]), 4) == tag;
}

// How many output frames a sound file lasts: its data frames at its own rate, converted to
// 44100 Hz and rounded up. Walks the chunks; 0 when the file is not a PCM WAVE.
std::size_t OutputFrames(const std::vector<std::uint8_t>& file)
{
    if (!TagIs(file, 0, "RIFF") || !TagIs(file, 8, "WAVE")) {
        return 0;
    }
    std::uint32_t rate = 0;
    std::uint32_t blockAlign = 0;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        std::uint32_t size = U32(file, at + 4);
        if (size > file.size() - at - 8) {
            return 0;
        }
        if (TagIs(file, at, "fmt ") && size >= 16) {
            rate = U32(file, at + 12);
            blockAlign = U16(file, at + 20);
        } else if (TagIs(file, at, "data") && size > 0 && rate > 0 && blockAlign > 0) {
            std::uint64_t frames = size / blockAlign;
            return static_cast<std::size_t>((frames * kRate + rate - 1) / rate);
        }
        at += 8 + size;
    }
    return 0;
}

struct Play {
    std::uint64_t tick;
    std::string name;
};

// The trace's lines in order, and every sound each one lists.
bool ReadTrace(const std::string& path, std::uint64_t& ticks, std::vector<Play>& plays)
{
    std::ifstream in(path);
    if (!in) {
        return false;
    }
    std::string line;
    ticks = 0;
    while (std::getline(in, line)) {
        ++ticks;
        std::size_t tickAt = line.find("\"tick\":");
        if (tickAt == std::string::npos || std::stoull(line.substr(tickAt + 7)) != ticks) {
            Fail("trace line " + std::to_string(ticks) + " is not tick " + std::to_string(ticks));
            return false;
        }
        std::size_t at = line.find("\"sounds\":[");
        if (at == std::string::npos) {
            continue;
        }
        std::size_t end = line.find(']', at);
        for (at += 10; at < end;) {
            std::size_t open = line.find('"', at);
            if (open >= end) {
                break;
            }
            std::size_t close = line.find('"', open + 1);
            plays.push_back({ticks, line.substr(open + 1, close - open - 1)});
            at = close + 1;
        }
    }
    return true;
}

double Energy(const std::vector<std::int16_t>& samples, std::size_t firstFrame, std::size_t frames)
{
    double sum = 0;
    for (std::size_t i = firstFrame * 2; i < (firstFrame + frames) * 2; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return sum;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    bool silent = !args.empty() && args[0] == "--silent";
    if (silent) {
        args.erase(args.begin());
    }
    if (args.size() < 2 || (!silent && args.size() < 3)) {
        std::fprintf(stderr,
                     "usage: wave_check RUN.wav TRACE.jsonl NAME=SOUND.wav...\n"
                     "       wave_check --silent RUN.wav TRACE.jsonl\n");
        return 2;
    }
    std::map<std::string, std::size_t> lengths;  // sound name -> output frames
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::size_t equals = args[i].find('=');
        auto file = ReadFile(args[i].substr(equals + 1));
        std::size_t frames = file ? OutputFrames(*file) : 0;
        if (equals == std::string::npos || frames == 0) {
            Fail("cannot read the sound of " + args[i]);
            return 1;
        }
        lengths[args[i].substr(0, equals)] = frames;
    }

    std::uint64_t ticks = 0;
    std::vector<Play> plays;
    if (!ReadTrace(args[1], ticks, plays) || ticks == 0) {
        Fail("cannot read the trace " + args[1]);
        return 1;
    }
    auto run = ReadFile(args[0]);
    if (!run) {
        Fail("cannot read " + args[0]);
        return 1;
    }
    const std::vector<std::uint8_t>& wave = *run;
    std::size_t dataSize = kFramesPerTick * 4 * ticks;
    if (wave.size() != kHeaderSize + dataSize) {
        Fail("the file has " + std::to_string(wave.size()) + " bytes, not " +
             std::to_string(kHeaderSize + dataSize) + " for " + std::to_string(ticks) + " ticks");
        return 1;
    }
    struct Field {
        const char* what;
        std::uint32_t value;
        std::uint32_t expected;
    };
    const Field fields[] = {
        {"RIFF tag", U32(wave, 0), 0x46464952},
        {"RIFF size", U32(wave, 4), static_cast<std::uint32_t>(wave.size() - 8)},
        {"WAVE tag", U32(wave, 8), 0x45564157},
        {"fmt tag", U32(wave, 12), 0x20746d66},
        {"fmt size", U32(wave, 16), 16},
        {"format", U16(wave, 20), 1},
        {"channels", U16(wave, 22), 2},
        {"rate", U32(wave, 24), kRate},
        {"bytes per second", U32(wave, 28), kRate * 4},
        {"block align", U16(wave, 32), 4},
        {"bits", U16(wave, 34), 16},
        {"data tag", U32(wave, 36), 0x61746164},
        {"data size", U32(wave, 40), static_cast<std::uint32_t>(dataSize)},
    };
    for (const Field& field : fields) {
        if (field.value != field.expected) {
            Fail(std::string(field.what) + " is " + std::to_string(field.value) + ", not " +
                 std::to_string(field.expected));
        }
    }
    std::vector<std::int16_t> samples(dataSize / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(U16(wave, kHeaderSize + 2 * i));
    }

    // Which frames some sound may cover.
    std::size_t frames = samples.size() / 2;
    std::vector<bool> covered(frames, false);
    if (!silent) {
        for (const Play& play : plays) {
            auto length = lengths.find(play.name);
            if (length == lengths.end()) {
                Fail("tick " + std::to_string(play.tick) + " plays " + play.name +
                     ", whose sound was not given");
                continue;
            }
            std::size_t start = kFramesPerTick * (play.tick - 1);
            for (std::size_t f = start; f < std::min(frames, start + length->second); ++f) {
                covered[f] = true;
            }
        }
    }
    for (std::size_t f = 0; f < frames; ++f) {
        if (!covered[f] && (samples[2 * f] != 0 || samples[2 * f + 1] != 0)) {
            Fail("frame " + std::to_string(f) + " (tick " + std::to_string(f / kFramesPerTick + 1) +
                 ") sounds where nothing plays");
            break;
        }
    }
    if (silent) {
        return failures == 0 ? 0 : 1;
    }

    for (const Play& play : plays) {
        std::size_t start = kFramesPerTick * (play.tick - 1);
        double now = Energy(samples, start, kFramesPerTick);
        double before = start == 0 ? 0.0 : Energy(samples, start - kFramesPerTick, kFramesPerTick);
        std::printf("tick %llu %s: energy %.3g (the tick before: %.3g)\n",
                    static_cast<unsigned long long>(play.tick), play.name.c_str(), now, before);
        if (!(now > before)) {
            Fail("the " + play.name + " of tick " + std::to_string(play.tick) +
                 " is not heard in its tick's frames");
        }
    }
    for (const auto& [name, length] : lengths) {
        bool played = false;
        for (const Play& play : plays) {
            played = played || play.name == name;
        }
        if (!played) {
            Fail(name + " is never played in the run");
        }
    }
    return failures == 0 ? 0 : 1;
}
