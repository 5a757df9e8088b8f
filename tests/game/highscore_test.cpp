// The high score: its eight-letter file, when it is written, and its survival between runs;
// and the random generator the game draws from.
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/crandom.h"
#include "game/filegamehost.h"
#include "game/gamemain.h"
#include "mainmodescene.h"
#include "platform/files.h"

namespace kipkip {
namespace {

using HighScore = test::MainModeScene;

std::string Text(const std::array<std::uint8_t, TGameMainMode::kScoreSize>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::int32_t Decode(std::string_view text)
{
    EXPECT_EQ(text.size(), TGameMainMode::kScoreSize);
    std::array<std::uint8_t, TGameMainMode::kScoreSize> bytes{};
    std::copy_n(text.begin(), bytes.size(), bytes.begin());
    return TGameMainMode::DecodeScore(bytes);
}

TEST(CRandomSequence, IsTheClassicCLibraryOne)
{
    CRandom random;
    const std::int32_t unseeded[] = {16838, 5758, 10113, 17515, 31051};
    for (std::int32_t value : unseeded) {
        EXPECT_EQ(random.Next(), value);
    }
    random.Seed(1);
    EXPECT_EQ(random.Next(), 16838) << "seed 1 is the state before any seed";
    random.Seed(0);
    EXPECT_EQ(random.Next(), 0);
    EXPECT_EQ(random.Next(), 21468);
}

TEST(ScoreLetters, EncodeWithAGivenShift)
{
    struct Case {
        std::int32_t score;
        std::int32_t shift;
        const char* letters;
    };
    const Case cases[] = {
        {123, 0, "AAETAAPX"},
        {0, 0, "AAAAAAPA"},
        {456975, 0, "ZZZZAASW"},
        {500000, 0, "ZZZZAASW"},  // held to four digits
        {-5, 0, "AAAAAAPA"},
        {0, 675, "DBIEZZRO"},       // each digit moved on by its own 4 bits
                                    // of the shift
        {456975, 675, "CAHDZZRK"},  // and wrapped past Z
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(TGameMainMode::EncodeScoreWith(c.score, c.shift)), c.letters) << c.score;
    }
}

TEST(ScoreLetters, DecodeChecksTheSumAndTheLetters)
{
    struct Case {
        const char* letters;
        std::int32_t score;
    };
    const Case cases[] = {
        {"AAETAAPX", 123},
        {"AAAAAAPA", 0},
        {"ZZZZAASW", 456975},
        {"DBIEZZRO", 0},
        {"CAHDZZRK", 456975},
        {"AAETAAPY", 0},  // a wrong check letter
        {"AAETAAQX", 0},
        {"aAETAAPX", 0},
        {"AAET\x01"
         "APX",
         0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decode(c.letters), c.score) << c.letters;
    }
}

TEST_F(HighScore, EveryShiftTheGeneratorGivesDecodesBack)
{
    Make();
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        mode->random.Seed(seed);
        CRandom reference;
        reference.Seed(seed);
        std::int32_t high = reference.Next() % 26;
        std::int32_t low = reference.Next() % 26;
        std::int32_t score = static_cast<std::int32_t>(seed * 1523);
        std::string letters = Text(mode->EncodeScore(score));
        EXPECT_EQ(letters[4], 'A' + high) << seed;
        EXPECT_EQ(letters[5], 'A' + low) << seed;
        EXPECT_EQ(Decode(letters), score) << seed << " " << letters;
    }
}

// Plays a game to `metres` and lets the time run out there.
void EndGameAt(HighScore& test, std::int32_t metres)
{
    test.Tick({test::kKeyButton1});
    test.Tick();
    // Half a metre above the mark: a hero that was falling when the last game ended starts
    // this one with the speed he had.
    test.PlaceHeroAt(static_cast<float>(-48 * metres - 24));
    test.mode->timeLeft = 20;
    test.Tick();
    ASSERT_EQ(test.mode->scene, TGameMainMode::kGameOver);
    ASSERT_EQ(test.mode->height, metres);
}

// From the game-over screen back to the title, waiting for the button.
void BackToTitle(HighScore& test)
{
    test.Tick();
    test.PressButton1();
    ASSERT_EQ(test.mode->scene, TGameMainMode::kTitle);
}

TEST_F(HighScore, OnlyABetterHeightRewritesTheFileAndAtOnce)
{
    host.files["kipkip.dat"] = {'A', 'A', 'E', 'T', 'A', 'A', 'P', 'X'};
    Make();
    Tick();
    EXPECT_EQ(mode->hiScore, 123);
    EXPECT_EQ(Shows("hiscore"), 123);

    EndGameAt(*this, 123);
    Tick();
    EXPECT_EQ(host.writes, 0) << "an equal height";
    BackToTitle(*this);

    EndGameAt(*this, 124);
    EXPECT_EQ(host.writes, 0) << "the score is written by the game-over screen";
    Tick();
    EXPECT_EQ(host.writes, 1);
    EXPECT_EQ(mode->hiScore, 124);
    EXPECT_EQ(Shows("hiscore"), 124);
    EXPECT_EQ(Decode(host.File("kipkip.dat")), 124);
}

TEST_F(HighScore, AMissingShortOrBadFileIsZero)
{
    const std::pair<const char*, std::string> cases[] = {
        {"no file", ""},
        {"seven letters", "AAETAAP"},
        {"a wrong check letter", "AAETAAPY"},
    };
    for (const auto& [what, content] : cases) {
        host.files.clear();
        if (!content.empty()) {
            host.files["kipkip.dat"].assign(content.begin(), content.end());
        }
        Make();
        mode->hiScore = 77;
        Tick();
        EXPECT_EQ(mode->hiScore, 0) << what;
        EXPECT_EQ(Shows("hiscore"), 0) << what;
    }
}

TEST_F(HighScore, SurvivesBetweenRunsInTheDataDirectory)
{
    Make(false);
    Tick();
    EXPECT_EQ(mode->hiScore, 0);
    EndGameAt(*this, 250);
    Tick();
    auto written = ReadWholeFile("kipkip.dat");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->size(), 8u);
    EXPECT_TRUE(std::all_of(written->begin(), written->end(),
                            [](std::uint8_t c) { return c >= 'A' && c <= 'Z'; }));

