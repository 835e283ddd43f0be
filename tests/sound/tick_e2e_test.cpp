// The real program under a virtual X server, its sound recorded by OpenAL's
// "wave" backend: sixty ticks a minute however long the frames take, each
// one the tick resource's own samples; and, without a sound device, a clock
// that appears and answers at once while the device is tried.
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "tests/sound/recording.h"
#include "tests/support/e2e.h"
#include "tests/support/frame_count.h"

#include <sys/wait.h>

#include <csignal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <fstream>

using namespace e2e;

namespace {

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

TEST_F(TickE2E, SixtyTicksAMinuteWithTheTickSamplesHoweverLongTheFramesTake)
{
    const std::vector<std::int16_t> tick = tickSamples();
    ASSERT_EQ(tick.size(), 4392u);

    // Frames as short as the no-op driver makes them, and frames held to
    // 2.6 a second, as on a slow software renderer: there a tick timed from
    // the frame that played the last one came every 1.15 s.
    struct Case {
        const char* name;
        double frameSeconds;
    };
    for (const Case c : {Case{"short frames", 0.0}, Case{"frames of 0.385 s", 1.0 / 2.6}}) {
        SCOPED_TRACE(c.name);
        const std::string recordingPath = artefactPath("tick-recording.wav");
        const std::string countFile = newFrameCountFile();
        auto env = recordingEnv(display, "tick-recording");
        // Rendering is discarded, so frames take only what the case gives them.
        env["GALLIUM_NOOP"] = "1";
        env = withFrameCounter(env, countFile);
        if (c.frameSeconds > 0.0)
            env["TARNWICK_FRAME_PACE_HZ"] = std::to_string(1.0 / c.frameSeconds);

        Process run({binaryPath(), "/s"}, env);
        const Window w = findWindow(display.x(), "Tarnwick", 30.0);
        ASSERT_NE(w, 0u) << run.err();
        ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(recordingPath); }, 60.0)) << run.err();
        pause(10.3);
        ASSERT_TRUE(run.running()) << run.err();
        requestClose(display.x(), w);
        int status = 0;
        ASSERT_TRUE(run.wait(20.0, &status)) << "a close request must end the run\n" << run.err();
        EXPECT_TRUE(exitedWith(status, 0)) << run.err();
        std::remove(countFile.c_str());

        Recording recording;
        std::string error;
        ASSERT_TRUE(readRecording(recordingPath, &recording, &error)) << error;
        EXPECT_EQ(recording.channels, 1);
        EXPECT_EQ(recording.sampleRate, 44100);

        const TickScan scan = findCopies(recording.samples, tick);
        EXPECT_FALSE(scan.mismatch) << "sound at sample " << scan.mismatchStart
                                    << " differs from the tick at its sample " << scan.mismatchIndex;
        ASSERT_GE(scan.starts.size(), 8u) << "about ten seconds of running should hold at least eight ticks";
        // The device opens while the first frames are drawn: their tick
        // plays as soon as it has opened, within the first frame after.
        const double firstTick = static_cast<double>(scan.starts.front()) / 44100.0;
        std::printf("first tick at %.4f s\n", firstTick);
        EXPECT_LT(firstTick, std::max(c.frameSeconds, 0.05) + 0.1) << "the first second was silent";

        // The first tick plays once the device has opened, a moment after
        // its second. Each later tick comes on the first frame at or past
        // its second, so two are a second apart give or take a frame; the
        // recorder places each start on its next 64-sample mixing period.
        // On average they are a second apart: the slack of one frame is
        // spread over the run.
        const double slack = std::max(c.frameSeconds, 0.05) + 128.0 / 44100.0;
        for (std::size_t i = 1; i < scan.starts.size(); ++i) {
            const double interval = static_cast<double>(scan.starts[i] - scan.starts[i - 1]) / 44100.0;
            if (i > 1) {
                EXPECT_NEAR(interval, 1.0, slack) << "tick " << i;
            }
            std::printf("tick %zu at %.4f s, %.4f s after the one before\n", i, scan.starts[i] / 44100.0, interval);
        }
        const std::size_t intervals = scan.starts.size() - 2;
        const double mean = static_cast<double>(scan.starts.back() - scan.starts[1]) / 44100.0 / static_cast<double>(intervals);
        EXPECT_NEAR(mean, 1.0, slack / static_cast<double>(intervals)) << "ticks a second apart on average";
    }
}

