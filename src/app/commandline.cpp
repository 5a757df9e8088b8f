#include "app/commandline.h"

#include <string_view>

#include "app/gamespeed.h"
#include "platform/wholenumber.h"

namespace kipkip {
namespace {

using Error = std::optional<std::string>;

template <bool Options::*field, bool value = true>
Error SetFlag(Options& options, std::string_view)
{
    options.*field = value;
    return std::nullopt;
}

template <std::string Options::*field>
Error SetText(Options& options, std::string_view value)
{
    options.*field = value;
    return std::nullopt;
}

Error AddShot(Options& options, std::string_view value)
{
    std::size_t colon = value.find(':');
    Shot shot;
    if (colon == std::string_view::npos || colon + 1 == value.size() ||
        ParseWholeNumber<std::uint64_t>("--shot", value.substr(0, colon), 1, UINT32_MAX,
                                        shot.tick)) {
        return "--shot takes TICK:FILE.bmp with TICK from 1, not \"" + std::string(value) + "\"";
    }
    shot.file = value.substr(colon + 1);
    options.shots.push_back(shot);
    return std::nullopt;
}

Error AskForPaceMarker(Options& options, std::string_view)
{
    options.paceMarker = true;
    options.paceMarkerAsked = true;
    return std::nullopt;
}

Error SetTimedemo(Options& options, std::string_view value)
{
    options.replayFile = value;
    options.timedemo = true;
    options.headless = true;
    return std::nullopt;
}

struct OptionSpec {
    std::string_view name;
    std::string_view argument;  // empty for a flag
    std::string_view help;
    Error (*apply)(Options&, std::string_view value);
};

constexpr OptionSpec kOptions[] = {
    {"--scale", "N", "window scale 1..8 (default: the largest up to 4 that fits the desktop)",
     [](Options& o, std::string_view v) { return ParseWholeNumber("--scale", v, 1, 8, o.scale); }},
    {"--fullscreen", "", "start full screen (F11 or Alt+Enter toggles)",
     SetFlag<&Options::fullScreen>},
    {"--no-autopause", "", "keep the game running when the window loses the focus (P pauses)",
     SetFlag<&Options::autopause, false>},
    {"--pace-marker", "",
     "while climbing, mark the height the best record had reached by then (also headless)",
     AskForPaceMarker},
    {"--no-pace-marker", "", "no mark of the best record's height while climbing",
     SetFlag<&Options::paceMarker, false>},
    {"--speed", "N", "game speed in a window, 50 to 100 percent in steps of 10 (default 100)",
     [](Options& o, std::string_view v) { return ParseSpeed("--speed", v, o.speed); }},
    {"--headless", "", "no window and no audio device; ticks run as fast as the machine allows",
     SetFlag<&Options::headless>},
    {"--ticks", "N", "end the run after tick N (of the loop: see docs/formats.md)",
     [](Options& o, std::string_view v) {
         return ParseWholeNumber<std::uint64_t>("--ticks", v, 1, UINT32_MAX, o.ticks);
     }},
    {"--input", "FILE",
     "headless: the keys held from tick to tick; with --replay the player's, for the menu",
     SetText<&Options::inputFile>},
    {"--trace", "FILE", "write one JSON line of state after each tick",
     SetText<&Options::traceFile>},
    {"--trace-actors", "", "with --trace: also every actor's class, position and velocity",
     SetFlag<&Options::traceActors>},
    {"--dir", "DIR", "where files\\data.toy and kipkip.dat are looked for (default: here)",
     SetText<&Options::dataDir>},
    {"--shot", "TICK:FILE", "save the frame at the end of tick TICK as a BMP (repeatable)",
     AddShot},
    {"--font", "PATH", "the font for text in the game (default: IPA Gothic)",
     SetText<&Options::fontFile>},
    {"--soundfont", "PATH",
     "the SoundFont for the music (default: $KIPKIP_SOUNDFONT, else Debian's GM font)",
     SetText<&Options::soundFontFile>},
    {"--music-volume", "N", "the music's volume, 0 to 100 (default 100; M turns the music off)",
     [](Options& o, std::string_view v) {
         return ParseWholeNumber("--music-volume", v, 0, 100, o.musicVolume);
     }},
    {"--effects-volume", "N", "the sound effects' volume, 0 to 100 (default 100)",
     [](Options& o, std::string_view v) {
         return ParseWholeNumber("--effects-volume", v, 0, 100, o.effectsVolume);
     }},
    {"--mute", "", "no sound effects and no music (in a window no audio device is opened)",
     SetFlag<&Options::mute>},
    {"--audio-out", "FILE.wav", "headless: the run's mixed sound as a WAVE (see docs/formats.md)",
     SetText<&Options::audioOutFile>},
    {"--midi-log", "FILE", "write every MIDI message sent, with its time (see docs/formats.md)",
     SetText<&Options::midiLogFile>},
    {"--record", "FILE", "write a replay of the run: its keys, seeds and starting high score",
     SetText<&Options::recordFile>},
    {"--replay", "FILE", "play a recording back (as fast as possible with --headless)",
     SetText<&Options::replayFile>},
    {"--timedemo", "FILE", "replay headless, then print ticks per second and microseconds per tick",
     SetTimedemo},
    {"--stats", "", "print ticks, seconds, ticks per second and the longest gap at exit",
     SetFlag<&Options::stats>},
    {"--check", "", "load each FILE given with the game's own readers and report it as JSON",
     SetFlag<&Options::check>},
    {"--records", "",
     "print the records table of the data directory (see --dir), one line per record, and exit",
     SetFlag<&Options::records>},
    {"--with-records", "", "headless runs and replays: keep and show the records table",
     SetFlag<&Options::withRecords>},
    {"--dump", "", "with --check: also one JSON line per entry of a data text",
     SetFlag<&Options::dump>},
    {"--config", "FILE",
     "read the settings from FILE (default: $XDG_CONFIG_HOME/kipkip/kipkip.conf)",
     SetText<&Options::configFile>},
    {"--print-config", "", "print the settings in force, in the settings file's format, and exit",
     SetFlag<&Options::printConfig>},
    {"--help", "", "print this list and exit", SetFlag<&Options::help>},
    {"--version", "", "print the version and exit", SetFlag<&Options::version>},
};

const OptionSpec* FindOption(std::string_view name)
{
    for (const OptionSpec& option : kOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

CommandLine::Result CommandLine::Parse(std::span<const char* const> arguments, Options base)
{
    Result result{std::move(base), std::nullopt};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (!argument.starts_with("--")) {
            result.options.files.emplace_back(argument);
            continue;
        }
        const OptionSpec* option = FindOption(argument);
        if (option == nullptr) {
            result.error = "unknown option " + std::string(argument);
            return result;
        }
        std::string_view value;
        if (!option->argument.empty()) {
            if (i + 1 == arguments.size()) {
                result.error = std::string(argument) + " needs " + std::string(option->argument);
                return result;
            }
            value = arguments[++i];
        }
        if (Error error = option->apply(result.options, value)) {
            result.error = error;
            return result;
        }
    }
    if (!result.options.files.empty() && !result.options.check) {
        result.error = "unexpected argument " + result.options.files.front();
    } else if (!result.options.inputFile.empty() && !result.options.headless) {
        result.error = "--input needs --headless";
    } else if (!result.options.audioOutFile.empty() && !result.options.headless) {
        result.error = "--audio-out needs --headless";
    } else if (!result.options.replayFile.empty() && !result.options.recordFile.empty()) {
        result.error = "--replay and --record cannot be used together";
    }
    return result;
}

std::vector<CommandLine::OptionHelp> CommandLine::AllOptions()
{
    std::vector<OptionHelp> options;
    for (const OptionSpec& option : kOptions) {
        options.push_back({option.name, option.argument, option.help});
    }
    return options;
}

std::string CommandLine::Help()
{
    std::string text = "Usage: kipkip [OPTION]... [FILE]...\n\nOptions:\n";
    for (const OptionHelp& option : AllOptions()) {
        std::string left = "  ";
        left += option.name;
        if (!option.argument.empty()) {
            left += ' ';
            left += option.argument;
        }
        left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
        text += left;
        text += option.help;
        text += '\n';
    }
    return text;
}

}  // namespace kipkip
