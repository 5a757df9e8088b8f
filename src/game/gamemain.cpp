#include "game/gamemain.h"

#include <algorithm>
#include <string>

#include "game/filegamehost.h"
#include "game/gamenames.h"
#include "game/toycoin.h"
#include "game/toyenemy.h"
#include "game/toykipkip.h"
#include "game/toyplat.h"
#include "kernel/kernel.h"
#include "platform/fatalerror.h"
#include "platform/files.h"
#include "texdb/texdb.h"
#include "toy/toyactor.h"
#include "toy/toynames.h"
#include "toy/toynumber.h"

namespace kipkip {
namespace {

constexpr int kRepeatDelay = 200;
constexpr int kRepeatInterval = 200;
constexpr std::int32_t kRowFields = 7;
constexpr std::uint8_t kLetterA = 'A';
constexpr std::uint8_t kLetterZ = 'Z';
constexpr std::int32_t kLetters = 26;

// The number `name` of the box; the scene was checked for it when the mode was made.
TToyNumber& Number(TToyBox& box, std::string_view name)
{
    return *box.FindNumber(name);
}

// The shift of digit `i` of the score file: 0 to 15 letters.
std::int32_t DigitShift(std::int32_t shift, int i)
{
    return (shift >> i) & 15;
}

std::int32_t LetterPair(std::uint8_t high, std::uint8_t low)
{
    return (high - kLetterA) * kLetters + (low - kLetterA);
}

}  // namespace

TGameMainMode::TGameMainMode(TGameMode* parent, std::int32_t userValue, TKernel* kernel,
                             GameHost* host)
    : TGameMgrMode(parent, userValue, kernel, nullptr), host(host)
{
    if (this->host == nullptr) {
        ownHost = std::make_unique<FileGameHost>();
        this->host = ownHost.get();
    }
    // One test decides both sources, so a scene file always comes with its own table.
    bool fromFiles = FileExists(kDataFile);
    std::string difficultyName(fromFiles ? kDifficultyFile : kBuiltInDifficulty);
    std::string sceneName(fromFiles ? kDataFile : kBuiltInScene);

    bool tableOk = LoadDifficulty(difficultyName);
    box = std::make_unique<TToyBox>(kernel, nullptr, sceneName);
    auto kipkip = std::make_unique<TToyKipKip>(box.get(), std::string(gamenames::kKipKip));
    hero = kipkip.get();
    hero->StopMoving();
    box->AddObject(std::move(kipkip));
    box->SortByLayers();
    bool sceneOk = CheckScene(sceneName);
    state = kShowScreen;
    scene = kTitle;
    // Without the numbers or the rows the screens cannot run: the mode stays inert (and the
    // fatal error has already asked the program to end).
    playable = tableOk && sceneOk;
}

TGameMainMode::~TGameMainMode()
{
    levels.clear();
    box.reset();
}

bool TGameMainMode::CheckScene(std::string_view sceneName)
{
    bool complete = true;
    for (std::string_view number : {kNumberTime, kNumberHeight, kNumberHiScore}) {
        if (box->FindNumber(number) == nullptr) {
            FatalError(true, std::string(sceneName) + ": the scene has no Number \"" +
                                 std::string(number) + "\"");
            complete = false;
        }
    }
    return complete;
}

void TGameMainMode::Draw()
{
    if (!playable) {
        presents = false;
        return;
    }
    box->Draw();
}

void TGameMainMode::Enter()
{
    if (playable) {
        kernel->fadeLevel = 0;
        kernel->SetKeyRepeat(kRepeatDelay, kRepeatInterval);
        LoadHighScore(kScoreFile);
        Number(*box, kNumberHiScore).value = hiScore;
    }
    TGameMgrMode::Enter();
}

void TGameMainMode::Update(int ms)
{
    if (!playable) {
        return;
    }
    box->soundLog.clear();
    box->Update(ms);
    switch (scene) {
        case kTitle:
            UpdateTitle();
            break;
        case kPlay:
            UpdatePlay(ms);
            break;
        case kGameOver:
            UpdateGameOver();
            break;
        default:
            break;
    }
}

void TGameMainMode::Leave() {}

void TGameMainMode::OnSpare() {}

void TGameMainMode::UpdateTitle()
{
    if (state == kShowScreen) {
        box->ShowLayer(gamenames::kLayerTitle);
        box->ShowLayer(gamenames::kLayerSpace);
        hero->Hide();
        state = kAwaitButton;
    } else if (state == kAwaitButton && (kernel->pressed & BitButton1)) {
        box->HideLayer(gamenames::kLayerTitle);
        box->HideLayer(gamenames::kLayerSpace);
        state = kStartGame;
        scene = kPlay;
        box->PlayMidi(kMusic, true);
    }
}

void TGameMainMode::UpdatePlay(int ms)
{
    // The display first: in the tick that starts a game it still shows the previous values.
    TToyNumber& timeNumber = Number(*box, kNumberTime);
    TToyNumber& heightNumber = Number(*box, kNumberHeight);
    height = static_cast<std::int32_t>(-static_cast<std::int64_t>(HeroY()) / kPixelsPerMetre);
    heightNumber.value = height;
    timeNumber.value = timeLeft / 1000;

    switch (state) {
        case kStartGame:
            StartGame();
            hero->StartMoving();
            state = kClimbing;
            break;
        case kClimbing:
            // Standing on the level's top floor clears it; jumping past does not count.
            if (!hero->airborne && height == level * kLevelMetres + kLevelMetres) {
                state = kLevelCleared;
            }
            // Running out of time overrides a clear found in the same tick.
            timeLeft -= ms;
            if (timeLeft <= 0) {
                timeLeft = 0;
                timeNumber.value = 0;
                state = kShowScreen;
                scene = kGameOver;
                host->GameOver();
            }
            SpawnEnemy();
            break;
        case kLevelCleared:
            level += 1;
            timeTarget = TimeBonus(level) + timeLeft;
            box->ShowObject(toynames::kPicture, gamenames::kPictureClear);
            hero->StopMoving();
            state = kCountingBonus;
            break;
        case kCountingBonus:
            // The bonus is whole seconds, so the count ends exactly on the target.
            timeLeft += 1000;
            if (timeLeft >= timeTarget) {
                box->ShowLayer(gamenames::kLayerSpace);
                state = kBonusCounted;
            }
            break;
        case kBonusCounted:
            if (kernel->pressed & BitButton1) {
                ClearLevel();
                GeneratePlatforms(level);
                box->HideObject(toynames::kPicture, gamenames::kPictureClear);
                box->HideLayer(gamenames::kLayerSpace);
                hero->StartMoving();
                state = kClimbing;
            }
            break;
        default:
            break;
    }
}

void TGameMainMode::UpdateGameOver()
{
    TToyNumber& hiScoreNumber = Number(*box, kNumberHiScore);
    if (state == kShowScreen) {
        // Only a better height rewrites the file, and at once.
        if (height > hiScore) {
            hiScore = height;
            hiScoreNumber.value = height;
            SaveHighScore(kScoreFile);
        }
        box->ShowObject(toynames::kPicture, gamenames::kPictureGameOver);
        hero->StopMoving();
        StopPlatforms();
        box->ShowLayer(gamenames::kLayerSpace);
        box->StopMidi();
        state = kAwaitButton;
    } else if (state == kAwaitButton && (kernel->pressed & BitButton1)) {
        ClearLevel();
        box->HideObject(toynames::kPicture, gamenames::kPictureGameOver);
        box->HideLayer(gamenames::kLayerSpace);
        state = kShowScreen;
        scene = kTitle;
    }
}

void TGameMainMode::ClearLevel()
{
    box->DeleteObjects(gamenames::kClassPlat, gamenames::kPlat);
    box->DeleteObjects(gamenames::kClassCoin, gamenames::kCoin);
}

void TGameMainMode::StartGame()
{
    random.Seed(host->NewGameSeed());
    hero->Reset();
    hero->Show();
    height = 0;
    level = startLevel;
    timeLeft = TimeBonus(level);
    GeneratePlatforms(level);
}

void TGameMainMode::AddTime(std::int32_t seconds)
{
    timeLeft += seconds * 1000;
}

void TGameMainMode::StopPlatforms()
{
    std::vector<TToyObject*> platforms;
    box->SelectObjects(platforms, gamenames::kClassPlat, gamenames::kPlat, {});
    for (TToyObject* object : platforms) {
        if (auto* platform = dynamic_cast<TToyActor*>(object)) {
            platform->StopMoving();
        }
    }
}

std::int32_t TGameMainMode::HeroY() const
{
    return TruncateCoordinate(hero->GetPosition().y);
}

bool TGameMainMode::LoadDifficulty(std::string_view name)
{
    levels.clear();
    levelCount = 0;
    startLevel = 0;
    TTexDb db{std::string(name), "TEXT"};
    if (!db.FindBlock("name", TexValue::FromText(gamenames::kDifficultyData))) {
        FatalError(true, std::string(name) + ": no block named \"" +
                             std::string(gamenames::kDifficultyData) + "\": no level rows");
        return false;
    }
    std::int32_t wanted = db.Get("max").Int(0);
    startLevel = db.Get("start").Int(0);
    if (wanted <= 0) {
        FatalError(true, std::string(name) + ": \"max\" is " + std::to_string(wanted) +
                             ": the table needs at least one level row");
        return false;
    }
    // The rows are the entries after "start", in file order; a table that promises more
    // than it holds is refused rather than padded, since a level without its row has no
    // platforms to build and no time to give. Rows are added as they are found, so a large
    // "max" allocates nothing by itself.
    while (static_cast<std::int32_t>(levels.size()) < wanted && db.NextEntry()) {
        TexValue value = db.EntryValue();
        std::int32_t fields[kRowFields];
        for (int i = 0; i < kRowFields; ++i) {
            fields[i] = static_cast<std::uint16_t>(value.Short(i));
        }
        levels.push_back(
            {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]});
    }
    levelCount = static_cast<std::int32_t>(levels.size());
    if (levelCount < wanted) {
        FatalError(true, std::string(name) + ": \"max\" is " + std::to_string(wanted) +
                             " but only " + std::to_string(levelCount) +
                             " level rows follow \"start\"");
        return false;
    }
    return true;
}

