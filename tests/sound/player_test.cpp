// The player on a real OpenAL device (the "null" backend): device sharing,
// failed set-ups and the format gate.
#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "sound/openal_sound_output.h"
#include "tests/sound/wave_image.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kTestWave = 9173;

class Player : public ::testing::Test {
protected:
    void TearDown() override { clearResourceOverrides(); }

    // Installs image as WAVE kTestWave; the bytes stay alive with the fixture.
    void useTestWave(std::vector<std::uint8_t> image)
    {
        m_image = std::move(image);
        overrideResource(kTestWave, kWaveType, m_image.data(), m_image.size());
    }

    static ALint state(const CDirectSound& player)
    {
        ALint value = 0;
        alGetSourcei(OpenAlSoundOutput::sourceOf(player.outputBuffer()), AL_SOURCE_STATE, &value);
        return value;
    }

private:
    std::vector<std::uint8_t> m_image;
};

} // namespace

TEST_F(Player, TwoPlayersShareOneDeviceReleasedWithTheLast)
{
    ASSERT_EQ(CDirectSound::sharedDevice(), nullptr);
    auto first = std::make_unique<CDirectSound>();
    auto idle = std::make_unique<CDirectSound>();  // never initialised, still counts
    ASSERT_TRUE(first->init(173, nullptr));
    SoundDevice* device = CDirectSound::sharedDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(first->isReady());
    EXPECT_EQ(first->dataSize(), 8784u);

    auto second = std::make_unique<CDirectSound>();
    ASSERT_TRUE(second->init(173, nullptr));
    EXPECT_EQ(CDirectSound::sharedDevice(), device);
    EXPECT_NE(OpenAlSoundOutput::sourceOf(first->outputBuffer()), OpenAlSoundOutput::sourceOf(second->outputBuffer()));
    EXPECT_EQ(CDirectSound::instanceCount(), 3);

    first.reset();
    EXPECT_EQ(CDirectSound::sharedDevice(), device);
    second->play(0, false);
    EXPECT_EQ(state(*second), AL_PLAYING);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);

    second.reset();
    EXPECT_EQ(CDirectSound::sharedDevice(), device);
    idle.reset();
    EXPECT_EQ(CDirectSound::sharedDevice(), nullptr);
    EXPECT_EQ(CDirectSound::instanceCount(), 0);
    EXPECT_EQ(alcGetCurrentContext(), nullptr);

    // A later player opens a fresh device.
    CDirectSound again;
    EXPECT_TRUE(again.init(173, nullptr));
    EXPECT_NE(CDirectSound::sharedDevice(), nullptr);
}

TEST_F(Player, PlayOnAFailedPlayerDoesNothing)
{
    CDirectSound good;
    ASSERT_TRUE(good.init(173, nullptr));

    CDirectSound missing;
    EXPECT_FALSE(missing.init(4242, nullptr));
    EXPECT_FALSE(missing.isReady());
    missing.play(0, false);
    missing.play(100000, true);
    EXPECT_EQ(missing.outputBuffer(), nullptr);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    EXPECT_EQ(state(good), AL_INITIAL);
}

TEST_F(Player, FormatsOpenAlCannotHoldFailInit)
{
    const auto samples = sampleBytes({1, 2, 3, 4, 5, 6});
    const std::vector<std::vector<std::uint8_t>> refused = {
        WaveImage().chunk("fmt ", pcmFormat(1, 44100, 24)).chunk("data", samples).bytes(),
        WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16, 16, 3)).chunk("data", samples).bytes(),
        WaveImage().chunk("fmt ", pcmFormat(4, 44100, 16)).chunk("data", samples).bytes(),
        // 16-bit stereo frames are 4 bytes: 6 bytes is a frame and a half.
        WaveImage().chunk("fmt ", pcmFormat(2, 44100, 16)).chunk("data", {1, 2, 3, 4, 5, 6}).bytes(),
        // Parses (the format comes first), but holds no sound.
        WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16)).chunk("data", {}).bytes(),
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        useTestWave(refused[i]);
        CDirectSound player;
        EXPECT_FALSE(player.init(kTestWave, nullptr)) << "image " << i;
        EXPECT_FALSE(player.isReady()) << "image " << i;
        player.play(0, false);
    }

    useTestWave(WaveImage().chunk("fmt ", pcmFormat(2, 8000, 8)).chunk("data", {1, 2, 3, 4}).bytes());
    CDirectSound stereo8;
    EXPECT_TRUE(stereo8.init(kTestWave, nullptr));
    EXPECT_TRUE(stereo8.isReady());
}

TEST_F(Player, FillingTakesTheWholeSoundOrNothing)
{
    CDirectSound player;
    ASSERT_TRUE(player.init(173, nullptr));
    EXPECT_FALSE(player.fillBuffer(player.data(), player.dataSize() - 2));
    EXPECT_TRUE(player.fillBuffer(player.data(), player.dataSize()));
    EXPECT_TRUE(player.isReady());

    CDirectSound unset;
    EXPECT_FALSE(unset.fillBuffer(player.data(), player.dataSize()));
}

TEST_F(Player, PlayBeyondTheEndStartsAtTheEnd)
{
    CDirectSound player;
    ASSERT_TRUE(player.init(173, nullptr));
    // A single shot from the end is over at once; OpenAL alone would have
    // rejected the offset and played from the beginning.
    player.play(player.dataSize() + 5000, false);
    EXPECT_NE(state(player), AL_PLAYING);
    player.play(0, false);
    EXPECT_EQ(state(player), AL_PLAYING);
    player.play(0xFFFFFFFFu, false);
    EXPECT_EQ(state(player), AL_STOPPED);
    // A loop from the end goes on from the beginning.
    player.play(player.dataSize(), true);
    EXPECT_EQ(state(player), AL_PLAYING);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}
