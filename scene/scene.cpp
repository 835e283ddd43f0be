// The scene: created once by setupScene, drawn by renderFrame in three passes
// (main view, lower-left inset, lower-right inset).
#include "scene/scene.h"

#include "platform/message_box.h"
#include "render/program_registry.h"
#include "render/texture.h"
#include "scene/drawables.h"
#include "scene/frame_layout.h"
#include "scene/native_window.h"
#include "scene/clock_uniforms.h"
#include "scene/scene_state.h"
#include "scene/transform_stack.h"
#include "scene/window_metrics.h"
#include "sound/DirectSound.h"

#include <GLFW/glfw3.h>

SceneState* g_sceneState = nullptr;

namespace {

constexpr const char* kBackgroundProgram = "BackgroundProgram";
constexpr const char* kBigClockProgram = "BigClockProgram";
constexpr const char* kClockBodyProgram = "ClockBodyProgram";
constexpr const char* kSecondHandProgram = "SecondHandProgram";

constexpr int kBackdropBitmap = 167;
constexpr int kBrassBitmap = 168;
constexpr int kTextureSize = 512;
constexpr int kTickWave = 173;

// Every object lives until the process ends.
ProgramRegistry* g_registry = nullptr;
TransformStack* g_camera = nullptr;
GLFWTexture* g_backdropTexture = nullptr;
GLFWTexture* g_brassTexture = nullptr;
GLFWDrawableClock* g_clock = nullptr;
GLFWDrawableMesh* g_clockBody = nullptr;
GLFWDrawableClockSecondHand* g_secondHand = nullptr;
GLFWDrawableSky* g_background = nullptr;

// Clears the GL error flags; true when one of them was GL_OUT_OF_MEMORY.
// There are only a few flags; the bound keeps a lost context, which may
// report its loss again and again, from holding start-up here.
bool glRanOutOfMemory()
{
    bool outOfMemory = false;
    GLenum error = glGetError();
    for (int i = 0; i < 16 && error != GL_NO_ERROR; ++i, error = glGetError())
        outOfMemory = outOfMemory || error == GL_OUT_OF_MEMORY;
    return outOfMemory;
}

void bindTexture(const GLFWTexture* texture)
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture->textureId());
}

} // namespace

void setupScene(bool withTick)
{
    g_registry = new ProgramRegistry();
    g_sceneState = new SceneState(0.0f);
    g_camera = new TransformStack(0.0f, 0.0f, 100.0f);
    storeViewpoints(*g_camera);

    g_backdropTexture = new GLFWTexture(kBackdropBitmap, kTextureSize);
    g_brassTexture = new GLFWTexture(kBrassBitmap, kTextureSize);

    g_registry->add(kBackgroundProgram, 137, 136);
    g_registry->add(kBigClockProgram, 161, 160);
    g_registry->add(kClockBodyProgram, 172, 171);
    g_registry->add(kSecondHandProgram, 164, 165);

    g_clock = new GLFWDrawableClock(g_sceneState, g_camera, g_registry, kBigClockProgram, 174, 120219, 175, 120219);
    g_clock->prepare();
    g_clockBody = new GLFWDrawableMesh(g_sceneState, g_camera, g_registry, kClockBodyProgram, 176, 28947, 178, 28947);
    g_clockBody->prepare();
    g_secondHand = new GLFWDrawableClockSecondHand(g_sceneState, g_camera, g_registry, kSecondHandProgram, 169, 170, 0.1f);
    g_secondHand->prepare();
    g_background = new GLFWDrawableSky(g_sceneState, g_camera, g_registry, kBackgroundProgram, 141, 140, 500.0f);
    g_background->prepare();
    // A driver that cannot get the memory for a texture or a buffer says so
    // only in its error flag; drawing from the storage it lacks would crash.
    if (glRanOutOfMemory())
        endForLackOfMemory();

    g_tickSound = new CDirectSound();
    // The device opens in the background: the first frame never waits for
    // it. Without sound the screensaver runs silently.
    if (withTick)
        g_tickSound->initInBackground(kTickWave, nativeWindowHandle(glfwGetCurrentContext()));
}

void renderFrame(double t)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    g_camera->setProjection(sceneProjection(g_aspectRatio));
    g_sceneState->setViewportSize(static_cast<float>(g_windowWidth), static_cast<float>(g_windowHeight));
    // t is the frame time the loop also stored in the scene state; the light
    // takes it from there, reduced to its own period in double precision.
    (void)t;
    g_sceneState->setLightPosition(lightPositionAt(lightTime(*g_sceneState)));

    const Mat4 clockModel = clockModelMatrix();
    for (int pass = 0; pass < kPassCount; ++pass) {
        g_camera->setCurrentSlot(0);
        // The backdrop goes into the viewport the previous pass left.
        bindTexture(g_backdropTexture);
        g_background->setModelMatrix(backgroundModelMatrix());
        g_background->draw();

        const Viewport viewport = passViewport(pass, g_windowWidth, g_windowHeight);
        glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
        g_camera->setCurrentSlot(passCameraSlot(pass));

        bindTexture(g_brassTexture);
        g_clock->setModelMatrix(clockModel);
        g_clockBody->setModelMatrix(clockModel);
        g_secondHand->setModelMatrix(clockModel);
        g_clock->draw();
        g_clockBody->draw();
        g_secondHand->draw();
    }
}
