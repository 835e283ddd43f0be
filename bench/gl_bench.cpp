// The GL measurements of the benchmark, one per run, printed as "key value"
// lines for bench/run_bench.py:
//   phases          start-up split into its phases, through the same calls
//                   the program makes (window, shaders, textures, buffers,
//                   sound, first drawn frame)
//   floor-startup   the start-up floor: the same window, the same vertex and
//                   index bytes uploaded, one clear and swap; then waits to be
//                   killed so that its first frame and memory can be seen
//   frames N        N frames of the real frame loop after a warm-up
//   floor-frames N  the same with the floor shaders in place of the scene's
//   empty N         N frames of clear and swap only
// Every run is full screen at the virtual screen's size, swap interval 0.
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_loop.h"
#include "bench/floor_shaders.h"
#include "bench/stage_shaders.h"
#include "platform/resources.h"
#include "render/program_registry.h"
#include "render/texture.h"
#include "scene/drawables.h"
#include "scene/frame_layout.h"
#include "scene/scene.h"
#include "scene/scene_state.h"
#include "scene/transform_stack.h"
#include "sound/DirectSound.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

Application* openProgramWindow()
{
    static CommandLine line;
    line.mode = Screensaver;
    Application* app = new Application(&line);
    app->setVSync(false);
    return app;
}

// One pass of the program's frame loop body (runMainLoop without its exits).
void loopBody(GLFWwindow* window)
{
    advanceFrame();
    glfwSwapBuffers(window);
    glfwPollEvents();
    (void)glfwGetKey(window, GLFW_KEY_ESCAPE);
    (void)glfwWindowShouldClose(window);
}

void timeLoop(GLFWwindow* window, int frames, void (*body)(GLFWwindow*))
{
    const int warmUp = frames < 50 ? 1 : 10;
    for (int i = 0; i < warmUp; ++i)
        body(window);
    glFinish();
    const double cpu0 = cpuSeconds();
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i)
        body(window);
    glFinish();
    const double wall = msSince(start);
    const double cpu = cpuSeconds() - cpu0;
    std::printf("frame_ms %.4f\n", wall / frames);
    std::printf("cpu_us %.3f\n", cpu * 1e6 / frames);
}

void emptyBody(GLFWwindow* window)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
    glfwPollEvents();
    (void)glfwGetKey(window, GLFW_KEY_ESCAPE);
    (void)glfwWindowShouldClose(window);
}

// All floor shaders, or only the resource ids listed in BENCH_FLOOR_ONLY
// ("136,160": to find which of the scene's shaders costs the most).
void useFloorShaders()
{
    const char* only = std::getenv("BENCH_FLOOR_ONLY");
    auto text = [only](int id, const char* source) {
        if (only == nullptr || std::strstr(only, std::to_string(id).c_str()) != nullptr)
            overrideResource(id, kTextFileType, source, std::strlen(source));
    };
    for (int id : {161, 172, 164})
        text(id, kFloorRecordVertex);
    text(137, kFloorBackgroundVertex);
    for (int id : {136, 160, 171, 165})
        text(id, kFloorFragment);
}

// BENCH_STAGE swaps one stage of the scene for the floor's, to split the
// frame cost: "vertex" (the three clock vertex shaders), "fragment" (all four
// fragment shaders), "clock-lighting" (the clock's vertex shader keeps only its
// lighting), "clock-ranges" (lighting and the colour ranges, no motion).
void useStageShaders(const char* stage)
{
    auto text = [](int id, const char* source) {
        overrideResource(id, kTextFileType, source, std::strlen(source));
    };
    const std::string which = stage;
    if (which == "vertex") {
        text(161, kStageClockVertex);
        text(172, kStageBodyVertex);
        text(164, kStageBodyVertex);
    } else if (which == "fragment") {
        for (int id : {160, 171, 165})
            text(id, kFloorFragment);
        text(136, kStageBackgroundFragment);
    } else if (which == "clock-lighting") {
        text(161, kStageClockLightingOnly.c_str());
    } else if (which == "clock-ranges") {
        text(161, kStageClockRangesNoMotion.c_str());
    }
}

// BENCH_TEXTS="160=/path/a.frag,161=/path/b.vert": shader texts read from
// files in place of the embedded ones (trying a change without a rebuild).
void useShaderFiles(const char* list)
{
    static std::vector<std::string> texts;
    texts.reserve(16);
    std::string rest = list;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string item = rest.substr(0, comma);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos)
            continue;
        std::string text;
        if (FILE* f = std::fopen(item.substr(eq + 1).c_str(), "rb")) {
            char buffer[4096];
            std::size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
                text.append(buffer, n);
            std::fclose(f);
        }
        texts.push_back(text);
        overrideResource(std::atoi(item.c_str()), kTextFileType, texts.back().data(), texts.back().size());
    }
}