const LevelRow& TGameMainMode::Row(std::int32_t level) const
{
    // A level below 0 (a negative "start") takes the first row instead of reading before the
    // table.
    return levels[static_cast<std::size_t>(std::clamp(level, 0, levelCount - 1))];
}

std::int32_t TGameMainMode::TimeBonus(std::int32_t level) const
{
    if (levels.empty()) {
        return 0;
    }
    return Row(level).addTime * 1000;
}

void TGameMainMode::GeneratePlatforms(std::int32_t level)
{
    if (levels.empty()) {
        return;
    }
    std::int32_t index = std::clamp(level, 0, levelCount - 1);
    const LevelRow& row = Row(level);
    // The coin chance steps with the level itself, the enemy chance with the row.
    coinChance = 10 - level % 10;
    enemyChance = index / 10 + 10;
    std::int32_t y0 = -kLevelPixels * level;
    hero->floorY = y0;

    box->AddObject(std::make_unique<TToyPlat>(box.get(), 0, y0, kFloorSize, 0.0f));
    for (std::int32_t r = 0; r < kRows; ++r) {
        std::int32_t y = y0 - kRowPixels * (r + 1);
        std::int32_t count = row.numMax - row.numMin + 1;
        std::int32_t n = count != 0 ? row.numMin + random.Next() % count : row.numMin;
        std::int32_t sizes = row.sizeMax - row.sizeMin + 1;
        std::int32_t size = sizes != 0 ? row.sizeMin + random.Next() % sizes : row.sizeMin;
        std::int32_t speeds = row.speedMax - row.speedMin;
        std::int32_t base = speeds != 0 ? row.speedMin + random.Next() % speeds : row.speedMin;
        // The first row above a floor moves left, the next right, and so on.
        float speed = static_cast<float>(r % 2 == 1 ? base : -base);
        for (std::int32_t j = 0; j < n; ++j) {
            auto platform =
                std::make_unique<TToyPlat>(box.get(), (kTrackLength / n) * j, y, size, speed);
            TToyPlat* standing = platform.get();
            box->AddObject(std::move(platform));
            if (random.Next() % 100 < coinChance) {
                box->AddObject(std::make_unique<TToyCoin>(box.get(), standing, this));
            }
        }
    }
    box->AddObject(std::make_unique<TToyPlat>(box.get(), 0, y0 - kLevelPixels, kFloorSize, 0.0f));
    box->SortByLayers();
}