TEST_F(TickE2E, WithoutASoundDeviceTheClockAppearsAtOnceAnswersKeysAndRunsSilently)
{
    auto env = quietEnv(display);
    env["ALSOFT_DRIVERS"] = "no-such-backend";  // a driver list that offers nothing
    const std::string countFile = newFrameCountFile();
    env = withFrameCounter(env, countFile);

    const auto start = std::chrono::steady_clock::now();
    Process run({binaryPath(), "/s"}, env);
    ASSERT_GE(waitForFrames(countFile, 1, run, 60.0), 1u) << run.err();
    const double firstFrame = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The device is tried ten times, half a second apart (4.5 s at least),
    // off the frame loop: the first picture does not wait for them.
    EXPECT_LT(firstFrame, 4.0) << "the first frame waited for the sound device";
    ASSERT_TRUE(waitFor([&] { return showsAPicture(grabScreen(display)); }, 60.0)) << run.err();

    // A key while the device is still being tried ends the run at once.
    const unsigned long before = framesShown(countFile);
    pressKey(display, "a");
    int status = 0;
    EXPECT_TRUE(endsWithinFrames(countFile, before, 2, run, &status)) << run.err();
    EXPECT_TRUE(exitedWith(status, 0)) << run.err();
    std::remove(countFile.c_str());
}

TEST_F(TickE2E, WithoutASoundDeviceStandardErrorHoldsOneLineSayingTheClockRunsSilently)
{
    // OpenAL Soft's ALSA backend on an ALSA whose default device is a card
    // that is not there: both libraries would complain about it, at every
    // one of the ten attempts.
    const std::string home = artefactPath("no-sound-home");
    std::filesystem::create_directories(home);
    std::ofstream(home + "/.asoundrc") << "pcm.!default { type hw card 9 }\nctl.!default { type hw card 9 }\n";
    auto env = quietEnv(display);
    env["ALSOFT_DRIVERS"] = "alsa";
    env["HOME"] = home;
    env["GALLIUM_NOOP"] = "1";

    Process run({binaryPath(), "/s"}, env);
    const Window w = findWindow(display.x(), "Tarnwick", 30.0);
    ASSERT_NE(w, 0u) << run.err();
    // The attempts take 4.5 s; the line comes when the last has failed.
    ASSERT_TRUE(waitFor([&] { return !run.err().empty(); }, 30.0)) << "nothing said about the sound";
    pause(1.0);
    requestClose(display.x(), w);
    int status = 0;
    ASSERT_TRUE(run.wait(20.0, &status)) << run.err();
    EXPECT_TRUE(exitedWith(status, 0)) << run.err();
    EXPECT_EQ(run.err(), "tarnwick: no sound device; the clock runs silently\n");
}

