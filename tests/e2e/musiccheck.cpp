// music_check LOG TRACE WAV REPEAT_MS END_MS
//
// Checks a headless run's MIDI log and sound against its trace: the song starts in the pass of
// the tick whose trace first shows the music (the tick of the press), with program changes and
// notes; REPEAT_MS and END_MS after that start (the song's "repeat" and "end" cues) the notes
// after the "end" cue are those after the "repeat" cue, shifted by the loop's period, loop after
// loop until the game is over; the tick whose trace drops the music lets every channel's notes go
// (no reset) and no note follows. The WAVE carries music in every second of play, and after the
// game over the release, which dies away within seconds.
// Prints what it found; exit status 1 on the first failed check.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Line {
    long ms = 0;
    bool reset = false;
    std::vector<int> bytes;
};

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "music_check: %s\n", why.c_str());
    std::exit(1);
}

std::vector<Line> ReadLog(const char* path)
{
    std::ifstream in(path);
    if (!in) {
        Fail(std::string("cannot read ") + path);
    }
    std::vector<Line> lines;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        Line line;
        std::string word;
        if (!(fields >> line.ms) || line.ms % 10 != 0) {
            Fail("a line without a pass time: " + text);
        }
        while (fields >> word) {
            if (word == "reset") {
                line.reset = true;
            } else if (word.size() == 2 && std::isxdigit(word[0]) && std::isxdigit(word[1]) &&
                       word == std::string{static_cast<char>(std::toupper(word[0])),
                                           static_cast<char>(std::toupper(word[1]))}) {
                line.bytes.push_back(std::stoi(word, nullptr, 16));
            } else {
                Fail("not an uppercase hex pair: " + text);
            }
        }
        if (line.reset == !line.bytes.empty() || (!lines.empty() && line.ms < lines.back().ms)) {
            Fail("a malformed or out-of-order line: " + text);
        }
        lines.push_back(line);
    }
    return lines;
}

bool IsNoteOn(const Line& line)
{
    return line.bytes.size() == 3 && (line.bytes[0] & 0xF0) == 0x90 && line.bytes[2] != 0;
}

// The ticks where the trace's music field first reads "BGM", then null again.
void ReadTrace(const char* path, long& startTick, long& stopTick, long& lastTick)
{
    std::ifstream in(path);
    if (!in) {
        Fail(std::string("cannot read ") + path);
    }
    startTick = stopTick = lastTick = 0;
    std::string text;
    while (std::getline(in, text)) {
        long tick = std::atol(text.c_str() + text.find(':') + 1);
        lastTick = tick;
        bool playing = text.find("\"music\":\"BGM\"") != std::string::npos;
        if (playing && startTick == 0) {
            startTick = tick;
        } else if (!playing && startTick != 0 && stopTick == 0) {
            stopTick = tick;
        }
    }
    if (startTick == 0 || stopTick == 0) {
        Fail("the trace does not show the music starting and stopping");
    }
}

