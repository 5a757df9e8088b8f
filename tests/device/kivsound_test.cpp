#include "device/kivsound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/tempdir.h"
#include "support/wavebytes.h"

namespace kipkip {
namespace {

using test::DataChunk;
using test::FmtChunk;
using test::Pcm16;
using test::PcmWave;
using test::RiffImage;
using test::WaveChunk;

// The extensible fmt chunk of `bytes` bytes whose extension claims extensionSize bytes (by
// default all that follows it) and whose sub-format GUID begins with the word subFormat (1 is
// PCM, 3 floating point) and goes on as every such GUID does.
WaveChunk ExtensibleFmtChunk(int channels, int rate, int bits, std::uint32_t subFormat = 1,
                             std::size_t bytes = 40, std::optional<int> extensionSize = {})
{
    WaveChunk chunk = FmtChunk(channels, rate, bits, 0xFFFE);
    test::PutU16(chunk.body,
                 static_cast<std::uint32_t>(extensionSize.value_or(static_cast<int>(bytes) - 18)));
    test::PutU16(chunk.body, static_cast<std::uint32_t>(bits));  // valid bits
    test::PutU32(chunk.body, channels == 1 ? 0x4 : 0x3);         // front centre, or left and right
    test::PutU32(chunk.body, subFormat);
    chunk.body.insert(chunk.body.end(),
                      {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
    chunk.body.resize(bytes, 0);
    return chunk;
}

// A mono 16-bit sound of the given number of frames at the mixer's rate, so that one frame of
// the sound is one frame of the mix.
std::vector<std::uint8_t> Tone(std::size_t frames, int value = 1000)
{
    std::vector<std::uint8_t> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        test::PutU16(samples, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    return PcmWave(1, SoundMixer::kRate, 16, samples);
}

struct SoundFixture : testing::Test {
    SoundMixer mixer;
    TKivSound sound{mixer};

    void SetUp() override { ASSERT_TRUE(sound.Init()); }

    void MixFrames(std::size_t frames)
    {
        std::vector<std::int16_t> out(frames * 2);
        mixer.Mix(out);
    }
    // The mixer's copies are numbered in load order, four to a slot.
    SoundMixer::CopyState Copy(int slot, int copy) const
    {
        return mixer.State(slot * TKivSound::kCopies + copy);
    }
    std::vector<bool> PlayingCopies(int slot) const
    {
        std::vector<bool> playing;
        for (int copy = 0; copy < TKivSound::kCopies; ++copy) {
            playing.push_back(Copy(slot, copy).playing);
        }
        return playing;
    }
};

TEST(TKivSoundProperties, DefaultToStereo16BitAt22050AndBitsIsEither8Or16)
{
    SoundMixer mixer;
    TKivSound sound(mixer);
    EXPECT_EQ(sound.SamplingRatio(), 22050);
    EXPECT_EQ(sound.Bits(), 16);
    EXPECT_TRUE(sound.Stereo());
    EXPECT_FALSE(sound.Initialised());
    const std::pair<int, int> bits[] = {{16, 16}, {15, 8}, {24, 16}, {8, 8}, {0, 8}, {-3, 8}};
    for (auto [asked, stored] : bits) {
        sound.SetBits(asked);
        EXPECT_EQ(sound.Bits(), stored) << asked;
    }
    sound.SetSamplingRatio(11025);
    sound.SetStereo(false);
    EXPECT_EQ(sound.SamplingRatio(), 11025);
    EXPECT_FALSE(sound.Stereo());
}

TEST(TKivSoundProperties, EveryOperationFailsBeforeInitAndAfterReleaseAll)
{
    SoundMixer mixer;
    TKivSound sound(mixer);
    const auto image = Tone(10);
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(sound.LoadFile(image));
        EXPECT_FALSE(sound.CreateBuffer("star"));
        EXPECT_FALSE(sound.CreateBuffer("a", "star"));
        EXPECT_FALSE(sound.Play(0));
        EXPECT_FALSE(sound.Play("a"));
        EXPECT_FALSE(sound.Stop(0));
        EXPECT_FALSE(sound.IsPlaying(0));
        EXPECT_EQ(sound.SoundCount(), 0);
        ASSERT_TRUE(sound.Init(44100, 16, true));
        EXPECT_TRUE(sound.Initialised());
        ASSERT_TRUE(sound.CreateBuffer("a", "star"));
        sound.ReleaseAll();
        EXPECT_FALSE(sound.Initialised());
        EXPECT_EQ(mixer.SoundCount(), 0);  // the converted samples are let go as well
    }
}

TEST(TKivSoundWave, AcceptsPcmImagesWhateverOtherChunksTheyCarry)
{
    const auto samples = Pcm16({1, 2, 3, 4});
    struct Case {
        const char* what;
        std::vector<std::uint8_t> image;
        int channels;
        int rate;
        int bits;
        std::size_t frames;
    };
    const Case cases[] = {
        {"fmt, fact, data",
         RiffImage({FmtChunk(1, 44100, 16), {"fact", {4, 0, 0, 0}, {}}, DataChunk(samples)}), 1,
         44100, 16, 4},
        {"data before fmt", RiffImage({DataChunk(samples), FmtChunk(2, 22050, 16)}), 2, 22050, 16,
         2},
        {"an empty data chunk, then one with samples",
         RiffImage({FmtChunk(1, 8000, 8), DataChunk({}), DataChunk({1, 2, 3})}), 1, 8000, 8, 3},
        {"an odd-sized chunk followed at once by the next, no pad byte",
         RiffImage({{"junk", {9, 9, 9}, {}}, FmtChunk(1, 11025, 16), DataChunk(samples)}), 1, 11025,
         16, 4},
        {"a 14-byte fmt chunk, the sample size told by the frame size",
         RiffImage({FmtChunk(2, 48000, 16, 1, 14), DataChunk(samples)}), 2, 48000, 16, 2},
        {"a 14-byte fmt chunk of 8-bit samples",
         RiffImage({FmtChunk(2, 48000, 8, 1, 14), DataChunk({1, 2, 3, 4})}), 2, 48000, 8, 2},
        {"an 18-byte fmt chunk", RiffImage({FmtChunk(1, 44100, 8, 1, 18), DataChunk({5, 6})}), 1,
         44100, 8, 2},
        {"a RIFF size beyond the image: the image ends the walk",
         RiffImage({FmtChunk(1, 44100, 16), DataChunk(samples)}, 0xFFFFFFF0u), 1, 44100, 16, 4},
        {"a broken chunk after the data is never looked at",
         RiffImage({FmtChunk(1, 44100, 16), DataChunk(samples), {"junk", {}, 0xFFFFu}}), 1, 44100,
         16, 4},
        {"a last byte that is no whole frame", PcmWave(1, 44100, 16, {1, 0, 2, 0, 3}), 1, 44100, 16,
         2},
        {"the lowest rate", PcmWave(1, 100, 8, {1}), 1, 100, 8, 1},
        {"the highest rate", PcmWave(1, 200000, 8, {1}), 1, 200000, 8, 1},
        {"6000 Hz", PcmWave(1, 6000, 16, samples), 1, 6000, 16, 4},
        {"a minute and a half", PcmWave(1, 6000, 8, std::vector<std::uint8_t>(540000, 128)), 1,
         6000, 8, 540000},
        {"extensible PCM, 8-bit stereo",
         RiffImage({ExtensibleFmtChunk(2, 11025, 8), DataChunk(samples)}), 2, 11025, 8, 4},
        {"extensible PCM with a longer extension and a fact chunk",
         RiffImage({ExtensibleFmtChunk(1, 44100, 16, 1, 48),
                    {"fact", {4, 0, 0, 0}, {}},
                    DataChunk(samples)}),
         1, 44100, 16, 4},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto wave = TKivSound::ReadWave(c.image, error);
        ASSERT_TRUE(wave) << c.what << ": " << error;
        EXPECT_EQ(wave->channels, c.channels) << c.what;
        EXPECT_EQ(wave->rate, c.rate) << c.what;
        EXPECT_EQ(wave->bits, c.bits) << c.what;
        EXPECT_EQ(wave->frames, c.frames) << c.what;
        EXPECT_EQ(wave->data.size(), c.frames * static_cast<std::size_t>(c.channels * c.bits / 8))
            << c.what;

        SoundMixer mixer;
        TKivSound sound(mixer);
        ASSERT_TRUE(sound.Init());
        EXPECT_TRUE(sound.LoadFile(c.image)) << c.what;
        EXPECT_EQ(sound.SoundCount(), 1) << c.what;
    }
}

TEST(TKivSoundWave, RefusesImagesItCannotPlayWithTheReason)
{
    const auto samples = Pcm16({1, 2, 3, 4});
    const auto good = PcmWave(1, 44100, 16, samples);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> image;
        const char* reason;  // a part of the error text
    };
    const Case cases[] = {
        {"nothing at all", {}, "not a RIFF file"},
        {"not RIFF", RiffImage({FmtChunk(1, 44100, 16), DataChunk(samples)}, {}, "RIFX"),
         "not a RIFF file"},
        {"only RIFF", {'R', 'I', 'F', 'F'}, "RIFF header is cut short"},
        {"not WAVE", RiffImage({FmtChunk(1, 44100, 16), DataChunk(samples)}, {}, "RIFF", "AVI "),
         "not WAVE"},
        {"a 12-byte fmt chunk", RiffImage({FmtChunk(1, 44100, 16, 1, 12), DataChunk(samples)}),
         "fmt chunk has 12 bytes"},
        {"only an empty data chunk", RiffImage({FmtChunk(1, 44100, 16), DataChunk({})}),
         "no data chunk with samples"},
        {"no fmt chunk", RiffImage({DataChunk(samples)}), "no fmt chunk"},
        {"no chunks", RiffImage({}), "no fmt chunk"},
        {"a data size past the end of the image",
         RiffImage({FmtChunk(1, 44100, 16), {"data", samples, 9}}), "'data' chunk at byte 36"},
        {"a data size of 4 GiB",
         RiffImage({FmtChunk(1, 44100, 16), {"data", samples, 0xFFFFFFFFu}}), "runs past the end"},
        {"a skipped chunk past the end",
         RiffImage(
             {{"fact", {1, 2, 3, 4}, 0xFFFFFFF8u}, FmtChunk(1, 44100, 16), DataChunk(samples)}),
         "'fact' chunk at byte 12 runs past"},
        {"an fmt size past the end", RiffImage({{"fmt ", {1, 0, 1, 0}, 16}}), "'fmt ' chunk"},
        {"a chunk header cut short",
         [&] {
             auto image = RiffImage({FmtChunk(1, 44100, 16)}, 4 + 24 + 5);
             image.insert(image.end(), {'d', 'a', 't', 'a', 4});
             return image;
         }(),
         "chunk header at byte 36 is cut short"},
        {"a RIFF size that ends the walk before the data",
         RiffImage({FmtChunk(1, 44100, 16), DataChunk(samples)}, 4 + 24),
         "no data chunk with samples"},
        {"format tag 3 (floating point)",
         RiffImage({FmtChunk(1, 44100, 32, 3), DataChunk(samples)}), "format tag 3 is not PCM"},
        {"the extensible tag over a plain 16-byte fmt chunk",
         RiffImage({FmtChunk(1, 44100, 16, 0xFFFE), DataChunk(samples)}),
         "the extensible fmt chunk has 16 bytes, too few for its sub-format (40)"},
        {"an extensible fmt chunk one byte short of its GUID",
         RiffImage({ExtensibleFmtChunk(1, 44100, 16, 1, 39), DataChunk(samples)}),
         "has 39 bytes, too few"},
        {"an extensible extension that claims 20 bytes",
         RiffImage({ExtensibleFmtChunk(1, 44100, 16, 1, 40, 20), DataChunk(samples)}),
         "extension has 20 bytes, fewer than 22"},
        {"the floating-point sub-format",
         RiffImage({ExtensibleFmtChunk(1, 44100, 32, 3), DataChunk(samples)}),
         "the extensible format's sub-format is not PCM"},
        {"a GUID that starts as PCM's and ends otherwise",
         [&] {
             auto image = RiffImage({ExtensibleFmtChunk(1, 44100, 16), DataChunk(samples)});
             image[12 + 8 + 39] ^= 1;  // the GUID's last byte
             return image;
         }(),
         "sub-format is not PCM"},
        {"extensible 24-bit samples",
         RiffImage({ExtensibleFmtChunk(1, 44100, 24), DataChunk({1, 2, 3})}), "24 bits"},
        {"extensible with three channels",
         RiffImage({ExtensibleFmtChunk(3, 44100, 16), DataChunk(Pcm16({1, 2, 3}))}), "3 channels"},
        {"three channels", PcmWave(3, 44100, 16, Pcm16({1, 2, 3})), "3 channels"},
        {"no channels", PcmWave(0, 44100, 16, samples), "0 channels"},
        {"24-bit samples", PcmWave(1, 44100, 24, {1, 2, 3}), "24 bits"},
        {"12-bit samples", PcmWave(1, 44100, 12, samples), "12 bits"},
        {"a rate below 100", PcmWave(1, 99, 16, samples), "a rate of 99 Hz, outside 100..200000"},
        {"a rate above 200000", PcmWave(1, 200001, 16, samples), "200001 Hz"},
        {"no whole frame", PcmWave(2, 44100, 16, {1, 2, 3}), "no whole frame"},
        // 100000 * 44100 passes 2^32: a product in 32 bits would wrap to a 200-frame sound.
        {"100000 frames at 100 Hz", PcmWave(1, 100, 8, std::vector<std::uint8_t>(100000, 128)),
         "takes 176400000 bytes, more than 67108864 (64 MiB)"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(TKivSound::ReadWave(c.image, error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;

        SoundMixer mixer;
        TKivSound sound(mixer);
        ASSERT_TRUE(sound.Init());
        EXPECT_FALSE(sound.LoadFile(c.image)) << c.what;
        EXPECT_EQ(sound.SoundCount(), 0) << c.what;
        // The slot stays free for the next sound.
        EXPECT_TRUE(sound.LoadFile(good)) << c.what;
        EXPECT_EQ(sound.SoundCount(), 1) << c.what;
    }
}

TEST(TKivSoundWave, ReadsExtensiblePcmExactlyAsItsPlainTwin)
{
    struct Case {
        int channels;
        int rate;
        int bits;
        std::vector<std::uint8_t> samples;
    };
    const Case cases[] = {
        {1, 22050, 16, Pcm16({0, 32767, -32768, 1234, -5})},
        {2, 11025, 8, {0, 255, 128, 7, 200, 13}},
        {2, 48000, 16, Pcm16({-1, 1, 300, -300})},
    };
    for (const Case& c : cases) {
        const auto plainImage = PcmWave(c.channels, c.rate, c.bits, c.samples);
        const auto extensibleImage =
            RiffImage({ExtensibleFmtChunk(c.channels, c.rate, c.bits), DataChunk(c.samples)});
        std::string error;
        const auto plain = TKivSound::ReadWave(plainImage, error);
        ASSERT_TRUE(plain) << error;
        const auto extensible = TKivSound::ReadWave(extensibleImage, error);
        ASSERT_TRUE(extensible) << c.rate << ": " << error;
        EXPECT_EQ(extensible->channels, plain->channels) << c.rate;
        EXPECT_EQ(extensible->rate, plain->rate) << c.rate;
        EXPECT_EQ(extensible->bits, plain->bits) << c.rate;
        EXPECT_EQ(extensible->frames, plain->frames) << c.rate;
        EXPECT_TRUE(std::ranges::equal(extensible->data, plain->data)) << c.rate;
        const auto converted = TKivSound::ToMixerFormat(*extensible);
        EXPECT_FALSE(converted.empty()) << c.rate;
        EXPECT_EQ(converted, TKivSound::ToMixerFormat(*plain)) << c.rate;
    }
}

TEST(TKivSoundWave, RefusesASoundWhoseConversionPassesSixtyFourMiBToTheFrame)
{
    // At 100 Hz each frame becomes 441 frames of 4 bytes: 38043 frames make 67107852 bytes,
    // 38044 make 67109616, past 64 MiB (67108864).
    std::string error;
    const auto largest = PcmWave(1, 100, 8, std::vector<std::uint8_t>(38043, 128));
    const auto wave = TKivSound::ReadWave(largest, error);
    ASSERT_TRUE(wave) << error;
    EXPECT_EQ(wave->frames, 38043u);

    const auto tooLarge = PcmWave(1, 100, 8, std::vector<std::uint8_t>(38044, 128));
    EXPECT_FALSE(TKivSound::ReadWave(tooLarge, error));
    EXPECT_EQ(error,
              "converted for the mixer the sound takes 67109616 bytes, more than 67108864 "
              "(64 MiB)");
    SoundMixer mixer;
    TKivSound sound(mixer);
    ASSERT_TRUE(sound.Init());
    EXPECT_FALSE(sound.LoadFile(tooLarge));
    EXPECT_EQ(mixer.SoundCount(), 0);
}

TEST(TKivSoundWave, ConvertsToStereoAtTheMixerRateOnce)
{
    // 22050 Hz mono 8-bit: every source frame becomes two, the second halfway to the next
    // frame; the last holds its value; both channels carry the one.
    std::string error;
    const auto mono8 = PcmWave(1, 22050, 8, {128, 192, 64});
    const auto wave = TKivSound::ReadWave(mono8, error);
    ASSERT_TRUE(wave) << error;
    EXPECT_EQ(TKivSound::ToMixerFormat(*wave),
              (std::vector<std::int16_t>{0, 0, 8192, 8192, 16384, 16384, 0, 0, -16384, -16384,
                                         -16384, -16384}));

    // 44100 Hz stereo 16-bit is already the mixer's format.
    const auto stereo16 = PcmWave(2, 44100, 16, Pcm16({-32768, 32767, 5, -5, 0, 1}));
    const auto same = TKivSound::ReadWave(stereo16, error);
    ASSERT_TRUE(same) << error;
    EXPECT_EQ(TKivSound::ToMixerFormat(*same),
              (std::vector<std::int16_t>{-32768, 32767, 5, -5, 0, 1}));

    // 22050 Hz stereo keeps its channels apart.
    const auto stereo22 = PcmWave(2, 22050, 16, Pcm16({100, -100, 300, -300}));
    const auto apart = TKivSound::ReadWave(stereo22, error);
    ASSERT_TRUE(apart) << error;
    EXPECT_EQ(TKivSound::ToMixerFormat(*apart),
              (std::vector<std::int16_t>{100, -100, 200, -200, 300, -300, 300, -300}));

    // 44100 Hz mono 16-bit is doubled into both channels, values untouched.
    const auto mono16 = PcmWave(1, 44100, 16, Pcm16({-7, 32767}));
    const auto doubled = TKivSound::ReadWave(mono16, error);
    ASSERT_TRUE(doubled) << error;
    EXPECT_EQ(TKivSound::ToMixerFormat(*doubled),
              (std::vector<std::int16_t>{-7, -7, 32767, 32767}));
}

TEST(TKivSoundWave, KeepsEachSoundsLengthAtAnyRate)
{
    struct Case {
        int rate;
        std::size_t frames;
        std::size_t converted;  // ceil(frames * 44100 / rate)
    };
    const Case cases[] = {
        {22050, 2205, 4410}, {11025, 1102, 4408}, {48000, 480, 441}, {44100, 7, 7},
        {8000, 3, 17},       {192000, 5, 2},      {96000, 1, 1},     {32000, 320, 441},
        {100, 3, 1323},      {6000, 6, 45},       {200000, 9, 2},
    };
    for (const Case& c : cases) {
        const auto image = PcmWave(1, c.rate, 8, std::vector<std::uint8_t>(c.frames, 200));
        std::string error;
        const auto wave = TKivSound::ReadWave(image, error);
        ASSERT_TRUE(wave) << c.rate << ": " << error;
        const auto converted = TKivSound::ToMixerFormat(*wave);
        EXPECT_EQ(converted.size(), c.converted * 2) << c.rate;
        // A steady sound stays steady: (200 - 128) * 256 everywhere.
        EXPECT_EQ(std::count(converted.begin(), converted.end(), 18432),
                  static_cast<std::ptrdiff_t>(converted.size()))
            << c.rate;
    }
}

TEST_F(SoundFixture, PlaysTheConvertedSoundThroughTheMixer)
{
    ASSERT_TRUE(sound.LoadFile(PcmWave(1, 22050, 8, {128, 192, 64})));
    ASSERT_TRUE(sound.Play(0));
    std::vector<std::int16_t> out(8 * 2, 1);
    mixer.Mix(out);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 8192, 8192, 16384, 16384, 0, 0, -16384, -16384,
                                              -16384, -16384, 0, 0, 0, 0}));
    EXPECT_FALSE(sound.IsPlaying(0));
}

TEST_F(SoundFixture, ASecondPlayBeforeTheFirstIsHeardStartsNothing)
{
    ASSERT_TRUE(sound.LoadFile(Tone(100)));
    ASSERT_TRUE(sound.Play(0));
    EXPECT_TRUE(sound.Play(0));  // the same frame: true, and no new start
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{true, false, false, false}));
    MixFrames(1);
    ASSERT_TRUE(sound.Play(0));  // copy 0 has been heard: copy 1 starts
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(Copy(0, 0).position, 1u);
    EXPECT_EQ(Copy(0, 1).position, 0u);
}

TEST_F(SoundFixture, AFifthOverlappingPlayRestartsCopyZero)
{
    ASSERT_TRUE(sound.LoadFile(Tone(100)));
    for (int copy = 0; copy < 4; ++copy) {
        ASSERT_TRUE(sound.Play(0));
        MixFrames(1);
    }
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{true, true, true, true}));
    ASSERT_EQ(Copy(0, 0).position, 4u);
    ASSERT_TRUE(sound.Play(0));
    EXPECT_EQ(Copy(0, 0).position, 0u);
    EXPECT_TRUE(Copy(0, 0).playing);
    EXPECT_EQ(Copy(0, 1).position, 3u);
    EXPECT_EQ(Copy(0, 3).position, 1u);
    MixFrames(1);
    ASSERT_TRUE(sound.Play(0));  // and the sixth restarts copy 1
    EXPECT_EQ(Copy(0, 1).position, 0u);
    EXPECT_EQ(Copy(0, 2).position, 3u);
}

