#include "app/windowstage.h"

#include <cstdio>

#include "app/complain.h"
#include "app/exitstatus.h"
#include "app/menusettingsfile.h"
#include "app/statsreport.h"
#include "device/audiopath.h"

namespace kipkip {
namespace {

// A player who starts the game from the desktop never sees standard error.
void ShowWarnings(MessageBoxPort& boxes, const std::vector<std::string>& warnings)
{
    if (warnings.empty()) {
        return;
    }
    std::string text;
    for (const std::string& warning : warnings) {
        text += warning + "\n";
    }
    boxes.Warn(text + "\nThe game starts with the rest of the settings.");
}

}  // namespace

void WindowStage::ReportSetUpError(const std::string& message)
{
    Complain(message);
    boxes_.ShowError(message);
}

void WindowStage::Tell(const std::string& message)
{
    Complain(message);
    boxes_.Warn(message);
}

bool WindowStage::OpenAudio(AudioPath& path)
{
    path_ = &path;
    audio_ = std::make_unique<SdlAudio>(path);
    std::string error;
    if (!options_.mute && !audio_->Open(error)) {
        Complain(error + "; the game runs without sound");
    }
    return audio_->IsOpen();
}

bool WindowStage::Open(const std::vector<std::string>& warnings)
{
    SdlWindow::Settings settings;
    settings.scale = options_.scale;
    settings.fullScreen = options_.fullScreen;
    settings.autopause = options_.autopause;
    settings.vsync = options_.vsync;
    settings.speed = options_.speed;
    settings.started = started_;
    windowSettings_ = MenuSettingsFile::SettingsOf(options_, {});
    std::string error;
    if (!window_.Open(settings, error)) {
        ReportSetUpError(error);
        return false;
    }
    reporter_.emplace(messageBox_);
    // Controller support starts now, so that a bad mappings file is reported at once.
    std::vector<std::string> shown = warnings;
    input_.SetMappingsFile(options_.controllerMappings);
    input_.Open();
    if (!input_.MappingsError().empty()) {
        shown.push_back("controller mappings: " + input_.MappingsError());
        Complain(shown.back());
    }
    ShowWarnings(boxes_, shown);
    window_.OnPause([this](bool paused) {
        if (audio_) {
            audio_->SetPaused(paused);
        }
    });
    window_.OnMusicKey([this] {
        if (path_ != nullptr) {
            path_->SetMusicOn(!path_->MusicOn());
        }
    });
    return true;
}

void WindowStage::ReadWindow(MenuSettings& settings) const
{
    settings.fullScreen = window_.FullScreen();
}

void WindowStage::ApplyWindow(const MenuSettings& settings)
{
    MenuSettings& applied = windowSettings_;
    if (settings.scale != applied.scale) {
        window_.SetScale(settings.scale);
    }
    if (settings.fullScreen != window_.FullScreen()) {
        window_.SetFullScreen(settings.fullScreen);
    }
    if (settings.vsync != applied.vsync && !window_.SetVsync(settings.vsync)) {
        Complain("the display does not let the game change vsync now");
    }
    if (settings.autopause != applied.autopause) {
        window_.SetAutopause(settings.autopause);
    }
    if (settings.speed != applied.speed) {
        window_.SetSpeed(settings.speed);
    }
    applied = settings;
}

int WindowStage::Finish()
{
    if (options_.stats) {
        std::fputs(StatsReport(window_.RunStats(), window_.Scale()).c_str(), stdout);
    }
    return exitstatus::kDone;
}

}  // namespace kipkip
