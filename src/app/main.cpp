// The program's entry: reads the command line and runs the data checker or the game.
#include <cstdio>
#include <iostream>
#include <span>

#include "app/commandline.h"
#include "app/datachecker.h"
#include "app/gamerunner.h"

namespace {

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char** argv)
{
    using namespace kipkip;
    auto parsed = CommandLine::Parse(std::span<const char* const>(argv + 1, argc - 1));
    if (parsed.error) {
        std::fprintf(stderr, "kipkip: %s (see kipkip --help)\n", parsed.error->c_str());
        return kUsageError;
    }
    const Options& options = parsed.options;
    if (options.help) {
        std::cout << CommandLine::Help();
        return 0;
    }
    if (options.version) {
        std::cout << "kipkip " KIPKIP_VERSION "\n";
        return 0;
    }
    if (options.check) {
        return DataChecker(options.dump).CheckAll(options.files, std::cout) ? 0 : 1;
    }
    return GameRunner(options).Run();
}
