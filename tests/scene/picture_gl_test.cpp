// The whole frame (main view and both insets) drawn by the program's own
// window, context and scene at three fixed clock times, compared with
// pictures drawn before the shaders were reworded for speed.
//
// A pixel counts as different when a channel is more than kChannelSlack
// levels away from the reference, and at most kMaxDifferentPixels of the
// 129,600 may differ. On the machine that drew the references the
// reworded shaders give the same bytes; the slack is for another processor,
// whose rasterizer code may round differently (fused multiply-add, another
// vector width): a colour can then land one level off, or a triangle edge a
// rounding error away can flip one of a pixel's four coverage samples. The
// smallest real fault tried, the yoke swinging 4 % too far, changes 6 to 18
// pixels at these times.
//
// TARNWICK_PICTURE_OUT=<dir> also writes each drawn frame there as PPM (new
// references: convert them to PNG into tests/scene/pictures).
#include "app/application.h"
#include "app/command_line.h"
#include "scene/scene.h"
#include "scene/scene_state.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kChannelSlack = 2;
constexpr int kMaxDifferentPixels = 4;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // row 0 at the top
};

// Reads a PNG through ImageMagick as binary PPM.
Picture readPng(const std::string& path)
{
    Picture p;
    const std::string command = "convert '" + path + "' -depth 8 ppm:-";
    FILE* in = popen(command.c_str(), "r");
    if (in == nullptr)
        return p;
    int maxValue = 0;
    if (std::fscanf(in, "P6 %d %d %d", &p.width, &p.height, &maxValue) == 3 && maxValue == 255 &&
        std::fgetc(in) != EOF) {
        p.rgb.resize(static_cast<std::size_t>(p.width) * p.height * 3);
        if (std::fread(p.rgb.data(), 1, p.rgb.size(), in) != p.rgb.size())
            p.rgb.clear();
    }
    pclose(in);
    return p;
}

void writePpm(const std::string& path, const Picture& p)
{
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fprintf(out, "P6\n%d %d\n255\n", p.width, p.height);
        std::fwrite(p.rgb.data(), 1, p.rgb.size(), out);
        std::fclose(out);
    }
}

// The back buffer as it is before the swap, top row first.
Picture readBackBuffer(int width, int height)
{
    Picture p{width, height, {}};
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    p.rgb.resize(rows.size());
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(&rows[(height - 1 - y) * stride], stride, &p.rgb[y * stride]);
    return p;
}

struct Moment {
    const char* name;
    int hour, minute, second;
    double frameTime; // seconds since the snapshot
};

// A quarter-second in (pendulum near one end of its swing), a swing through
// the middle with the hands near 12, and three quarters of an hour on, where
// the gears have turned far and the frame time is large.
constexpr Moment kMoments[] = {
    {"10-10-30_t0.25", 10, 10, 30, 0.25},
    {"11-58-07_t61.7", 11, 58, 7, 61.7},
    {"03-41-52_t2706.4", 3, 41, 52, 2706.4},
};

TEST(Picture, FramesMatchTheReferencePictures)
{
    static CommandLine line;
    line.mode = Screensaver;
    // Held where the program holds it, for as long as the process runs.
    g_application = new Application(&line);
    Application* app = g_application;
    app->setVSync(false);
    setupScene();
    const int width = g_windowWidth, height = g_windowHeight;
    const char* outDir = std::getenv("TARNWICK_PICTURE_OUT");

    for (const Moment& m : kMoments) {
        SCOPED_TRACE(m.name);
        g_sceneState->setSecondStart(0.0);
        g_sceneState->snapshotFrom(m.hour, m.minute, m.second);
        g_sceneState->setTime(m.frameTime);
        // The first background draw of a frame fills the viewport the last
        // frame ended in: draw the moment twice and keep the second.
        renderFrame(static_cast<float>(m.frameTime));
        glfwSwapBuffers(app->window);
        renderFrame(static_cast<float>(m.frameTime));
        const Picture drawn = readBackBuffer(width, height);
        glfwSwapBuffers(app->window);
        if (outDir != nullptr)
            writePpm(std::string(outDir) + "/" + m.name + ".ppm", drawn);

        const Picture reference = readPng(std::string(TARNWICK_PICTURES) + "/" + m.name + ".png");
        if (reference.width != width || reference.height != height || reference.rgb.size() != drawn.rgb.size()) {
            ADD_FAILURE() << "no reference picture of " << width << "x" << height;
            continue;
        }
        int different = 0;
        for (std::size_t i = 0; i < drawn.rgb.size(); i += 3) {
            for (int c = 0; c < 3; ++c) {
                if (std::abs(drawn.rgb[i + c] - reference.rgb[i + c]) > kChannelSlack) {
                    ++different;
                    break;
                }
            }
        }
        EXPECT_LE(different, kMaxDifferentPixels);
        std::printf("%s: %d pixels differ\n", m.name, different);
    }
}

} // namespace
