// The real program under a virtual X server, its sound recorded by OpenAL's
// "wave" backend: a tick about once a second, each one the tick resource's
// own samples; and a silent but working run when there is no sound device.
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "tests/sound/recording.h"
#include "tests/support/e2e.h"

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace e2e;

namespace {

// The tick as the program embeds it.
std::vector<std::int16_t> tickSamples()
{
    const ResourceBytes image = findResource(173, kWaveType);
    WaveFormat format;
    const unsigned char* data = nullptr;
    std::uint32_t size = 0;
    if (!image || !CDirectSound::parseWave(image.data, image.size, &format, &data, &size))
        return {};
    std::vector<std::int16_t> samples(size / 2);
    std::memcpy(samples.data(), data, samples.size() * 2);
    return samples;
}

// Polls condition every 0.2 s until it holds or seconds have passed.
template <typename Condition>
bool waitFor(Condition condition, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        pause(0.2);
    }
    return true;
}

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

// A screen with anything but one flat colour on it.
bool showsAPicture(const Image& shot)
{
    if (shot.empty())
        return false;
    for (std::size_t i = 3; i < shot.rgb.size(); ++i)
        if (shot.rgb[i] != shot.rgb[i % 3])
            return true;
    return false;
}

class TickE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.ok()) << "no virtual X server"; }

    // A small screen keeps software-rendered frames short.
    VirtualDisplay display{{"640x480x24"}};
};

} // namespace

TEST_F(TickE2E, TicksOnceASecondWithTheTickSamples)
{
    const std::vector<std::int16_t> tick = tickSamples();
    ASSERT_EQ(tick.size(), 4392u);

    // Record the mix as it is: mono, 16-bit, the tick's own rate, no limiter
    // or dither, and short mixing periods so a tick lands close to its time.
    const std::string recordingPath = artefactPath("tick-recording.wav");
    const std::string configPath = artefactPath("tick-recording.conf");
    std::filesystem::remove(recordingPath);
    {
        std::ofstream conf(configPath);
        conf << "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\nfrequency = 44100\n"
                "period_size = 64\nperiods = 2\noutput-limiter = false\ndither = false\n"
                "[wave]\nfile = " << recordingPath << "\n";
    }
    auto env = quietEnv(display);
    env["ALSOFT_DRIVERS"] = "";  // the config file chooses the recorder
    env["ALSOFT_CONF"] = configPath;
    // Rendering is discarded, so frames are short and the tick is played
    // close to its due time even on a slow software renderer.
    env["GALLIUM_NOOP"] = "1";

    Process run({binaryPath(), "/s"}, env);
    const Window w = findWindow(display.x(), "Tarnwick", 30.0);
    ASSERT_NE(w, 0u) << run.err();
    // The recorder opens its file when the scene set-up opens the device;
    // the first frame follows at once.
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(recordingPath); }, 60.0)) << run.err();
    pause(5.3);
    ASSERT_TRUE(run.running()) << run.err();
    requestClose(display.x(), w);
    int status = 0;
    ASSERT_TRUE(run.wait(20.0, &status)) << "a close request must end the run\n" << run.err();
    EXPECT_TRUE(exitedWith(status, 0)) << run.err();

    Recording recording;
    std::string error;
    ASSERT_TRUE(readRecording(recordingPath, &recording, &error)) << error;
    EXPECT_EQ(recording.channels, 1);
    EXPECT_EQ(recording.sampleRate, 44100);

    const TickScan scan = findCopies(recording.samples, tick);
    EXPECT_FALSE(scan.mismatch) << "sound at sample " << scan.mismatchStart << " differs from the tick at its sample "
                                << scan.mismatchIndex;
    ASSERT_GE(scan.starts.size(), 4u) << "about five seconds of running should hold at least four ticks";

    // The frame loop plays a tick once at least a second has passed, on the
    // first frame that finds it due. The recorder places each start on its
    // next 64-sample mixing period, so two periods of slack below 1.00 s.
    const double low = 1.00 - 128.0 / 44100.0;
    for (std::size_t i = 1; i < scan.starts.size(); ++i) {
        const double interval = static_cast<double>(scan.starts[i] - scan.starts[i - 1]) / 44100.0;
        EXPECT_GE(interval, low) << "tick " << i;
        EXPECT_LE(interval, 1.05) << "tick " << i;
        std::printf("tick %zu at %.4f s, %.4f s after the one before\n", i, scan.starts[i] / 44100.0, interval);
    }
}

TEST_F(TickE2E, WithoutASoundDeviceTheProgramRendersAndExitsCleanly)
{
    auto env = quietEnv(display);
    env["ALSOFT_DRIVERS"] = "no-such-backend";  // a driver list that offers nothing

    const auto start = std::chrono::steady_clock::now();
    Process run({binaryPath(), "/s"}, env);
    const Window w = findWindow(display.x(), "Tarnwick", 30.0);
    ASSERT_NE(w, 0u) << run.err();

    Image shot;
    const bool rendered = waitFor([&] {
        shot = grabScreen(display);
        return showsAPicture(shot);
    }, 90.0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    shot.savePng(artefactPath("tick-no-sound-device.png"));
    ASSERT_TRUE(rendered) << "the screen should show the rendered scene\n" << run.err();
    // The device was tried ten times, half a second apart, before the scene
    // set-up went on silently and the first frame was drawn.
    EXPECT_GE(seconds, 4.5);
    ASSERT_TRUE(run.running()) << run.err();

    requestClose(display.x(), w);
    int status = 0;
    ASSERT_TRUE(run.wait(20.0, &status)) << "a close request must end the run\n" << run.err();
    EXPECT_TRUE(exitedWith(status, 0)) << run.err();
}
