#include "app/commandline.h"

#include <string_view>

namespace kipkip {
namespace {

struct OptionSpec {
    std::string_view name;
    std::string_view argument;  // empty for a flag
    std::string_view help;
    void (*apply)(Options&, std::string_view value);
};

constexpr OptionSpec kOptions[] = {
    {"--check", "", "load each FILE given with the game's own readers and report it as JSON",
     [](Options& o, std::string_view) { o.check = true; }},
    {"--dump", "", "with --check: also one JSON line per entry of a data text",
     [](Options& o, std::string_view) { o.dump = true; }},
    {"--help", "", "print this list and exit", [](Options& o, std::string_view) { o.help = true; }},
    {"--version", "", "print the version and exit",
     [](Options& o, std::string_view) { o.version = true; }},
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

CommandLine::Result CommandLine::Parse(std::span<const char* const> arguments)
{
    Result result;
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
        option->apply(result.options, value);
    }
    if (!result.options.files.empty() && !result.options.check) {
        result.error = "unexpected argument " + result.options.files.front();
    }
    return result;
}

std::string CommandLine::Help()
{
    std::string text = "Usage: kipkip [OPTION]... [FILE]...\n\nOptions:\n";
    for (const OptionSpec& option : kOptions) {
        std::string left = "  " + std::string(option.name);
        if (!option.argument.empty()) {
            left += " " + std::string(option.argument);
        }
        left.resize(std::max<std::size_t>(left.size() + 2, 24), ' ');
        text += left + std::string(option.help) + "\n";
    }
    return text;
}

}  // namespace kipkip
