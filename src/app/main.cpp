// The program's entry: reads the command line and the settings file, then runs the data checker
// or the game.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <span>

#include "app/commandline.h"
#include "app/datachecker.h"
#include "app/exitstatus.h"
#include "app/gamerunner.h"
#include "app/recordslisting.h"
#include "app/settingsfile.h"

int main(int argc, char** argv)
{
    using namespace kipkip;
    const auto started = std::chrono::steady_clock::now();
    std::span<const char* const> arguments(argv + 1, argc - 1);
    auto parsed = CommandLine::Parse(arguments);
    if (parsed.error) {
        std::fprintf(stderr, "kipkip: %s (see kipkip --help)\n", parsed.error->c_str());
        return exitstatus::kBadInput;
    }
    if (parsed.options.help) {
        std::cout << CommandLine::Help();
        return exitstatus::kDone;
    }
    if (parsed.options.version) {
        std::cout << "kipkip " KIPKIP_VERSION "\n";
        return exitstatus::kDone;
    }
    if (parsed.options.check) {
        return DataChecker(parsed.options.dump).CheckAll(parsed.options.files, std::cout)
                   ? exitstatus::kDone
                   : exitstatus::kFatal;
    }
    // The settings file gives the defaults, and the command line, read again over them, wins.
    const bool named = !parsed.options.configFile.empty();
    const std::string path = SettingsFile::PathInForce(
        parsed.options, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    SettingsFile::Result settings = SettingsFile::Load(path, Options{}, named);
    for (const std::string& error : settings.errors) {
        std::fprintf(stderr, "kipkip: %s\n", error.c_str());
    }
    const Options options = CommandLine::Parse(arguments, settings.options).options;
    if (options.printConfig) {
        std::cout << SettingsFile::Format(options);
        return exitstatus::kDone;
    }
    if (options.records) {
        return RecordsListing::Print(options.dataDir, std::cout, std::cerr);
    }
    return GameRunner(options, started, settings.errors, nullptr, {path, settings.options}).Run();
}
