// STAND-IN scene until the real one lands: clears the window to a colour that
// changes with time, so a screenshot shows that the frame loop runs.
#include "scene/scene.h"

#include "scene/scene_state.h"
#include "sound/DirectSound.h"

#include <epoxy/gl.h>

#include <cmath>

SceneState* g_sceneState = nullptr;

void setupScene()
{
    g_sceneState = new SceneState(0.0f);
    g_tickSound = new CDirectSound();
    g_tickSound->init(173, nullptr);
}

void renderFrame(float t)
{
    glClearColor(0.5f + 0.4f * std::sin(t), 0.3f, 0.5f + 0.4f * std::cos(t), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
