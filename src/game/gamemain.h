// game/gamemain.h
// The game itself: the scene with the hero, the difficulty table, and the three screens run
// as one state machine (the title, play with its level-clear interlude, game over). It keeps
// the height reached, the time left and the high score, builds each level from its row of the
// table, drops the enemies, and reads and writes the high score through its host. The mode
// owns the box (and through it every actor), the table, the random generator, and the default
// host when it is given none.
//
// A scene without one of the numbers the screens show, or a table without the rows the game
// needs, is reported when the mode is made; such a mode never starts a game and does nothing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/crandom.h"
#include "game/gamehost.h"
#include "game/gamemgrmode.h"
#include "game/timebank.h"
#include "toy/toybox.h"

namespace kipkip {

class TToyKipKip;

// One level of the difficulty table.
struct LevelRow {
    std::int32_t numMin = 0;  // platforms per row, inclusive range
    std::int32_t numMax = 0;
    std::int32_t sizeMin = 0;  // a platform of size s is (s + 2) x 16 pixels wide
    std::int32_t sizeMax = 0;
    std::int32_t speedMin = 0;  // pixels per second; speedMax itself is never drawn
    std::int32_t speedMax = 0;
    std::int32_t addTime = 0;  // seconds the level gives

    bool operator==(const LevelRow&) const = default;
};

class TGameMainMode : public TGameMgrMode, public TimeBank {
public:
    // The data the mode reads. When the data file exists in the data directory, the table and
    // the scene both come from files; otherwise both are the built-in texts.
    static constexpr std::string_view kDataFile = "files\\data.toy";
    static constexpr std::string_view kDifficultyFile = "files\\dificulty.dat";
    static constexpr std::string_view kBuiltInScene = "toybox";
    static constexpr std::string_view kBuiltInDifficulty = "dificulty";
    static constexpr std::string_view kScoreFile = "kipkip.dat";
    static constexpr std::size_t kScoreSize = 8;
    static constexpr std::int32_t kMaxScore = 456975;  // four base-26 digits
    static constexpr std::string_view kMusic = "BGM";
    static constexpr std::string_view kNumberTime = "time";
    static constexpr std::string_view kNumberHeight = "height";
    static constexpr std::string_view kNumberHiScore = "hiscore";

    static constexpr std::int32_t kPixelsPerMetre = 48;
    static constexpr std::int32_t kLevelMetres = 100;
    static constexpr std::int32_t kLevelPixels = 4800;
    static constexpr std::int32_t kRows = 49;
    static constexpr std::int32_t kRowPixels = 96;
    static constexpr std::int32_t kTrackLength = 416;  // the platforms' wrap-around track
    static constexpr std::int32_t kFloorSize = 9;
    static constexpr std::int32_t kEnemyColumns = 240;
    static constexpr std::int32_t kEnemyAbove = 200;  // 20 pixels above the screen's top edge

    enum Scene : std::uint8_t { kTitle = 0, kPlay = 1, kGameOver = 2 };
    // The steps of each screen, kept in the mode's `state`. The title and game over set
    // themselves up, then wait for the first button.
    enum ScreenStep : std::int32_t { kShowScreen = 0, kAwaitButton = 1 };
    // Play: a game starts, the hero climbs, a level is cleared, its bonus counts up onto the
    // clock, and the first button goes on to the next level.
    enum PlayStep : std::int32_t {
        kStartGame = 0,
        kClimbing = 1,
        kLevelCleared = 2,
        kCountingBonus = 3,
        kBonusCounted = 4,
    };

    // `host` gives the seeds and the high-score file; nullptr: the ordinary one (time in
    // seconds, the file in the current directory), owned by the mode.
    TGameMainMode(TGameMode* parent, std::int32_t userValue, TKernel* kernel,
                  GameHost* host = nullptr);
    ~TGameMainMode() override;

    void Draw() override;
    void Enter() override;
    void Update(int ms) override;
    void Leave() override;
    void OnSpare() override;

    // Prepares a new game: seed, hero, height, level, time, the first level's platforms.
    void StartGame();
    // A taken coin's credit.
    void AddTime(std::int32_t seconds) override;
    void StopPlatforms();

    // Fills the table from the block "難易度データ" of the text `name` (built-in or file).
    // Returns false, after a fatal error that says what is missing, when the table is unusable.
    bool LoadDifficulty(std::string_view name);
    // The time level `level` gives, in milliseconds; levels past the table use its last row.
    std::int32_t TimeBonus(std::int32_t level) const;
    // Builds level `level` into the box: floors, 49 rows of platforms, coins.
    void GeneratePlatforms(std::int32_t level);
    // Once per second of the mode's time, maybe one enemy above the hero.
    void SpawnEnemy();

    // The high-score file's eight capital letters for `score` (draws two random numbers).
    std::array<std::uint8_t, kScoreSize> EncodeScore(std::int32_t score);
    // The same with a given shift value (0 to 675); the score is held to 0 ... kMaxScore.
    static std::array<std::uint8_t, kScoreSize> EncodeScoreWith(std::int32_t score,
                                                                std::int32_t shift);
    // The score the eight bytes hold; 0 when they do not check out.
    static std::int32_t DecodeScore(std::span<const std::uint8_t, kScoreSize> bytes);
    void LoadHighScore(std::string_view name);
    void SaveHighScore(std::string_view name);

    // Whether the scene and the table were complete, so that the game can run.
    bool IsPlayable() const { return playable; }
    // The hero's position y as an integer.
    std::int32_t HeroY() const;
    TToyKipKip* Hero() const { return hero; }

    std::unique_ptr<TToyBox> box;  // owned: the scene and every actor
    std::uint8_t scene = kTitle;
    TToyKipKip* hero = nullptr;  // not owned: the box owns it for the mode's whole life
    std::vector<LevelRow> levels;
    std::int32_t timeLeft = 0;    // milliseconds
    std::int32_t timeTarget = 0;  // milliseconds, the end of a level clear's count-up
    std::int32_t height = 0;      // metres
    std::int32_t level = 0;
    std::int32_t levelCount = 0;
    std::int32_t startLevel = 0;
    std::int32_t coinChance = 0;   // percent per platform of the level being built
    std::int32_t enemyChance = 0;  // percent once per second
    std::int32_t hiScore = 0;      // metres
    CRandom random;

private:
    void UpdateTitle();
    void UpdatePlay(int ms);
    void UpdateGameOver();
    // Removes the platforms and their coins.
    void ClearLevel();
    // The table's row for `level`: the last one past its end.
    const LevelRow& Row(std::int32_t level) const;
    // Reports each number of the screens that the scene lacks.
    bool CheckScene(std::string_view sceneName);

    std::unique_ptr<GameHost> ownHost;  // the ordinary host, when none was given
    GameHost* host;                     // not owned unless it is ownHost
    bool playable = false;
};

}  // namespace kipkip
