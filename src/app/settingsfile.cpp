#include "app/settingsfile.h"

#include <array>
#include <utility>

#include "app/gamespeed.h"
#include "app/windowkeys.h"
#include "platform/asciicase.h"
#include "platform/files.h"
#include "platform/padnames.h"
#include "platform/sdl/scancodes.h"
#include "platform/textlines.h"
#include "platform/wholenumber.h"

namespace kipkip {
namespace {

using Error = std::optional<std::string>;

// How a setting reads its value into the options, and shows it again.
struct SettingSpec {
    std::string_view key;
    Error (*apply)(Options&, std::string_view value, const std::filesystem::path& folder);
    std::string (*show)(const Options&);
    std::string_view help;  // what the value is, for the manual page
};

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

template <std::size_t signal>
Error ApplyKey(Options& options, std::string_view value, const std::filesystem::path&)
{
    if (value.empty()) {
        return std::string("needs a key name");
    }
    if (IsWindowKey(DikFromKeyName(value))) {
        return Quoted(value) + " is the window's own key (Escape menu, P pause, M music, F11, F12)";
    }
    if (DikFromKeyName(value) == 0) {
        return "no key is called " + Quoted(value);
    }
    options.keyNames[signal] = value;
    return std::nullopt;
}

template <std::size_t signal>
std::string ShowKey(const Options& options)
{
    return options.keyNames[signal];
}

template <std::size_t button>
Error ApplyPadButton(Options& options, std::string_view value, const std::filesystem::path&)
{
    std::optional<PadButton> pad = PadButtonFromName(value);
    if (!pad) {
        return "no controller button is called " + Quoted(value) +
               " (a, b, x, y, leftshoulder, rightshoulder)";
    }
    if (!IsGameButton(*pad)) {
        return "start opens the menu; a button of the game cannot be on it";
    }
    options.padButtons[button] = *pad;
    return std::nullopt;
}

template <std::size_t button>
std::string ShowPadButton(const Options& options)
{
    return std::string(PadButtonName(options.padButtons[button]));
}

Error ApplyScale(Options& options, std::string_view value, const std::filesystem::path&)
{
    if (AsciiLower(value) == "auto") {
        options.scale = 0;
        return std::nullopt;
    }
    return ParseWholeNumber("scale", value, 1, 8, options.scale);
}

std::string ShowScale(const Options& options)
{
    return options.scale == 0 ? "auto" : std::to_string(options.scale);
}

Error ApplySpeed(Options& options, std::string_view value, const std::filesystem::path&)
{
    return ParseSpeed("speed", value, options.speed);
}

std::string ShowSpeed(const Options& options)
{
    return std::to_string(options.speed);
}

template <bool Options::*field>
Error ApplySwitch(Options& options, std::string_view value, const std::filesystem::path&)
{
    std::string lower = AsciiLower(value);
    if (lower == "yes" || lower == "on" || lower == "true" || lower == "1") {
        options.*field = true;
    } else if (lower == "no" || lower == "off" || lower == "false" || lower == "0") {
        options.*field = false;
    } else {
        return "takes yes or no, not " + Quoted(value);
    }
    return std::nullopt;
}

template <bool Options::*field>
std::string ShowSwitch(const Options& options)
{
    return options.*field ? "yes" : "no";
}

template <int Options::*field>
Error ApplyVolume(Options& options, std::string_view value, const std::filesystem::path&)
{
    return ParseWholeNumber("the volume", value, 0, 100, options.*field);
}

template <int Options::*field>
std::string ShowVolume(const Options& options)
{
    return std::to_string(options.*field);
}

// An empty value keeps the default; a relative path is taken from the settings file's folder.
template <std::string Options::*field>
Error ApplyPath(Options& options, std::string_view value, const std::filesystem::path& folder)
{
    std::filesystem::path path(value);
    options.*field = value.empty() || path.is_absolute()
                         ? std::string(value)
                         : (folder / path).lexically_normal().string();
    return std::nullopt;
}

template <std::string Options::*field>
std::string ShowPath(const Options& options)
{
    return options.*field;
}

constexpr SettingSpec kSettings[] = {
    {"up", ApplyKey<0>, ShowKey<0>,
     "the key of up, by what it types in the keyboard's layout (\"z\", \"space\", \"keypad 8\")"},
    {"down", ApplyKey<1>, ShowKey<1>, "the key of down"},
    {"left", ApplyKey<2>, ShowKey<2>, "the key of left"},
    {"right", ApplyKey<3>, ShowKey<3>, "the key of right"},
    {"button1", ApplyKey<4>, ShowKey<4>,
     "the key of the first button, the jump (space by default)"},
    {"button2", ApplyKey<5>, ShowKey<5>, "the key of the second button (b by default)"},
    {"button3", ApplyKey<6>, ShowKey<6>, "the key of the third button (return by default)"},
    {"pad1", ApplyPadButton<0>, ShowPadButton<0>,
     "the controller button of the first button, by SDL's name: a, b, x, y, leftshoulder, "
     "rightshoulder"},
    {"pad2", ApplyPadButton<1>, ShowPadButton<1>, "the controller button of the second button"},
    {"pad3", ApplyPadButton<2>, ShowPadButton<2>, "the controller button of the third button"},
    {"scale", ApplyScale, ShowScale, "the window scale: auto or 1 to 8"},
    {"fullscreen", ApplySwitch<&Options::fullScreen>, ShowSwitch<&Options::fullScreen>,
     "yes to start full screen"},
    {"vsync", ApplySwitch<&Options::vsync>, ShowSwitch<&Options::vsync>,
     "yes to wait for the display's refresh"},
    {"autopause", ApplySwitch<&Options::autopause>, ShowSwitch<&Options::autopause>,
     "no to keep the game running when the window loses the focus"},
    {"speed", ApplySpeed, ShowSpeed,
     "the game speed in a window, 50 to 100 percent in steps of 10"},
    {"pace-marker", ApplySwitch<&Options::paceMarker>, ShowSwitch<&Options::paceMarker>,
     "no to hide the marker of the best record's pace while climbing"},
    {"music-volume", ApplyVolume<&Options::musicVolume>, ShowVolume<&Options::musicVolume>,
     "the music's volume, 0 to 100"},
    {"effects-volume", ApplyVolume<&Options::effectsVolume>, ShowVolume<&Options::effectsVolume>,
     "the sound effects' volume, 0 to 100"},
    {"soundfont", ApplyPath<&Options::soundFontFile>, ShowPath<&Options::soundFontFile>,
     "a SoundFont file for the music (empty: the usual search)"},
    {"controller-mappings", ApplyPath<&Options::controllerMappings>,
     ShowPath<&Options::controllerMappings>,
     "a file of SDL game-controller mappings for controllers SDL does not know"},
};

}  // namespace

std::vector<SettingsFile::KeyHelp> SettingsFile::Keys()
{
    std::vector<KeyHelp> keys;
    for (const SettingSpec& setting : kSettings) {
        keys.push_back({setting.key, setting.help});
    }
    return keys;
}

namespace {

std::string_view Trim(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A line without its comment: "#" at the start or after a blank, so that "a#b" stays a value.
std::string_view WithoutComment(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return line.substr(0, i);
        }
    }
    return line;
}

const SettingSpec* FindSetting(std::string_view key)
{
    const std::string lower = AsciiLower(key);
    for (const SettingSpec& setting : kSettings) {
        if (setting.key == lower) {
            return &setting;
        }
    }
    return nullptr;
}

Error ApplyLine(std::string_view line, Options& options, const std::filesystem::path& folder)
{
    if (line.size() > SettingsFile::kMaxLineLength) {
        return "longer than " + std::to_string(SettingsFile::kMaxLineLength) + " characters";
    }
    const std::string_view content = Trim(WithoutComment(line));
    if (content.empty()) {
        return std::nullopt;
    }
    const std::optional<SettingsFile::LineParts> parts = SettingsFile::SplitLine(line);
    if (!parts) {
        return "expected \"key = value\", not " + Quoted(content);
    }
    const SettingSpec* setting = FindSetting(parts->key);
    if (setting == nullptr) {
        return "unknown setting " + Quoted(parts->key);
    }
    if (Error error = setting->apply(options, parts->value, folder)) {
        return std::string(setting->key) + ": " + *error;
    }
    return std::nullopt;
}

}  // namespace

