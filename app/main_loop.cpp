#include "app/main_loop.h"

#include "app/application.h"
#include "app/blanking_requests.h"
#include "app/display_rest.h"
#include "app/frame_capture.h"
#include "app/frame_clock.h"
#include "app/frame_pace.h"
#include "app/glfw_adopt.h"
#include "app/hosted_run.h"
#include "app/monitor_targets.h"
#include "app/render_targets.h"
#include "app/tick_turn.h"
#include "platform/resume_watch.h"
#include "scene/scene.h"
#include "scene/scene_state.h"
#include "sound/DirectSound.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <cmath>
#include <cstdint>

TickTurn* g_tickTurn = nullptr;
bool g_clockStarted = false;
double g_lastTickTime = 0.0;
double g_nextTickTime = 0.0;

namespace {

// The wall-clock second whose time of day was last compared with the shown
// one: the comparison runs once per wall-clock second, not every frame.
std::int64_t g_lastCheckedSecond = 0;

double secondsOfDay(int hour, int minute, int second) { return hour * 3600.0 + minute * 60.0 + second; }

// The wall clock now: its whole epoch second, the fraction past it, and the
// local hour, minute and second of that whole second.
struct WallTime {
    std::int64_t wholeSecond;
    double fraction;
    int hour, minute, second;
};

WallTime readWallTime()
{
    const double wall = g_clockSource.wallSeconds();
    WallTime now{static_cast<std::int64_t>(std::floor(wall)), 0.0, 0, 0, 0};
    now.fraction = wall - static_cast<double>(now.wholeSecond);
    g_clockSource.localTimeOf(now.wholeSecond, &now.hour, &now.minute, &now.second);
    return now;
}

// Whether the hands show another time than the wall clock now says.
bool shownTimeIsWrong(double t)
{
    const double wall = g_clockSource.wallSeconds();
    if (static_cast<std::int64_t>(std::floor(wall)) == g_lastCheckedSecond)
        return false;
    const WallTime now = readWallTime();
    g_lastCheckedSecond = now.wholeSecond;
    const double trueTime = secondsOfDay(now.hour, now.minute, now.second) + now.fraction;
    const double shown = secondsOfDay(static_cast<int>(g_sceneState->snapshotHour()),
                                      static_cast<int>(g_sceneState->snapshotMinute()),
                                      static_cast<int>(g_sceneState->snapshotSecond())) +
                         (t - g_sceneState->preciseSnapshotTime());
    return shownTimeHasDrifted(shown, trueTime);
}

} // namespace

double nextTickTime(double t, double secondStart, double due)
{
    const double next = secondStart + std::floor(t - secondStart) + 1.0;
    const bool afterStall = t - due >= 1.0;
    return afterStall && next - t < 0.5 ? next + 1.0 : next;
}

void takeSnapshot(double t)
{
    const WallTime now = readWallTime();
    g_sceneState->setSecondStart(t);
    g_sceneState->snapshotFrom(now.hour, now.minute, now.second);
    g_lastCheckedSecond = now.wholeSecond;
}

void advanceClock(double t)
{
    if (!g_clockStarted) {
        takeSnapshot(t);
        g_clockStarted = true;
        g_nextTickTime = t;  // the first frame ticks
    } else if (shownTimeIsWrong(t)) {
        // The frame clock does not count a suspended machine and knows no
        // daylight-saving change or clock step: read the wall clock afresh,
        // so the hands jump once to the true time and then run on smoothly.
        takeSnapshot(t);
        g_nextTickTime = nextTickTime(t, t, t);
    }
    // The sound device opens in the background; set the player up as soon as
    // it has, so a process that takes the tick over later is ready for it.
    g_tickSound->update();
    // Ticks keep to the shown seconds, not to the frames that played them:
    // a late frame delays its tick but not the ones after it.
    if (t >= g_nextTickTime) {
        if (g_tickTurn == nullptr || g_tickTurn->isMine())
            g_tickSound->play(0, false);
        g_lastTickTime = t;
        g_nextTickTime = nextTickTime(t, g_sceneState->preciseSnapshotTime(), g_nextTickTime);
    }
    g_sceneState->setTime(t);
}

