#include "app/datadirectory.h"

#include <filesystem>

namespace kipkip {
namespace {

void MakeAbsolute(std::string& path)
{
    std::error_code error;
    if (!path.empty()) {
        auto absolute = std::filesystem::absolute(path, error);
        if (!error) {
            path = absolute.string();
        }
    }
}

}  // namespace

std::optional<std::string> EnterDataDirectory(Options& options)
{
    if (options.dataDir.empty()) {
        return std::nullopt;
    }
    for (std::string* name : {&options.inputFile, &options.traceFile, &options.fontFile,
                              &options.recordFile, &options.replayFile, &options.audioOutFile,
                              &options.soundFontFile, &options.midiLogFile}) {
        MakeAbsolute(*name);
    }
    for (Shot& shot : options.shots) {
        MakeAbsolute(shot.file);
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options.dataDir, error)) {
        return "the data directory " + options.dataDir + " does not exist";
    }
    std::filesystem::current_path(options.dataDir, error);
    if (error) {
        return "cannot enter the data directory " + options.dataDir + ": " + error.message();
    }
    return std::nullopt;
}

}  // namespace kipkip