std::vector<std::int16_t> ReadWave(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::uint32_t size = 0;
        std::memcpy(&size, &bytes[at + 4], 4);
        if (std::memcmp(&bytes[at], "data", 4) == 0 && at + 8 + size <= bytes.size()) {
            std::vector<std::int16_t> samples(size / 2);
            std::memcpy(samples.data(), &bytes[at + 8], samples.size() * 2);
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    Fail(std::string("no data chunk in ") + path);
}

int Peak(const std::vector<std::int16_t>& samples, long fromMs, long toMs)
{
    std::size_t from = static_cast<std::size_t>(fromMs) * 441 / 10 * 2;
    std::size_t to = std::min(samples.size(), static_cast<std::size_t>(toMs) * 441 / 10 * 2);
    int peak = 0;
    for (std::size_t i = from; i < to; ++i) {
        peak = std::max(peak, std::abs(int{samples[i]}));
    }
    return peak;
}

// The first note-on within `slack` ms of `ms`.
const Line* NoteNear(const std::vector<Line>& lines, long ms, long slack)
{
    for (const Line& line : lines) {
        if (IsNoteOn(line) && line.ms >= ms - slack && line.ms <= ms + slack) {
            return &line;
        }
    }
    return nullptr;
}

std::vector<Line> NotesIn(const std::vector<Line>& lines, long from, long to)
{
    std::vector<Line> notes;
    for (const Line& line : lines) {
        if (IsNoteOn(line) && line.ms >= from && line.ms < to) {
            notes.push_back(line);
        }
    }
    return notes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        Fail("usage: music_check LOG TRACE WAV REPEAT_MS END_MS");
    }
    const std::vector<Line> lines = ReadLog(argv[1]);
    long startTick = 0, stopTick = 0, lastTick = 0;
    ReadTrace(argv[2], startTick, stopTick, lastTick);
    const std::vector<std::int16_t> wave = ReadWave(argv[3]);
    const long repeatMs = std::atol(argv[4]);
    const long endMs = std::atol(argv[5]);
    const long start = 20 * (startTick - 1);
    const long stop = 20 * (stopTick - 1);
    std::printf("song from %ld ms (tick %ld) to %ld ms (tick %ld), %zu log lines\n", start,
                startTick, stop, stopTick, lines.size());

    // The start: nothing before the pass of the press; programs and notes in it.
    if (lines.empty() || lines.front().ms != start) {
        Fail("the first message is not at " + std::to_string(start) + " ms");
    }
    bool program = false, note = false;
    for (const Line& line : lines) {
        if (line.ms == start) {
            program = program || (!line.bytes.empty() && (line.bytes[0] & 0xF0) == 0xC0);
            note = note || IsNoteOn(line);
        }
    }
    if (!program || !note) {
        Fail("the first pass sends no program change or no note");
    }

    // The loop: what follows the "end" cue is what followed the "repeat" cue, loop after loop.
    constexpr long kSlack = 30;
    constexpr long kWindow = 10000;
    const Line* repeat = NoteNear(lines, start + repeatMs, kSlack);
    const Line* end = NoteNear(lines, start + endMs, kSlack);
    if (repeat == nullptr || end == nullptr) {
        Fail("no note at the \"repeat\" or the \"end\" cue");
    }
    const long period = end->ms - repeat->ms;
    const std::vector<Line> once = NotesIn(lines, repeat->ms, repeat->ms + kWindow);
    int loops = 0;
    // The first time through, the cue fell inside a pass; after a jump the tick remainder starts
    // from 0. So a loop's notes may come one pass (10 ms) off the first time's, and the next
    // jump is looked for within one pass of a period later.
    for (long jump = end->ms; jump + kWindow < stop;) {
        const std::vector<Line> again = NotesIn(lines, jump, jump + kWindow);
        if (again.size() != once.size()) {
            Fail("the loop from " + std::to_string(jump) + " ms has " +
                 std::to_string(again.size()) + " notes in 10 s, the first time " +
                 std::to_string(once.size()));
        }
        for (std::size_t i = 0; i < once.size(); ++i) {
            if (again[i].bytes != once[i].bytes ||
                std::abs(again[i].ms - once[i].ms - (jump - repeat->ms)) > 10) {
                Fail("note " + std::to_string(i) + " of the loop from " + std::to_string(jump) +
                     " ms differs from the first time");
            }
        }
        ++loops;
        long next = -1;
        for (const Line& line : NotesIn(lines, jump + period - 10, jump + period + 11)) {
            if (line.bytes == once.front().bytes) {
                next = line.ms;
                break;
            }
        }
        if (next < 0 && jump + period + kWindow < stop) {
            Fail("no jump one period after " + std::to_string(jump) + " ms");
        }
        jump = next < 0 ? stop : next;
    }
    if (loops == 0) {
        Fail("the game ended before a whole loop could be compared");
    }
    std::printf("repeat at %ld ms, end at %ld ms, period %ld ms, %zu notes compared in %d loops\n",
                repeat->ms, end->ms, period, once.size(), loops);

    // The stop: in the pass of the game over every channel's notes are let go (all notes off),
    // with no reset or system message; no note follows.
    int released = 0;
    for (const Line& line : lines) {
        if (line.ms == stop && line.bytes.size() == 3 && (line.bytes[0] & 0xF0) == 0xB0 &&
            line.bytes[1] == 0x7B) {
            released |= 1 << (line.bytes[0] & 0x0F);
        }
        if (line.ms >= stop && (line.reset || (!line.bytes.empty() && line.bytes[0] == 0xF0))) {
            Fail("a reset or a system message after the game over at " + std::to_string(line.ms) +
                 " ms");
        }
        if (line.ms >= stop && IsNoteOn(line)) {
            Fail("a note after the game over at " + std::to_string(line.ms) + " ms");
        }
    }
    if (released != 0xFFFF) {
        Fail("not every channel's notes are let go at the game over, " + std::to_string(stop) +
             " ms");
    }

    // The sound: one tick's 882 frames per tick; music in every second of play, none after.
    if (wave.size() != static_cast<std::size_t>(lastTick) * 882 * 2) {
        Fail("the WAVE does not hold 882 frames per tick");
    }
    constexpr long kReleaseMs = 4000;
    int quietest = 1 << 16;
    for (long second = start; second + 1000 <= stop; second += 1000) {
        quietest = std::min(quietest, Peak(wave, second, second + 1000));
    }
    // The notes ring out in their release: heard just after the game over, gone seconds later.
    const int release = Peak(wave, stop + 100, stop + 600);
    const int after = Peak(wave, stop + kReleaseMs, stop + 10000);
    std::printf("quietest second of play peaks at %d, the release %d, after it %d\n", quietest,
                release, after);
    if (quietest < 1000) {
        Fail("a second of play without music");
    }
    if (release <= 16) {
        Fail("the music is cut dead at the game over");
    }
    if (after > 16) {
        Fail("the music goes on after the game over");
    }
    return 0;
}