TEST_F(SoundFixture, ACopyThatHasEndedDoesNotHoldBackTheNextPlay)
{
    ASSERT_TRUE(sound.LoadFile(Tone(2)));
    ASSERT_TRUE(sound.Play(0));
    EXPECT_TRUE(sound.IsPlaying(0));
    MixFrames(5);
    EXPECT_FALSE(sound.IsPlaying(0));
    ASSERT_TRUE(sound.Play(0));
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{false, true, false, false}));
}

TEST_F(SoundFixture, StopSilencesEveryCopyAndTheNextPlayStartsCopyZero)
{
    ASSERT_TRUE(sound.LoadFile(Tone(100)));
    ASSERT_TRUE(sound.LoadFile(Tone(100)));
    for (int play = 0; play < 3; ++play) {
        ASSERT_TRUE(sound.Play(0));
        MixFrames(1);
    }
    ASSERT_TRUE(sound.Play(1));
    EXPECT_TRUE(sound.IsPlaying(0));
    ASSERT_TRUE(sound.Stop(0));
    EXPECT_FALSE(sound.IsPlaying(0));
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(sound.IsPlaying(1));  // the other sound plays on
    ASSERT_TRUE(sound.Play(0));
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(Copy(0, 0).position, 0u);
    // A stopped sound mixes nothing: only sound 1 and the restarted copy 0 are heard.
    std::vector<std::int16_t> out(2);
    mixer.Mix(out);
    EXPECT_EQ(out[0], 2000);
}