void tickAgainAfterRest(double t)
{
    if (g_clockStarted)
        g_nextTickTime = nextTickTime(t, g_sceneState->preciseSnapshotTime(), t);
}

void advanceFrame()
{
    const double t = g_clockSource.frameSeconds();
    advanceClock(t);
    renderFrame(t);
}

void releaseTickSound()
{
    delete g_tickSound;
    g_tickSound = nullptr;
}

namespace {

// How often a run waiting for its hidden host looks at it again.
constexpr double kHiddenHostPollSeconds = 0.25;

enum class HostCheck { Draw, Wait, End };

// What a run inside a host does next: a preview's host unmapped or destroyed
// since the last look ends it (even when it was mapped again meanwhile); a
// host hidden only by an unmapped ancestor is waited for, without drawing.
// A daemon's window is waited for while it is hidden (MATE's screensaver
// hides it, and stops the run, while it asks for the password); only its
// destruction ends the run.
HostCheck checkHost(GLFWwindow* window, bool daemon)
{
    if (!daemon && adoptedHostLost(window))
        return HostCheck::End;
    // One question to the X server a frame: is the host there, and how big?
    // Its resizes reach onWindowSize through our child's.
    const HostWindowState host = adoptedHostState(window);
    if (!host.exists || (!daemon && !host.mapped))
        return HostCheck::End;
    if (!host.viewable)
        return HostCheck::Wait;
    followHostSize(window, host);
    return HostCheck::Draw;
}

// One frame: the clock's work, then the frame drawn into every render target
// and shown. The first frame after a rest ticks with the next whole second,
// not at once: the seconds of the rest are not made up.
void showFrame(FrameCapture* capture, bool afterRest)
{
    const double t = g_clockSource.frameSeconds();
    if (afterRest)
        tickAgainAfterRest(t);
    advanceClock(t);
    followMonitors();
    drawEveryTarget(t, capture);
}

} // namespace

void runMainLoop()
{
    GLFWwindow* window = g_application->window;
    // Runs inside someone else's window follow it and end when it goes. A
    // daemon's run leaves only when the daemon ends it (or its window goes).
    const bool inHost = drawsInHost(*g_application->commandLine);
    const bool daemon = hostedByDaemon();
    const HostedRun settings = runSettings();
    setupScene(settings.tick);
    if (settings.tick) {
        // A preview leaves the tick to any full-screen run beside it.
        const bool preview = g_application->commandLine->mode == Preview;
        g_tickTurn = new TickTurn(tickNameForThisDisplay(),
                                  preview ? TickTurn::Kind::GivesWay : TickTurn::Kind::Holds);
    }
    // Tests ask for the frames through the environment.
    FrameCapture capture = FrameCapture::fromEnvironment();
    watchForResume();
    passBlankingRequestsOn(window);
    DisplayRest displayRest;
    FramePace pace(settings.maxFps);
    bool afterRest = false;  // until the first frame after a rest is shown
    for (;;) {
        const auto frameStart = std::chrono::steady_clock::now();
        const HostCheck host = inHost ? checkHost(window, daemon) : HostCheck::Draw;
        if (host == HostCheck::End)
            break;
        const DisplayRest::State display = displayRest.look();
        afterRest = afterRest || display == DisplayRest::State::JustWoke;
        if (display == DisplayRest::State::Resting) {
            // Nothing is drawn and nothing ticks; the player only closes a
            // device that an attempt under way may still open.
            g_tickSound->update();
            glfwWaitEventsTimeout(DisplayRest::kLookEvery);
        } else if (host == HostCheck::Wait) {
            glfwWaitEventsTimeout(kHiddenHostPollSeconds);
        } else {
            showFrame(capture.active() ? &capture : nullptr, afterRest);
            afterRest = false;
            pace.waitOutFrame(frameStart);
        }
        // The Escape key (input: not in a preview) and a close request end
        // the run, on any of its windows; a daemon's run is ended by the daemon.
        const bool escape = inputEndsRun() && anyTargetHasEscapeDown();
        if ((escape || anyTargetAsksToClose()) && !daemon)
            break;
    }
    releaseTickSound();
}