SettingsFile::Result SettingsFile::Parse(std::string_view name, std::span<const std::uint8_t> text,
                                         Options base, const std::filesystem::path& folder)
{
    Result result{std::move(base), {}};
    if (text.size() > kMaxSize) {
        result.errors.push_back(std::string(name) + ": larger than " + std::to_string(kMaxSize) +
                                " bytes; not read");
        return result;
    }
    std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
    ForEachLine(all, [&](std::size_t number, std::string_view line) {
        if (Error error = ApplyLine(line, result.options, folder)) {
            result.errors.push_back(std::string(name) + ": line " + std::to_string(number) + ": " +
                                    *error);
        }
        return true;
    });
    return result;
}

SettingsFile::Result SettingsFile::Load(const std::string& path, Options base, bool required)
{
    std::error_code error;
    if (!required && !std::filesystem::exists(path, error)) {
        return Result{std::move(base), {}};
    }
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) {
        return Result{std::move(base), {path + ": cannot be read"}};
    }
    return Parse(path, *bytes, std::move(base), std::filesystem::path(path).parent_path());
}

std::optional<SettingsFile::LineParts> SettingsFile::SplitLine(std::string_view line)
{
    if (line.size() > kMaxLineLength) {
        return std::nullopt;
    }
    std::string_view content = Trim(WithoutComment(line));
    std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    // An empty value still has its place in the line: right after the "=".
    std::string_view afterEquals = content.substr(equals + 1);
    std::string_view value = Trim(afterEquals);
    const std::size_t valueBegin =
        value.empty() ? std::size_t(afterEquals.data() - line.data()) : value.data() - line.data();
    return LineParts{Trim(content.substr(0, equals)), line.substr(valueBegin, value.size())};
}

