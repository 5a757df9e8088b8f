#include "app/gamelog.h"

#include <algorithm>

#include "game/gamemain.h"
#include "game/gamenames.h"

namespace kipkip {
namespace {

std::int32_t CoinsTaken(const TGameMainMode& mode)
{
    return static_cast<std::int32_t>(
        std::count(mode.box->soundLog.begin(), mode.box->soundLog.end(), gamenames::kSoundTake));
}

}  // namespace

std::uint32_t GameLog::NewGameSeed()
{
    playing_.emplace();
    playing_->firstTick = clock_.GameTick();
    closing_ = over_ = false;
    return inner_.NewGameSeed();
}

void GameLog::GameOver()
{
    over_ = true;
    inner_.GameOver();
}

void GameLog::Observe(const TGameMainMode& mode, int speed)
{
    if (clock_.GameTick() == observed_ || !playing_) {
        return;
    }
    observed_ = clock_.GameTick();
    // The tick that ends the game still counts; the game-over screen's do not.
    if (!closing_) {
        Note(mode, speed);
        closing_ = over_;
        return;
    }
    if (mode.scene == TGameMainMode::kGameOver && mode.state == TGameMainMode::kAwaitButton) {
        ended_ = std::move(playing_);
        playing_.reset();
        closing_ = over_ = false;
    }
}

void GameLog::Note(const TGameMainMode& mode, int speed)
{
    LoggedGame& game = *playing_;
    game.pace.Add(mode.height);
    game.score = mode.height;
    game.best = std::max(game.best, mode.height);
    game.level = mode.level;
    game.coins += CoinsTaken(mode);
    game.slowestSpeed = std::min(game.slowestSpeed, speed);
}

std::optional<std::uint64_t> GameLog::TickOfGame() const
{
    if (!playing_ || closing_ || playing_->pace.Ticks() == 0) {
        return std::nullopt;
    }
    return playing_->pace.Ticks() - 1;
}

std::optional<LoggedGame> GameLog::TakeEnded()
{
    std::optional<LoggedGame> ended = std::move(ended_);
    ended_.reset();
    return ended;
}

}  // namespace kipkip