void TGameMainMode::SpawnEnemy()
{
    // Once per second of the mode's own time, whatever the tick length.
    if (elapsed % 1000 != 0) {
        return;
    }
    if (random.Next() % 100 >= enemyChance) {
        return;
    }
    std::int32_t x = random.Next() % kEnemyColumns;
    std::int32_t y = HeroY() - kEnemyAbove;
    box->AddObject(std::make_unique<TToyEnemy>(box.get(), x, y));
}

std::array<std::uint8_t, TGameMainMode::kScoreSize> TGameMainMode::EncodeScore(std::int32_t score)
{
    std::int32_t high = random.Next() % kLetters;
    std::int32_t low = random.Next() % kLetters;
    return EncodeScoreWith(score, high * kLetters + low);
}

std::array<std::uint8_t, TGameMainMode::kScoreSize> TGameMainMode::EncodeScoreWith(
    std::int32_t score, std::int32_t shift)
{
    score = std::clamp(score, 0, kMaxScore);
    shift = std::clamp(shift, 0, kLetters * kLetters - 1);

    std::array<std::uint8_t, kScoreSize> bytes{};
    std::int32_t place = kLetters * kLetters * kLetters;
    for (int i = 0; i < 4; ++i) {
        std::int32_t letter = kLetterA + score / place % kLetters + DigitShift(shift, i);
        if (letter > kLetterZ) {
            letter -= kLetters;
        }
        bytes[i] = static_cast<std::uint8_t>(letter);
        place /= kLetters;
    }
    bytes[4] = static_cast<std::uint8_t>(kLetterA + shift / kLetters);
    bytes[5] = static_cast<std::uint8_t>(kLetterA + shift % kLetters);
    std::int32_t sum = 0;
    for (int i = 0; i < 6; ++i) {
        sum += bytes[i];
    }
    bytes[6] = static_cast<std::uint8_t>(kLetterA + sum / kLetters);
    bytes[7] = static_cast<std::uint8_t>(kLetterA + sum % kLetters);
    return bytes;
}

