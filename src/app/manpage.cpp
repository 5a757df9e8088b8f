#include "app/manpage.h"

#include "app/commandline.h"
#include "app/settingsfile.h"

namespace kipkip {
namespace {

constexpr std::string_view kDescription = R"(.SH DESCRIPTION
KipKip climbs a tower of moving floors against the clock: walk left and right, jump from floor
to floor, gather coins for time and dodge the enemies that fall from above. Every hundred metres
a level is cleared, which adds time and builds the next stretch. When the time runs out the game
is over, and the height the hero stands at is kept as the high score when it beats it.
.PP
The cursor keys walk, the space bar jumps and starts a game, B shows the records on the title,
Escape (or a controller's Start) opens the menu, P pauses, M turns the music off, F11 toggles
full screen and F12 saves a screenshot. A game controller plays as well.
.PP
A FILE given with \fB\-\-check\fR is read with the game's own readers and reported as JSON.
)";

constexpr std::string_view kFiles = R"(.SH FILES
.TP
.I kipkip.dat
The high score, in the data directory (\fB\-\-dir\fR, else the current directory; the desktop
entry's launcher uses \fI$XDG_DATA_HOME/kipkip\fR).
.TP
.I kipkip\-records.txt
The records table, beside \fIkipkip.dat\fR; each record's recording and pace are in the
\fIrecords\fR folder beside it.
.TP
.I files\edata.toy
A modded scene in the data directory, read in place of the built\-in one, with its difficulty
table \fIfiles\edificulty.dat\fR and its bitmaps, sounds and music beside it.
.TP
.I $XDG_CONFIG_HOME/kipkip/kipkip.conf
The settings (else \fI~/.config/kipkip/kipkip.conf\fR), or the file \fB\-\-config\fR names: one
\fIkey\fR = \fIvalue\fR a line, the keys above; the menu writes its changes back.
)";

constexpr std::string_view kEnvironment = R"(.SH ENVIRONMENT
.TP
.B KIPKIP_SOUNDFONT
The SoundFont for the music when neither \fB\-\-soundfont\fR nor the settings name one.
.TP
.B XDG_CONFIG_HOME\fR, \fBHOME
Where the settings file is looked for.
.TP
.B XDG_DATA_HOME
Where the launcher \fBkipkip\-launch\fR keeps the data directory.
)";

constexpr std::string_view kExitStatus = R"(.SH EXIT STATUS
.TP
.B 0
The run ended as asked: the window was closed, \fB\-\-ticks\fR was reached, the replay ended.
.TP
.B 1
A fatal error in the data or the game, a bad file found by \fB\-\-check\fR, or a records file
\fB\-\-records\fR cannot read.
.TP
.B 2
A bad command line, a missing \fB\-\-dir\fR, or a bad input script or recording.
.TP
.B 3
An output file named on the command line cannot be written.
.PP
When more than one applies, the lowest non\-zero status is the run's.
)";

std::string OptionsSection()
{
    std::string text = ".SH OPTIONS\n";
    for (const CommandLine::OptionHelp& option : CommandLine::AllOptions()) {
        text += ".TP\n.B " + ManPage::Escaped(option.name);
        if (!option.argument.empty()) {
            text += " \\fI" + ManPage::Escaped(option.argument) + "\\fR";
        }
        text += "\n" + ManPage::Escaped(option.help) + "\n";
    }
    return text;
}

std::string SettingsSection()
{
    std::string text =
        ".SH SETTINGS\nThe keys of the settings file; an option given on the "
        "command line wins over them.\n";
    for (const SettingsFile::KeyHelp& key : SettingsFile::Keys()) {
        text += ".TP\n.B " + ManPage::Escaped(key.key) + "\n" + ManPage::Escaped(key.help) + "\n";
    }
    return text;
}

}  // namespace

std::string ManPage::Escaped(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\') {
            escaped += "\\e";
        } else if (c == '-') {
            escaped += "\\-";
        } else {
            if ((c == '.' || c == '\'') && (escaped.empty() || escaped.back() == '\n')) {
                escaped += "\\&";
            }
            escaped += c;
        }
    }
    return escaped;
}

std::string ManPage::Text(std::string_view version)
{
    return ".TH KIPKIP 6 \"\" \"kipkip " + std::string(version) +
           "\" \"Games\"\n"
           ".SH NAME\nkipkip \\- climb a tower of moving floors against the clock\n"
           ".SH SYNOPSIS\n.B kipkip\n[\\fIOPTION\\fR]... [\\fIFILE\\fR]...\n" +
           std::string(kDescription) + OptionsSection() + SettingsSection() + std::string(kFiles) +
           std::string(kEnvironment) + std::string(kExitStatus) +
           ".SH SEE ALSO\nThe README in \\fI/usr/share/doc/kipkip\\fR.\n";
}

}  // namespace kipkip
