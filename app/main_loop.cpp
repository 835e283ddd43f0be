#include "app/main_loop.h"

#include "app/application.h"
#include "app/glfw_adopt.h"
#include "scene/scene.h"
#include "scene/scene_state.h"
#include "sound/DirectSound.h"

#include <GLFW/glfw3.h>

bool g_clockStarted = false;
float g_lastTickTime = 0.0f;

bool tickIsDue(float t, float lastTickTime)
{
    return t >= lastTickTime + 1.0f || lastTickTime == 0.0f;
}

void advanceFrame()
{
    const float t = static_cast<float>(glfwGetTime());
    if (!g_clockStarted) {
        g_sceneState->setSecondStart(t);
        g_sceneState->snapshotLocalTime();
        g_clockStarted = true;
    }
    if (tickIsDue(t, g_lastTickTime)) {
        g_tickSound->play(0, false);
        g_lastTickTime = t;
    }
    g_sceneState->setTime(t);
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
    const bool inHost = g_application->commandLine->mode == Preview || hostedByDaemon();
    const bool daemon = hostedByDaemon();
    setupScene();
    for (;;) {
        advanceFrame();
        glfwSwapBuffers(window);
        glfwPollEvents();
        const bool escape = glfwGetKey(window, GLFW_KEY_ESCAPE) != GLFW_RELEASE;
        const bool closing = glfwWindowShouldClose(window) == GLFW_TRUE;
        if (inHost) {
            if (!adoptedHostEnabled(window))
                break;
            // Host resizes reach onWindowSize through our child's resize.
            followAdoptedHostSize(window);
        }
        if ((escape || closing) && !daemon)
            break;
    }
    releaseTickSound();
}
