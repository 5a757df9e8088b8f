// app/gamelog.h
// How each game of a run goes, seen from outside the game: it starts in the tick its seed is
// drawn, and after each of its ticks the log notes the height, the coins taken (a taken coin
// plays its sound), the level and the game speed in force. A game ends for the log once its
// game-over screen is up and the high score has been written, which is one tick after the game
// tells its host it is over. The log stands in front of the run's host and passes everything on.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/runclock.h"
#include "game/gamehost.h"
#include "records/pace.h"

namespace kipkip {

class TGameMainMode;

// One game as it went.
struct LoggedGame {
    std::uint64_t firstTick = 0;      // the run's game tick the game started in
    Pace pace;                        // the height after each of its ticks, from its first
    std::int32_t score = 0;           // the height it ended with
    std::int32_t best = 0;            // the highest height it reached
    std::int32_t level = 0;           // the level it reached
    std::int32_t coins = 0;           // the coins taken
    std::int32_t slowestSpeed = 100;  // the slowest game speed used, in percent
};

class GameLog : public GameHost {
public:
    // The host and the clock outlive the log.
    GameLog(GameHost& inner, const RunClock& clock) : inner_(inner), clock_(clock) {}

    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override
    {
        return inner_.ReadScoreFile(name, limit);
    }
    void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) override
    {
        inner_.WriteScoreFile(name, bytes);
    }
    void GameOver() override;

    // After each loop tick: `speed` is the game speed in force, in percent. Loop ticks that did
    // not step the game are passed over.
    void Observe(const TGameMainMode& mode, int speed);

    // The tick of the game being played, 0 in its first, while it runs.
    std::optional<std::uint64_t> TickOfGame() const;
    // The game whose game-over screen has just come up, once.
    std::optional<LoggedGame> TakeEnded();

private:
    void Note(const TGameMainMode& mode, int speed);

    GameHost& inner_;
    const RunClock& clock_;
    std::optional<LoggedGame> playing_;
    std::optional<LoggedGame> ended_;
    std::uint64_t observed_ = 0;  // the last game tick noted
    bool over_ = false;           // the game has told it is over
    bool closing_ = false;        // its last tick is noted; its game-over screen comes up next
};

}  // namespace kipkip
