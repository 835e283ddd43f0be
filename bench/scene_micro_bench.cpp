// Micro benchmarks of the per-frame CPU path, in a GL context on Mesa's noop
// driver (GALLIUM_NOOP=1: GL calls are accepted and the drawing discarded):
// location look-ups through the program's cache and the registry, the
// camera's matrix products, and renderFrame as a whole.
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_loop.h"
#include "render/math.h"
#include "render/program_registry.h"
#include "scene/frame_layout.h"
#include "scene/scene.h"
#include "scene/transform_stack.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <cstdio>

namespace {

ProgramRegistry* g_programs = nullptr;

void BM_UniformLocationCached(benchmark::State& state)
{
    GLFWProgram* program = g_programs->find("BigClockProgram");
    for (auto _ : state)
        benchmark::DoNotOptimize(program->uniformLocation("model_projection"));
}
BENCHMARK(BM_UniformLocationCached);

void BM_AttribLocationCached(benchmark::State& state)
{
    GLFWProgram* program = g_programs->find("BigClockProgram");
    for (auto _ : state)
        benchmark::DoNotOptimize(program->attribLocation("material_specular"));
}
BENCHMARK(BM_AttribLocationCached);

// A drawable's uniform look-up: its program by name, then the location.
void BM_RegistryFindThenUniform(benchmark::State& state)
{
    for (auto _ : state) {
        GLFWProgram* program = g_programs->find("SecondHandProgram");
        benchmark::DoNotOptimize(program->uniformLocation("world_projection"));
    }
}
BENCHMARK(BM_RegistryFindThenUniform);

void BM_UniformLocationFromDriver(benchmark::State& state)
{
    const GLuint id = g_programs->find("BigClockProgram")->programId();
    for (auto _ : state)
        benchmark::DoNotOptimize(glGetUniformLocation(id, "model_projection"));
}
BENCHMARK(BM_UniformLocationFromDriver);

// The products of one draw: P × V and P × V × M, with the camera's view.
void BM_DrawMatrixProducts(benchmark::State& state)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    storeViewpoints(camera);
    camera.setProjection(sceneProjection(16.0f / 9.0f));
    const Mat4 model = clockModelMatrix();
    for (auto _ : state) {
        const Mat4 worldProjection = camera.projection() * camera.currentView();
        const Mat4 modelProjection = worldProjection * model;
        benchmark::DoNotOptimize(modelProjection);
    }
}
BENCHMARK(BM_DrawMatrixProducts);

void BM_FrameLayoutMatrices(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(sceneProjection(16.0f / 9.0f));
        benchmark::DoNotOptimize(clockModelMatrix());
        benchmark::DoNotOptimize(backgroundModelMatrix());
        benchmark::DoNotOptimize(lightPositionAt(1.5f));
    }
}
BENCHMARK(BM_FrameLayoutMatrices);

// renderFrame's own work: 12 draws in three passes, GL calls to the noop driver.
void BM_RenderFrame(benchmark::State& state)
{
    double t = 1.0;
    for (auto _ : state) {
        renderFrame(t);
        t += 0.016;
    }
}
BENCHMARK(BM_RenderFrame);

// The loop's clock work with renderFrame (no swap).
void BM_AdvanceFrame(benchmark::State& state)
{
    for (auto _ : state)
        advanceFrame();
}
BENCHMARK(BM_AdvanceFrame);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    static CommandLine line;
    line.mode = Screensaver;
    Application* app = new Application(&line);
    app->setVSync(false);
    setupScene();
    g_programs = new ProgramRegistry();
    g_programs->add("BigClockProgram", 161, 160);
    g_programs->add("SecondHandProgram", 164, 165);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
