// app/commandline.h
// The program's command line: one table of options from which the parser and --help are made.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/padbinding.h"

namespace kipkip {

// `--shot TICK:FILE.bmp`: the frame at the end of tick TICK.
struct Shot {
    std::uint64_t tick = 0;
    std::string file;
};

struct Options {
    bool help = false;
    bool version = false;
    bool check = false;
    bool dump = false;
    std::vector<std::string> files;  // the files of --check

    int scale = 0;  // 0: fit the desktop
    bool fullScreen = false;
    bool autopause = true;  // pause when the window loses the focus
    bool vsync = false;     // present in step with the display
    int speed = 100;        // percent of full speed, in a window (see app/gamespeed.h)
    // While climbing, a mark at the height the best record had reached at the same moment.
    bool paceMarker = true;
    // --pace-marker was given: headless runs and replays show the marker only when asked to.
    bool paceMarkerAsked = false;
    bool withRecords = false;  // headless runs and replays keep and show the records table
    bool headless = false;
    std::uint64_t ticks = 0;  // 0: no limit
    std::string inputFile;
    std::string traceFile;
    bool traceActors = false;  // the trace lists every actor of the scene
    std::string dataDir;       // empty: the current directory
    std::string recordFile;    // --record: write a replay of the run
    std::string replayFile;    // --replay or --timedemo: play a recording back
    bool timedemo = false;     // --timedemo: headless replay, then the speed figures
    bool stats = false;
    std::vector<Shot> shots;
    std::string fontFile;       // empty: the default Japanese Gothic face
    bool mute = false;          // no sound effects (and no music): the devices stay silent
    std::string audioOutFile;   // --audio-out (headless): the run's mixed sound as a WAVE file
    std::string soundFontFile;  // --soundfont: the music's SoundFont (empty: look for one)
    std::string midiLogFile;    // --midi-log: every MIDI message sent, with its pass's time
    int musicVolume = 100;      // 0..100; 100 is the music as rendered
    int effectsVolume = 100;    // 0..100; 100 is the effects as recorded
    // The keys of up, down, left, right and the three buttons, by name: the name a key shows
    // in the keyboard's layout ("z", "space", "left shift"), else SDL's name for its place.
    std::array<std::string, 7> keyNames = {"up", "down", "left", "right", "space", "b", "return"};
    // The controller's buttons of the three buttons; never Start, which opens the menu.
    PadBinding padButtons = kDefaultPadBinding;
    std::string controllerMappings;  // a file of SDL game-controller mappings
    std::string configFile;          // --config: the settings file (empty: the usual place)
    bool printConfig = false;        // print the settings in force and exit
    bool records = false;            // print the data directory's records table and exit
};

class CommandLine {
public:
    // The options, or the error that names the offending argument.
    struct Result {
        Options options;
        std::optional<std::string> error;
    };

    // The arguments applied over `base` (the defaults, or the settings file's values).
    static Result Parse(std::span<const char* const> arguments, Options base = {});
    static std::string Help();

    // Each option, as --help and the manual page describe it.
    struct OptionHelp {
        std::string_view name;
        std::string_view argument;  // empty for a flag
        std::string_view help;
    };
    static std::vector<OptionHelp> AllOptions();
};

}  // namespace kipkip
