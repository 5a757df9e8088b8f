// The trace's fields of the main mode: the screen, the hero, the counts, the tick's sounds and
// the music, the actors; and reals that read back exactly.
#include "app/tracewriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/jsonline.h"
#include "game/gamenames.h"
#include "game/mainmodescene.h"

namespace kipkip {
namespace {

using TraceOfTheMainMode = test::MainModeScene;

TEST(TraceReals, ReadBackExactly)
{
    const float values[] = {0.0f, 100.0f, -4800.0f, 0.1f, 1.0f / 3.0f, -16.000002f, 3.4e38f, 1e-7f};
    for (float value : values) {
        std::string text = JsonLine::Real(value);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    }
    EXPECT_EQ(JsonLine::Real(1.0f / 0.0f), "null");
}

TEST_F(TraceOfTheMainMode, ListsTheScreenTheHeroTheCountsAndTheSoundsOfTheTick)
{
    StartPlaying();
    mode->box->PlaySound(gamenames::kSoundJump);
    mode->box->PlaySound(gamenames::kSoundTake);
    std::string fields = TraceWriter::ModeFields(*mode, false);
    EXPECT_NE(fields.find("\"scene\":1,\"state\":1,\"height\":0,\"level\":0,\"timeLeft\":60000,"
                          "\"timeTarget\":0,\"hiScore\":0,\"hero\":{\"x\":100,\"y\":0,"),
              std::string::npos)
        << fields;
    EXPECT_NE(fields.find("\"floorY\":0},\"plats\":149,\"coins\":"), std::string::npos) << fields;
    EXPECT_NE(fields.find("\"sounds\":[\"ジャンプ\",\"取る\"],\"music\":\"BGM\""),
              std::string::npos)
        << fields;
    EXPECT_EQ(fields.find("\"actors\""), std::string::npos);

    Tick();  // a new tick starts with no sounds
    fields = TraceWriter::ModeFields(*mode, true);
    EXPECT_NE(fields.find("\"sounds\":[]"), std::string::npos) << fields;
    // The hero was made with the scene, the platforms after it; sorting keeps that order.
    EXPECT_NE(fields.find("\"actors\":[{\"class\":\"KipKip\",\"x\":100,\"y\":0,\"vx\":0,"
                          "\"vy\":0},{\"class\":\"Plat\",\"x\":0,\"y\":0,\"vx\":0,\"vy\":0},"),
              std::string::npos)
        << fields.substr(0, 600);
}

TEST_F(TraceOfTheMainMode, ShowsNoMusicOnTheTitle)
{
    Make();
    Tick();
    std::string fields = TraceWriter::ModeFields(*mode, false);
    EXPECT_NE(fields.find("\"music\":null"), std::string::npos) << fields;
    EXPECT_NE(fields.find("\"visible\":false"), std::string::npos) << fields;
}

}  // namespace
}  // namespace kipkip