std::int32_t TGameMainMode::DecodeScore(std::span<const std::uint8_t, kScoreSize> bytes)
{
    // Only capital letters are ever written. Other bytes could still match the check value
    // and then decode to a score below 0 or beyond four digits; such a file reads as 0.
    for (std::uint8_t byte : bytes) {
        if (byte < kLetterA || byte > kLetterZ) {
            return 0;
        }
    }
    std::int32_t sum = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        sum += bytes[i];
    }
    if (LetterPair(bytes[6], bytes[7]) != sum) {
        return 0;
    }
    std::int32_t shift = LetterPair(bytes[4], bytes[5]);
    std::int32_t score = 0;
    for (int i = 0; i < 4; ++i) {
        std::int32_t letter = bytes[static_cast<std::size_t>(i)] - DigitShift(shift, i);
        if (letter < kLetterA) {
            letter += kLetters;
        }
        score = score * kLetters + (letter - kLetterA);
    }
    return score;
}

void TGameMainMode::LoadHighScore(std::string_view name)
{
    auto bytes = host->ReadScoreFile(name, kScoreSize);
    if (!bytes || bytes->size() != kScoreSize) {
        hiScore = 0;
        return;
    }
    hiScore = DecodeScore(std::span<const std::uint8_t, kScoreSize>(bytes->data(), kScoreSize));
}

void TGameMainMode::SaveHighScore(std::string_view name)
{
    auto bytes = EncodeScore(height);
    host->WriteScoreFile(name, bytes);
}

}  // namespace kipkip
