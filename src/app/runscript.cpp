#include "app/runscript.h"

namespace kipkip {

bool RunScript::Load(const Options& options, std::string& error)
{
    if (!options.replayFile.empty()) {
        ReplayFileResult loaded = ReplayFile::Load(options.replayFile);
        if (!loaded.replay) {
            error = loaded.error;
            return false;
        }
        replay_ = std::move(loaded.replay);
    }
    if (!options.inputFile.empty()) {
        InputScriptResult parsed = InputScript::Load(options.inputFile);
        if (!parsed.script) {
            error = parsed.error;
            return false;
        }
        keys_ = std::move(parsed.script);
    }
    return true;
}

}  // namespace kipkip
