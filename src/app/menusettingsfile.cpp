#include "app/menusettingsfile.h"

#include <array>
#include <utility>

#include "app/mainform.h"
#include "app/settingsedit.h"

namespace kipkip {
namespace {

// The settings file's key of each item the menu changes.
constexpr std::array<std::pair<std::string_view, MenuItem>, 18> kKeysOfItems = {{
    {"music-volume", MenuItem::MusicVolume},
    {"effects-volume", MenuItem::EffectsVolume},
    {"scale", MenuItem::Scale},
    {"fullscreen", MenuItem::FullScreen},
    {"vsync", MenuItem::Vsync},
    {"autopause", MenuItem::Autopause},
    {"speed", MenuItem::Speed},
    {"pace-marker", MenuItem::PaceMarker},
    {"up", MenuItem::KeyUp},
    {"down", MenuItem::KeyDown},
    {"left", MenuItem::KeyLeft},
    {"right", MenuItem::KeyRight},
    {"button1", MenuItem::KeyButton1},
    {"button2", MenuItem::KeyButton2},
    {"button3", MenuItem::KeyButton3},
    {"pad1", MenuItem::PadButton1},
    {"pad2", MenuItem::PadButton2},
    {"pad3", MenuItem::PadButton3},
}};

// Calls `visit` with the options' and the menu's member of each setting they share by value.
template <typename Visit>
void ForEachShared(Visit visit)
{
    visit(&Options::musicVolume, &MenuSettings::musicVolume);
    visit(&Options::effectsVolume, &MenuSettings::effectsVolume);
    visit(&Options::scale, &MenuSettings::scale);
    visit(&Options::fullScreen, &MenuSettings::fullScreen);
    visit(&Options::vsync, &MenuSettings::vsync);
    visit(&Options::autopause, &MenuSettings::autopause);
    visit(&Options::speed, &MenuSettings::speed);
    visit(&Options::paceMarker, &MenuSettings::paceMarker);
}

}  // namespace

MenuSettings MenuSettingsFile::SettingsOf(const Options& options, const Bindings& bindings)
{
    MenuSettings settings;
    ForEachShared([&](auto option, auto setting) { settings.*setting = options.*option; });
    settings.bindings = bindings;
    return settings;
}

MenuSettings MenuSettingsFile::Settings() const
{
    return SettingsOf(options_, bindings_);
}

MenuSettings MenuSettingsFile::Defaults()
{
    return SettingsOf(Options{}, Bindings{TMainForm::kDefaultKeys, kDefaultPadBinding});
}

std::set<MenuItem> MenuSettingsFile::FromCommandLine() const
{
    std::set<MenuItem> items;
    for (const SettingsEdit::Change& change : SettingsEdit::Changes(source_.fromFile, options_)) {
        for (const auto& [key, item] : kKeysOfItems) {
            if (change.key == key) {
                items.insert(item);
            }
        }
    }
    return items;
}

std::optional<std::string> MenuSettingsFile::Save(const MenuSettings& settings)
{
    Options after = options_;
    ForEachShared([&](auto option, auto setting) { after.*option = settings.*setting; });
    after.padButtons = settings.bindings.padButtons;
    // A key keeps the name it was given until it is rebound.
    for (std::size_t i = 0; i < kInputSignals.size(); ++i) {
        const std::uint8_t code = settings.bindings.keys.*kInputSignals[i];
        if (code != bindings_.keys.*kInputSignals[i]) {
            after.keyNames[i] = keyName_(code);
        }
    }
    std::vector<SettingsEdit::Change> changes = SettingsEdit::Changes(options_, after);
    if (changes.empty()) {
        return std::nullopt;
    }
    if (source_.path.empty()) {
        return "the settings cannot be saved: neither XDG_CONFIG_HOME nor HOME is set";
    }
    if (std::optional<std::string> error = SettingsEdit::Save(source_.path, changes)) {
        return error;
    }
    options_ = after;
    bindings_ = settings.bindings;
    return std::nullopt;
}

}  // namespace kipkip
