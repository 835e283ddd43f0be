// What the player makes the device output, rendered sample by sample through
// an OpenAL loopback device (mono, 16-bit, 44100 Hz, no limiter or dither:
// see exact_mix.conf), so the tick's own samples must come out unchanged.
#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "sound/openal_sound_output.h"
#include "tests/sound/wave_image.h"

#include <AL/alext.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const ALCint kLoopbackAttributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_MONO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                      ALC_SHORT_SOFT, ALC_FREQUENCY, 44100, 0};

// OpenAL as the program uses it, on a device that the test renders by hand.
class LoopbackOutput : public OpenAlSoundOutput {
public:
    LoopbackOutput() : OpenAlSoundOutput(kLoopbackAttributes) {}
    DeviceAttempt openDevice() override
    {
        auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
            alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        return {fromAl(open ? open(nullptr) : nullptr), true};
    }
};

class RenderedPlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDirectSound::usePlatform(&loopback, nullptr);
        ASSERT_TRUE(player->init(173, nullptr));
        const std::uint32_t bytes = player->dataSize();
        tick.resize(bytes / 2);
        std::memcpy(tick.data(), player->data(), bytes);
        renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
            alcGetProcAddress(device(), "alcRenderSamplesSOFT"));
        ASSERT_NE(renderSamples, nullptr);
    }

    // The player goes first, closing the device while the loopback output
    // is still there to do it.
    void TearDown() override
    {
        player.reset();
        CDirectSound::usePlatform(nullptr, nullptr);
    }

    static ALCdevice* device() { return OpenAlSoundOutput::toAl(CDirectSound::sharedDevice()); }

    std::vector<std::int16_t> render(int count)
    {
        std::vector<std::int16_t> out(count);
        renderSamples(device(), out.data(), count);
        return out;
    }

    // tick[from, from + count), zero beyond its end.
    std::vector<std::int16_t> tickFrom(int from, int count) const
    {
        std::vector<std::int16_t> out(count, 0);
        for (int i = 0; i < count && from + i < static_cast<int>(tick.size()); ++i)
            out[i] = tick[from + i];
        return out;
    }

    static bool silent(const std::vector<std::int16_t>& samples)
    {
        for (std::int16_t s : samples)
            if (s != 0)
                return false;
        return true;
    }

    LoopbackOutput loopback;
    std::unique_ptr<CDirectSound> player = std::make_unique<CDirectSound>();
    std::vector<std::int16_t> tick;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
};

} // namespace

TEST_F(RenderedPlayer, PlaysTheTickOnceUnchanged)
{
    ASSERT_EQ(tick.size(), 4392u);
    EXPECT_TRUE(silent(render(500)));
    player->play(0, false);
    EXPECT_EQ(render(5000), tickFrom(0, 5000));
    EXPECT_TRUE(silent(render(500)));
}

TEST_F(RenderedPlayer, StartsAtTheGivenByteOffset)
{
    // OpenAL fades a sound in when it starts anywhere but at the beginning,
    // so a long test sound is compared once the fade is over.
    std::vector<std::int16_t> ramp(30000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::int16_t>(static_cast<int>(i * 7 % 20000) - 10000);
    const auto image = WaveImage().chunk("fmt ", pcmFormat(1, 44100, 16)).chunk("data", sampleBytes(ramp)).bytes();
    CDirectSound other;
    ASSERT_TRUE(other.initFromMemory(image.data(), image.size(), nullptr));

    other.play(20000, false);
    const auto out = render(25000);
    const std::vector<std::int16_t> settled(out.begin() + 5000, out.begin() + 20000);
    EXPECT_EQ(settled, std::vector<std::int16_t>(ramp.begin() + 15000, ramp.end()));
    EXPECT_TRUE(silent(std::vector<std::int16_t>(out.begin() + 20000, out.end())));

    // A restart at an offset while the sound plays goes to that offset.
    other.play(0, false);
    EXPECT_EQ(render(1000), std::vector<std::int16_t>(ramp.begin(), ramp.begin() + 1000));
    other.play(30000, false);
    const auto restarted = render(15000);
    EXPECT_EQ(std::vector<std::int16_t>(restarted.begin() + 5000, restarted.end()),
              std::vector<std::int16_t>(ramp.begin() + 20000, ramp.end()));
}

TEST_F(RenderedPlayer, RestartsWhenPlayedAgainWhilePlaying)
{
    player->play(0, false);
    EXPECT_EQ(render(1000), tickFrom(0, 1000));
    player->play(0, false);
    EXPECT_EQ(render(5000), tickFrom(0, 5000));
}

TEST_F(RenderedPlayer, APositionBeyondTheEndIsClampedToTheEnd)
{
    player->play(player->dataSize() + 1000, false);
    EXPECT_TRUE(silent(render(5000)));
    player->play(player->dataSize(), false);
    EXPECT_TRUE(silent(render(5000)));
    // Looping from the end wraps around to the beginning.
    player->play(player->dataSize() + 1000, true);
    EXPECT_EQ(render(4392), tick);
}

TEST_F(RenderedPlayer, LoopsWhenAsked)
{
    player->play(0, true);
    EXPECT_EQ(render(4392), tick);
    EXPECT_EQ(render(4392), tick);
    player->play(0, false);
    EXPECT_EQ(render(4392), tick);
    EXPECT_TRUE(silent(render(100)));
}
