#include "app/recordsoverlay.h"

#include "app/complain.h"
#include "app/gameinput.h"
#include "app/mainform.h"
#include "app/menuoverlay.h"
#include "app/pacescreen.h"
#include "app/recordwatch.h"
#include "app/runstage.h"
#include "records/recordsfolder.h"
#include "replay/replayfile.h"
#include "replay/replayrecorder.h"
#include "replay/tickinput.h"

namespace kipkip {
namespace {

// How long a watched game's last frame stays before the records screen comes back.
constexpr int kLingerTicks = 100;

}  // namespace

RecordsOverlay::RecordsOverlay(Parts parts)
    : parts_(parts),
      font_(MenuFont::BuiltIn()),
      sounds_(parts.sounds),
      screen_(parts.screen, [this](Surface& frame) { Draw(frame); }),
      timer_(parts.timer, [this] { return HoldsGame(); })
{
    if (!parts_.keeper.Message().empty()) {
        Tell(parts_.keeper.Message());
    }
}

RecordsOverlay::~RecordsOverlay() = default;

std::string RecordsOverlay::Where() const
{
    switch (shown_) {
        case Shown::kEntry:
            return "entry";
        case Shown::kBoard:
            return "records";
        case Shown::kWatch:
            return "watching";
        case Shown::kNothing:
            break;
    }
    return {};
}

void RecordsOverlay::BeforeTick(std::uint64_t)
{
    FollowBest();
    // The menu over the entry takes the keys; what is held when it closes stays unheeded here.
    if (parts_.menu.HoldsGame()) {
        menuWasOpen_ = true;
        return;
    }
    const InputScript::Held held = parts_.input.Held();
    const MenuControls::Tick tick =
        controls_.Read(held.keys, held.pad, parts_.menu.Settings().bindings);
    if (menuWasOpen_) {
        menuWasOpen_ = false;
        controls_.IgnoreHeld();
        return;
    }
    switch (shown_) {
        case Shown::kNothing:
            Closed(tick);
            break;
        case Shown::kEntry:
            Entry(tick);
            break;
        case Shown::kBoard:
            Board(tick);
            break;
        case Shown::kWatch:
            Watching(tick);
            break;
    }
    if (shown_ != Shown::kNothing) {
        screen_.Refresh();
    }
}

bool RecordsOverlay::AfterTick(std::uint64_t)
{
    if (parts_.log != nullptr && form_ != nullptr && form_->MainMode() != nullptr) {
        parts_.log->Observe(*form_->MainMode(), parts_.menu.Settings().speed);
    }
    return true;
}

// A game that enters the table asks for initials; on the title, the second button (or the
// menu's item) shows the table.
void RecordsOverlay::Closed(const MenuControls::Tick& tick)
{
    if (form_ == nullptr) {
        return;
    }
    if (parts_.recorder != nullptr) {
        if (std::optional<LoggedGame> ended = parts_.log->TakeEnded()) {
            if (std::optional<std::size_t> place = parts_.keeper.Place(ended->score)) {
                entry_.emplace(parts_.keeper.Table().LastInitials(), *place, ended->score);
                ended_ = std::move(ended);
                recording_ = parts_.recorder->Text();
                Show(Shown::kEntry);
            }
            return;
        }
    }
    const bool asked = parts_.menu.TakeShowRecords();
    const bool back = std::find(tick.commands.begin(), tick.commands.end(), MenuCommand::Back) !=
                      tick.commands.end();
    if ((asked && !GameRunning()) || (back && !tick.open && TitleShown())) {
        board_.emplace(parts_.keeper.Table());
        Show(Shown::kBoard);
    }
}

void RecordsOverlay::Entry(const MenuControls::Tick& tick)
{
    for (MenuCommand command : tick.commands) {
        Play(entry_->Handle(command));
    }
    entry_->Tick();
    if (!entry_->Done()) {
        return;
    }
    if (std::optional<std::string> error =
            parts_.keeper.Keep(*ended_, entry_->Initials(), recording_)) {
        Tell(*error);
    }
    ended_.reset();
    recording_.clear();
    Close();
}

void RecordsOverlay::Board(const MenuControls::Tick& tick)
{
    for (MenuCommand command : tick.commands) {
        Play(board_->Handle(command));
    }
    if (std::optional<std::size_t> chosen = board_->TakeChosen()) {
        StartWatching(*chosen);
    } else if (board_->Closed()) {
        Close();
    }
}

void RecordsOverlay::StartWatching(std::size_t index)
{
    const Record& record = board_->Table().Records()[index];
    ReplayFileResult loaded = ReplayFile::Load(RecordsFolder::PathOf("", record.recording));
    if (!loaded.replay) {
        Complain(loaded.error);
        board_->SetNotice("RECORDING MISSING OR DAMAGED");
        return;
    }
    watch_ = std::make_unique<RecordWatch>(std::move(*loaded.replay),
                                           RecordWatch::Ports{parts_.bitmaps, parts_.fonts});
    watched_ = index;
    lingering_ = 0;
    Show(Shown::kWatch);
}

// Any key or button ends the watching; so does the end of the recording, a moment later.
void RecordsOverlay::Watching(const MenuControls::Tick& tick)
{
    const bool pressed = tick.open || !tick.keysPressed.empty() || !tick.padButtonsPressed.empty();
    if (!pressed && watch_->Step()) {
        return;
    }
    if (!pressed && ++lingering_ < kLingerTicks) {
        return;
    }
    watch_.reset();
    Show(Shown::kBoard);
}

void RecordsOverlay::Show(Shown shown)
{
    if (shown_ == Shown::kNothing) {
        screen_.Open(form_->Draw().WorkSurface().View());
    }
    shown_ = shown;
    controls_.IgnoreHeld();
}

void RecordsOverlay::Close()
{
    shown_ = Shown::kNothing;
    screen_.Close();
    if (parts_.game != nullptr) {
        parts_.game->HideHeld();
    }
}

bool RecordsOverlay::TitleShown() const
{
    const TGameMainMode* mode = form_->MainMode();
    return mode != nullptr && mode->scene == TGameMainMode::kTitle &&
           mode->state == TGameMainMode::kAwaitButton;
}

bool RecordsOverlay::GameRunning() const
{
    const TGameMainMode* mode = form_->MainMode();
    return mode != nullptr && mode->scene == TGameMainMode::kPlay;
}

void RecordsOverlay::Draw(Surface& frame) const
{
    if (!font_) {
        return;
    }
    switch (shown_) {
        case Shown::kEntry:
            InitialsView(*font_).Draw(frame, *entry_);
            break;
        case Shown::kBoard:
            RecordsBoardView(*font_).Draw(frame, *board_);
            break;
        case Shown::kWatch:
            DrawWatch(frame);
            break;
        case Shown::kNothing:
            break;
    }
}

void RecordsOverlay::DrawWatch(Surface& frame) const
{
    const ReplayMarkView mark(*font_);
    if (watch_->CatchingUp()) {
        mark.DrawWait(frame);
        return;
    }
    if (!watch_->Frame().Empty()) {
        frame = watch_->Frame();
    }
    mark.DrawMark(frame, board_->Table().Records()[watched_]);
}

void RecordsOverlay::FollowBest()
{
    const Pace* best = parts_.menu.Settings().paceMarker ? parts_.keeper.BestPace() : nullptr;
    if (pace_ == nullptr || best == followed_) {
        return;
    }
    followed_ = best;
    pace_->Follow(best, best != nullptr ? parts_.keeper.Table().Records()[0].initials : "");
}

void RecordsOverlay::Play(std::optional<MenuSound> sound)
{
    if (sound) {
        sounds_.Play(*sound);
    }
}

void RecordsOverlay::Tell(const std::string& message)
{
    parts_.stage.Tell(message);
}

}  // namespace kipkip