std::optional<std::string_view> SettingsFile::KnownKey(std::string_view key)
{
    const SettingSpec* setting = FindSetting(key);
    return setting == nullptr ? std::nullopt : std::optional(setting->key);
}

std::vector<SettingsFile::Value> SettingsFile::Values(const Options& options)
{
    std::vector<Value> values;
    for (const SettingSpec& setting : kSettings) {
        values.push_back({std::string(setting.key), setting.show(options)});
    }
    return values;
}

std::string SettingsFile::Line(std::string_view key, std::string_view value)
{
    return std::string(key) + " =" + (value.empty() ? "" : " " + std::string(value));
}

std::string SettingsFile::Format(const Options& options)
{
    std::string text =
        "# KipKip settings: \"key = value\" a line; \"#\" starts a comment.\n"
        "# Keys by what they type (\"z\", \"space\", \"left shift\"); an empty path is the "
        "default.\n"
        "# pad1 to pad3: the controller's buttons of the game's three (a, b, x, y, leftshoulder, "
        "rightshoulder).\n";
    for (const Value& setting : Values(options)) {
        text += Line(setting.key, setting.value) + "\n";
    }
    return text;
}

std::string SettingsFile::PathInForce(const Options& options, const char* configHome,
                                      const char* home)
{
    return options.configFile.empty() ? DefaultPath(configHome, home) : options.configFile;
}

std::string SettingsFile::DefaultPath(const char* configHome, const char* home)
{
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
    if (configHome != nullptr && configHome[0] == '/') {
        return std::string(configHome) + "/kipkip/kipkip.conf";
    }
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.config/kipkip/kipkip.conf";
    }
    return {};
}

}  // namespace kipkip