    Make(false);  // the next run
    Tick();
    EXPECT_EQ(mode->hiScore, 250);
    EXPECT_EQ(Shows("hiscore"), 250);
}

TEST_F(HighScore, AnOldFileKeepsWhatLiesBeyondItsFirstEightBytes)
{
    dir.Write("kipkip.dat", "AAAAAAPA and more\n");
    FileGameHost files;
    auto bytes = TGameMainMode::EncodeScoreWith(123, 0);
    files.WriteScoreFile("kipkip.dat", bytes);
    auto content = ReadWholeFile("kipkip.dat");
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(std::string(content->begin(), content->end()), "AAETAAPX and more\n");
    auto read = files.ReadScoreFile("kipkip.dat", 8);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(std::string(read->begin(), read->end()), "AAETAAPX");
    EXPECT_FALSE(files.ReadScoreFile("missing.dat", 8).has_value());
}

// The host hears of a game over once, in the tick the game ends, whatever the screen does next.
TEST_F(HighScore, TheHostHearsOfEachGameOverOnceInTheTickItEnds)
{
    Make();
    Tick();
    for (int game = 1; game <= 3; ++game) {
        EndGameAt(*this, game);
        EXPECT_EQ(host.gamesOver, game);
        Ticks(5);
        EXPECT_EQ(host.gamesOver, game) << "the game-over screen is no new game over";
        BackToTitle(*this);
    }
}

TEST_F(HighScore, AScoreThatCannotBeWrittenIsToldAndTheOldFileStays)
{
    std::filesystem::create_directory(dir.Path() / "kipkip.dat");
    std::vector<std::string> failed;
    FileGameHost files([&failed](std::string_view name, std::string_view reason) {
        failed.push_back(std::string(name) + ": " + std::string(reason));
    });
    files.WriteScoreFile("kipkip.dat", TGameMainMode::EncodeScoreWith(123, 0));
    // The rename over a folder fails, and says so in the system's words.
    EXPECT_EQ(failed,
              std::vector<std::string>{"kipkip.dat: " + std::string(std::strerror(EISDIR))});
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "kipkip.dat"));
}

}  // namespace
}  // namespace kipkip