TEST_F(TickE2E, OneProcessOfADisplayTicksAndAnotherTakesOverWhenItEnds)
{
    // A daemon's runs on three monitors of one display, one of them with the
    // tick switched off; frames are discarded and capped, so three runs fit
    // on a small machine.
    struct Run {
        std::string name;
        std::vector<std::string> settings;
        std::unique_ptr<Process> process;
        std::chrono::steady_clock::time_point recordingSince;
    };
    Run runs[] = {{"tick-turn-silent", {"--no-tick"}, nullptr, {}},
                  {"tick-turn-b", {}, nullptr, {}},
                  {"tick-turn-c", {}, nullptr, {}}};
    Display* x = display.x();
    for (Run& run : runs) {
        const Window host = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 160, 120, 0, 0, 0);
        XMapWindow(x, host);
        XSync(x, False);
        auto env = recordingEnv(display, run.name);
        env["GALLIUM_NOOP"] = "1";
        env["XSCREENSAVER_WINDOW"] = std::to_string(host);
        std::vector<std::string> argv{binaryPath(), "--root", "--max-fps", "30"};
        argv.insert(argv.end(), run.settings.begin(), run.settings.end());
        run.process = std::make_unique<Process>(argv, env);
    }
    // Each recording starts when its run has opened the device; the silent
    // run opens none.
    for (Run& run : runs) {
        if (!run.settings.empty())
            continue;
        ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(artefactPath(run.name + ".wav")); }, 60.0))
            << run.process->err();
        run.recordingSince = std::chrono::steady_clock::now();
    }
    pause(4.0);

    // The run that ticks ends; the other takes over.
    const std::vector<double> b = recordedTicks("tick-turn-b");
    const std::vector<double> c = recordedTicks("tick-turn-c");
    ASSERT_TRUE(b.empty() != c.empty()) << "exactly one run ticks: " << b.size() << " and " << c.size() << " ticks";
    Run& owner = b.empty() ? runs[2] : runs[1];
    Run& heir = b.empty() ? runs[1] : runs[2];
    EXPECT_GE(recordedTicks(owner.name).size(), 3u);
    owner.process->signal(SIGTERM);
    ASSERT_TRUE(owner.process->wait(5.0));
    const double endedAt = std::chrono::duration<double>(std::chrono::steady_clock::now() - heir.recordingSince).count();
    pause(4.0);
    const std::vector<double> taken = recordedTicks(heir.name);
    ASSERT_GE(taken.size(), 3u) << "the other run ticks once the first has ended";
    EXPECT_GT(taken.front(), endedAt - 0.1) << "no tick before the first run ended";
    EXPECT_LT(taken.front(), endedAt + 2.0) << "the tick is taken over within two seconds";
    EXPECT_TRUE(recordedTicks("tick-turn-silent").empty()) << "--no-tick plays nothing";
    EXPECT_FALSE(std::filesystem::exists(artefactPath("tick-turn-silent.wav"))) << "--no-tick opens no sound device";
    for (Run& run : runs)
        EXPECT_EQ(run.process->err().find("tarnwick:"), std::string::npos) << run.process->err();
}

TEST_F(TickE2E, TheFullScreenRunTicksBesideAPreview)
{
    // A preview, alone on the display, ticks.
    Display* x = display.x();
    const Window host = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 160, 120, 0, 0, 0);
    XMapWindow(x, host);
    XSync(x, False);
    auto previewEnv = recordingEnv(display, "tick-preview");
    previewEnv["GALLIUM_NOOP"] = "1";
    Process preview({binaryPath(), "/p", std::to_string(host)}, previewEnv);
    ASSERT_TRUE(waitFor([] { return recordedTicks("tick-preview").size() >= 2; }, 60.0)) << preview.err();

    // Then the screensaver starts full screen beside it: the clock that
    // fills the screen is the one heard.
    auto fullScreenEnv = recordingEnv(display, "tick-full-screen");
    fullScreenEnv["GALLIUM_NOOP"] = "1";
    Process fullScreen({binaryPath(), "/s"}, fullScreenEnv);
    ASSERT_TRUE(waitFor([] { return std::filesystem::exists(artefactPath("tick-full-screen.wav")); }, 60.0))
        << fullScreen.err();
    const std::size_t previewTicksBefore = recordedTicks("tick-preview").size();
    pause(4.0);
    ASSERT_TRUE(fullScreen.running()) << fullScreen.err();
    ASSERT_TRUE(preview.running()) << preview.err();
    EXPECT_GE(recordedTicks("tick-full-screen").size(), 3u) << "the full-screen run is silent";
    // The preview gives the tick up at its next one.
    EXPECT_LE(recordedTicks("tick-preview").size(), previewTicksBefore + 1) << "the preview still ticks";
}
