#include "app/main_loop.h"

#include "app/application.h"
#include "app/frame_clock.h"
#include "app/glfw_adopt.h"
#include "scene/scene.h"
#include "scene/scene_state.h"
#include "sound/DirectSound.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdint>

bool g_clockStarted = false;
double g_lastTickTime = 0.0;

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

bool tickIsDue(double t, double lastTickTime)
{
    return t >= lastTickTime + 1.0 || lastTickTime == 0.0;
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
    } else if (shownTimeIsWrong(t)) {
        // The frame clock does not count a suspended machine and knows no
        // daylight-saving change or clock step: read the wall clock afresh,
        // so the hands jump once to the true time and then run on smoothly.
        takeSnapshot(t);
    }
    if (tickIsDue(t, g_lastTickTime)) {
        g_tickSound->play(0, false);
        g_lastTickTime = t;
    }
    g_sceneState->setTime(t);
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

void runMainLoop()
{
    GLFWwindow* window = g_application->window;
    // Runs inside someone else's window follow it and end when it goes. A
    // daemon's run leaves only when the daemon ends it (or its window goes).
    const bool inHost = drawsInHost(*g_application->commandLine);
    const bool daemon = hostedByDaemon();
    setupScene();
    for (;;) {
        advanceFrame();
        glfwSwapBuffers(window);
        glfwPollEvents();
        const bool escape = glfwGetKey(window, GLFW_KEY_ESCAPE) != GLFW_RELEASE;
        const bool closing = glfwWindowShouldClose(window) == GLFW_TRUE;
        if (inHost) {
            // One question to the X server a frame: is the host there, and
            // how big? Its resizes reach onWindowSize through our child's.
            const HostWindowState host = adoptedHostState(window);
            if (!host.exists || !host.mapped)
                break;
            followHostSize(window, host);
        }
        if ((escape || closing) && !daemon)
            break;
    }
    releaseTickSound();
}