TEST_F(SoundFixture, NumbersOutsideTheLoadedSoundsAreRefused)
{
    ASSERT_TRUE(sound.LoadFile(Tone(10)));
    for (int slot : {-1, 1, 16}) {
        EXPECT_FALSE(sound.Play(slot)) << slot;
        EXPECT_FALSE(sound.Stop(slot)) << slot;
        EXPECT_FALSE(sound.IsPlaying(slot)) << slot;
    }
    EXPECT_TRUE(sound.Stop(0));
}

TEST_F(SoundFixture, NamesAreFoundWithoutRegardToCaseAndTheFirstWins)
{
    test::TempDir dir;
    const auto write = [&](const char* file, const std::vector<std::uint8_t>& image) {
        std::ofstream(dir.Path() / file, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
        return (dir.Path() / file).string();
    };
    const std::string first = write("first.wav", Tone(100));
    const std::string second = write("second.wav", Tone(100));
    ASSERT_TRUE(sound.CreateBuffer("Jump", first));
    ASSERT_TRUE(sound.CreateBuffer("jump", second));
    EXPECT_EQ(sound.SoundCount(), 2);
    ASSERT_TRUE(sound.Play("JUMP"));
    EXPECT_TRUE(sound.IsPlaying("jUmP"));
    EXPECT_FALSE(sound.IsPlaying(1));
    EXPECT_TRUE(sound.Stop("jump"));
    EXPECT_FALSE(sound.IsPlaying(0));
    for (const char* unknown : {"", "jum", "jumps", "take"}) {
        EXPECT_FALSE(sound.Play(unknown)) << unknown;
        EXPECT_FALSE(sound.Stop(unknown)) << unknown;
        EXPECT_FALSE(sound.IsPlaying(unknown)) << unknown;
    }
}

TEST_F(SoundFixture, ASoundThatDoesNotLoadTakesNoSlotAndNoName)
{
    test::TempDir dir;
    const std::string missing = (dir.Path() / "missing.wav").string();
    EXPECT_FALSE(sound.CreateBuffer("lost", missing));
    ASSERT_TRUE(sound.CreateBuffer("take", "star"));
    EXPECT_EQ(sound.SoundCount(), 1);
    EXPECT_FALSE(sound.Play("lost"));
    EXPECT_TRUE(sound.Play("take"));
}

TEST_F(SoundFixture, LoadsTheBuiltInWaveResources)
{
    // Two mono at 44100 Hz and one stereo at 22050 Hz, each with a fact chunk.
    for (const char* name : {"star", "FLY", "Down"}) {
        EXPECT_TRUE(sound.CreateBuffer(name, name)) << name;
    }
    EXPECT_EQ(sound.SoundCount(), 3);
    EXPECT_TRUE(sound.Play("fly"));
}

TEST_F(SoundFixture, ASeventeenthSoundFailsAndLeavesTheSixteen)
{
    for (int i = 0; i < TKivSound::kMaxSounds; ++i) {
        ASSERT_TRUE(sound.LoadFile(Tone(10, 100 + i))) << i;
    }
    EXPECT_FALSE(sound.LoadFile(Tone(10, 999)));
    EXPECT_FALSE(sound.CreateBuffer("extra", "star"));
    EXPECT_EQ(sound.SoundCount(), 16);
    EXPECT_FALSE(sound.Play(16));
    // The sixteenth is still itself.
    ASSERT_TRUE(sound.Play(15));
    std::vector<std::int16_t> out(2);
    mixer.Mix(out);
    EXPECT_EQ(out[0], 115);
}

TEST_F(SoundFixture, InitDropsEverySoundButTheNextCopyIsKept)
{
    ASSERT_TRUE(sound.CreateBuffer("a", "star"));
    ASSERT_TRUE(sound.Play(0));
    MixFrames(1);
    ASSERT_TRUE(sound.Play(0));
    ASSERT_TRUE(sound.Init());
    EXPECT_EQ(sound.SoundCount(), 0);
    EXPECT_FALSE(sound.Play("a"));
    ASSERT_TRUE(sound.LoadFile(Tone(10)));
    ASSERT_TRUE(sound.Play(0));
    EXPECT_EQ(PlayingCopies(0), (std::vector<bool>{false, false, true, false}));
}

}  // namespace
}  // namespace kipkip
