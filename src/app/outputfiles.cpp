#include "app/outputfiles.h"

#include <unistd.h>

#include <filesystem>

#include "platform/files.h"

namespace kipkip {
namespace {

// Why the file cannot be written, or nothing.
std::optional<std::string> Fault(const std::string& name)
{
    const std::filesystem::path path = ResolvePath(name);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return "it is a folder";
    }
    if (std::filesystem::exists(path, error)) {
        return access(path.c_str(), W_OK) == 0 ? std::nullopt
                                               : std::optional<std::string>("it is read-only");
    }
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    if (!std::filesystem::is_directory(folder, error)) {
        return "the folder " + folder.string() + " does not exist";
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return "the folder " + folder.string() + " is read-only";
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> UnwritableOutputs(const Options& options)
{
    std::vector<std::pair<std::string_view, const std::string*>> outputs = {
        {"the trace", &options.traceFile},
        {"the recording", &options.recordFile},
        {"the sound", &options.audioOutFile},
        {"the MIDI log", &options.midiLogFile}};
    for (const Shot& shot : options.shots) {
        outputs.emplace_back("the shot", &shot.file);
    }
    std::vector<std::string> messages;
    for (const auto& [what, name] : outputs) {
        if (name->empty()) {
            continue;
        }
        if (std::optional<std::string> fault = Fault(*name)) {
            messages.push_back("cannot write " + std::string(what) + " " + *name + ": " + *fault);
        }
    }
    return messages;
}

}  // namespace kipkip
