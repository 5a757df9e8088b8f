// app/menusettingsfile.h
// The menu's settings as the run's options and the player's settings file hold them. The menu
// starts from the options in force (the settings file's, with the command line's over them);
// each change it makes is written to the settings file in force, and only the settings that
// changed are written, so a value the command line gave for this run reaches the file only when
// the player changes it in the menu.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/commandline.h"
#include "menu/menu.h"
#include "menu/menusettings.h"

namespace kipkip {

class MenuSettingsFile {
public:
    // Where the run's settings came from: the settings file in force (empty: none, with no folder
    // for one) and what it alone gave.
    struct Source {
        std::string path;
        Options fromFile;
    };

    // The name of a key as the settings file writes it.
    using KeyNamer = std::function<std::string(std::uint8_t code)>;

    // `inForce`: the run's options, whose keys resolved to `bindings`. The source's options tell
    // which ones the command line set.
    MenuSettingsFile(const Options& inForce, const Bindings& bindings, const Source& source,
                     KeyNamer keyName)
        : options_(inForce), bindings_(bindings), source_(source), keyName_(std::move(keyName))
    {}

    // The settings in force.
    MenuSettings Settings() const;
    // What "restore defaults" brings back.
    static MenuSettings Defaults();
    // The menu's settings that the options give, with those bindings.
    static MenuSettings SettingsOf(const Options& options, const Bindings& bindings);
    // The menu's items whose value the command line set for this run.
    std::set<MenuItem> FromCommandLine() const;

    // Writes the settings that differ from the last ones saved; the reason when the file could
    // not be written (the settings still hold for this run).
    std::optional<std::string> Save(const MenuSettings& settings);

private:
    Options options_;    // as last saved
    Bindings bindings_;  // what options_'s keys resolve to
    Source source_;
    KeyNamer keyName_;
};

}  // namespace kipkip