int runFrames(int frames, bool floor, bool empty)
{
    if (floor)
        useFloorShaders();
    else if (const char* stage = std::getenv("BENCH_STAGE"))
        useStageShaders(stage);
    Application* app = openProgramWindow();
    if (empty) {
        timeLoop(app->window, frames, emptyBody);
        return 0;
    }
    setupScene();
    // Diagnosis only: BENCH_ANISOTROPY=N sets the textures' anisotropy.
    if (const char* cap = std::getenv("BENCH_ANISOTROPY")) {
        for (GLuint id = 1; id < 16; ++id) {
            if (glIsTexture(id)) {
                glBindTexture(GL_TEXTURE_2D, id);
                glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, static_cast<float>(std::atof(cap)));
            }
        }
    }
    // BENCH_DISCARD=1: primitives are dropped after the vertex stage, so the
    // frame costs only the vertex work (and the calls that start it).
    if (std::getenv("BENCH_DISCARD") != nullptr)
        glEnable(GL_RASTERIZER_DISCARD);
    timeLoop(app->window, frames, loopBody);
    return 0;
}

// The start-up phases, each through the calls setupScene makes, in its order.
int runPhases(Clock::time_point start)
{
    auto phase = [](const char* name, Clock::time_point& since) {
        std::printf("phase_%s_ms %.3f\n", name, msSince(since));
        since = Clock::now();
    };
    Clock::time_point at = start;
    Application* app = openProgramWindow();
    phase("window", at);

    auto* registry = new ProgramRegistry();
    registry->add("BackgroundProgram", 137, 136);
    registry->add("BigClockProgram", 161, 160);
    registry->add("ClockBodyProgram", 172, 171);
    registry->add("SecondHandProgram", 164, 165);
    glFinish();
    phase("shaders", at);

    auto* backdrop = new GLFWTexture(167, 512);
    auto* brass = new GLFWTexture(168, 512);
    glFinish();
    phase("textures", at);

    auto* state = new SceneState(0.0f);
    auto* camera = new TransformStack(0.0f, 0.0f, 100.0f);
    storeViewpoints(*camera);
    auto* clock = new GLFWDrawableClock(state, camera, registry, "BigClockProgram", 174, 120219, 175, 120219);
    clock->prepare();
    auto* body = new GLFWDrawableMesh(state, camera, registry, "ClockBodyProgram", 176, 28947, 178, 28947);
    body->prepare();
    auto* hand = new GLFWDrawableClockSecondHand(state, camera, registry, "SecondHandProgram", 169, 170, 0.1f);
    hand->prepare();
    auto* sky = new GLFWDrawableSky(state, camera, registry, "BackgroundProgram", 141, 140, 500.0f);
    sky->prepare();
    glFinish();
    phase("buffers", at);

    auto* tick = new CDirectSound();
    tick->init(173, nullptr);
    phase("sound", at);

    // First frame: the main view's pass, which makes the driver generate the
    // code of every program at its first draw.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera->setProjection(sceneProjection(g_aspectRatio));
    state->setViewportSize(static_cast<float>(g_windowWidth), static_cast<float>(g_windowHeight));
    glBindTexture(GL_TEXTURE_2D, backdrop->textureId());
    sky->setModelMatrix(backgroundModelMatrix());
    sky->draw();
    glBindTexture(GL_TEXTURE_2D, brass->textureId());
    for (GLFWDrawableObject* d : std::initializer_list<GLFWDrawableObject*>{clock, body, hand}) {
        d->setModelMatrix(clockModelMatrix());
        d->draw();
    }
    glfwSwapBuffers(app->window);
    glFinish();
    phase("first_frame", at);
    std::printf("phases_total_ms %.3f\n", msSince(start));
    return 0;
}

// The floor of start-up: nothing but the window, the geometry's bytes and one
// swapped frame.
int runFloorStartup(Clock::time_point start)
{
    glfwInit();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_SAMPLES, 4);
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    GLFWwindow* window = glfwCreateWindow(mode->width, mode->height, "Tarnwick", monitor, nullptr);
    if (window == nullptr)
        return 1;
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    // The pre-built vertex and index bytes of the clock and its body (the two
    // small OBJ meshes add a few hundred records).
    GLuint buffers[4];
    glGenBuffers(4, buffers);
    const int ids[4] = {174, 175, 176, 178};
    for (int i = 0; i < 4; ++i) {
        const ResourceBytes bytes = findResource(ids[i], kTextFileType);
        const GLenum target = (i % 2 == 0) ? GL_ARRAY_BUFFER : GL_ELEMENT_ARRAY_BUFFER;
        glBindBuffer(target, buffers[i]);
        glBufferData(target, static_cast<GLsizeiptr>(bytes.size), bytes.data, GL_STATIC_DRAW);
    }
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
    glFinish();
    std::printf("floor_total_ms %.3f\n", msSince(start));
    std::fflush(stdout);
    // Stay on screen for the outside observer, which ends this run.
    for (int i = 0; i < 300; ++i) {
        glfwPollEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto start = Clock::now();
    const std::string mode = argc > 1 ? argv[1] : "";
    const int frames = argc > 2 ? std::atoi(argv[2]) : 30;
    if (const char* files = std::getenv("BENCH_TEXTS"))
        useShaderFiles(files);
    if (mode == "phases")
        return runPhases(start);
    if (mode == "floor-startup")
        return runFloorStartup(start);
    if (mode == "frames")
        return runFrames(frames, false, false);
    if (mode == "floor-frames")
        return runFrames(frames, true, false);
    if (mode == "empty")
        return runFrames(frames, false, true);
    std::fprintf(stderr, "usage: gl_bench phases|floor-startup|frames N|floor-frames N|empty N\n");
    return 2;
}
