// The backdrop: dots and frame lines where the window-position formulas put them.
#include "render/program_registry.h"
#include "scene/drawables.h"
#include "scene/frame_layout.h"
#include "scene/scene_state.h"
#include "scene/transform_stack.h"
#include "tests/render/gl_test_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

double smoothStep(double lo, double hi, double x)
{
    const double s = std::clamp((x - lo) / (hi - lo), 0.0, 1.0);
    return s * s * (3.0 - 2.0 * s);
}

bool within(double x, double lo, double hi) { return x >= lo && x <= hi; }

// The backdrop colour of window pixel (x, y), worked out independently in double.
void expectedColour(int x, int y, int width, int height, double rgb[3])
{
    const double u = (x + 0.5) / width, v = (y + 0.5) / height, ratio = double(width) / height;
    double base = 0.15;
    // Nearest dot: rows every ratio/100 in v, dots every 1/100 in u, odd rows
    // shifted by half a step.
    const double stepV = ratio / 100.0, stepU = 0.01, r2 = 0.006 * 0.006;
    const long row = std::lround(v / stepV);
    const double dv = v - row * stepV;
    const double shift = (row % 2 != 0) ? stepU / 2 : 0.0;
    const double du = u - shift - std::round((u - shift) / stepU) * stepU;
    const double dist = du * du * ratio * ratio + dv * dv;
    if (dist < r2)
        base -= 0.15 * smoothStep(r2, 0.0, dist);
    double fade = 0.0;
    const double third = 1.0 / 3.0, twoThirds = 2.0 / 3.0, w = 0.007, wu = w / ratio;
    const bool low = within(v, 0, third), top = within(v, third, third + w);
    const bool left = within(u, third, third + wu), right = within(u, twoThirds - wu, twoThirds);
    if (left && low) fade += smoothStep(third + wu, third, u);
    if (right && low) fade += smoothStep(twoThirds - wu, twoThirds, u);
    if (left && top) fade += smoothStep(third + wu, third, u) * smoothStep(third + w, third, v);
    if (right && top) fade += smoothStep(twoThirds - wu, twoThirds, u) * smoothStep(third + w, third, v);
    if (top && (within(u, twoThirds, 1) || within(u, 0, third))) fade += smoothStep(third + w, third, v);
    const double frame[3] = {0.75, 0.6, 0.4};
    for (int i = 0; i < 3; ++i)
        rgb[i] = std::clamp(base + frame[i] * fade, 0.0, 1.0);
}

class BackgroundGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!context.ok())
            FAIL() << context.why();
        registry.add("BackgroundProgram", 137, 136);
    }

    // Draws the backdrop as the frame does: slot 0, the rectangle at z −300.
    std::vector<std::uint8_t> drawBackdrop(float viewportWidth, float viewportHeight)
    {
        SceneState state(0.0f);
        state.setViewportSize(viewportWidth, viewportHeight);
        TransformStack camera(0.0f, 0.0f, 100.0f);
        camera.selectSlot(0);
        camera.setProjection(sceneProjection(float(W) / float(H)));
        GLFWDrawableSky sky(&state, &camera, &registry, "BackgroundProgram", 141, 140, 500.0f);
        sky.prepare();
        sky.setModelMatrix(backgroundModelMatrix());
        context.clear();
        sky.draw();
        return context.readPixels();
    }

    GlTestContext context{W, H};
    ProgramRegistry registry;
};

int red(const std::vector<std::uint8_t>& pixels, int x, int y) { return pixelAt(pixels, W, x, y)[0]; }

} // namespace

TEST_F(BackgroundGl, EveryPixelMatchesTheDotAndFrameFormulas)
{
    const std::vector<std::uint8_t> pixels = drawBackdrop(W, H);
    int mismatches = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            double rgb[3];
            expectedColour(x, y, W, H, rgb);
            const std::uint8_t* p = pixelAt(pixels, W, x, y);
            for (int i = 0; i < 3; ++i) {
                if (std::abs(p[i] - rgb[i] * 255.0) > 2.5 && ++mismatches <= 10)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") channel " << i << ": " << int(p[i])
                                  << ", expected " << rgb[i] * 255.0;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(BackgroundGl, DotsAreStaggeredAndFrameLinesOutlineTheInsets)
{
    const std::vector<std::uint8_t> pixels = drawBackdrop(W, H);
    // Even row 10 (y ≈ 192) has a dot at u = 0.05 (x ≈ 96); odd row 11
    // (y ≈ 211.2) has its dots shifted by half a step, at x ≈ 105.6.
    EXPECT_LE(red(pixels, 95, 191), 3);
    EXPECT_LE(red(pixels, 105, 211), 3);
    EXPECT_NEAR(red(pixels, 96, 211), 38, 1);
    EXPECT_NEAR(red(pixels, 105, 201), 38, 1);

    for (int y = 0; y < 360; ++y) {
        // Inner side of the left inset: starts at column 640; right inset: ends at 1279.
        EXPECT_LE(red(pixels, 639, y), 39) << y;
        EXPECT_GE(red(pixels, 640, y), 185) << y;
        EXPECT_GE(red(pixels, 1279, y), 185) << y;
        EXPECT_LE(red(pixels, 1280, y), 39) << y;
    }
    for (int x = 0; x < W; ++x) {
        // Over the insets the top line is full; x 640–647 and 1272–1279 are
        // the corners, where it fades with the vertical lines.
        const bool overInset = x <= 639 || x >= 1280;
        const bool corner = (x >= 640 && x <= 647) || (x >= 1272 && x <= 1279);
        if (x <= 639 || x >= 1280) {
            EXPECT_LE(red(pixels, x, 359), 39) << x;  // no line below the top one
        }
        if (overInset) {
            EXPECT_GE(red(pixels, x, 360), 185) << x;
        } else if (!corner) {
            EXPECT_LE(red(pixels, x, 360), 39) << x;
        }
        EXPECT_LE(red(pixels, x, 368), 39) << x;  // the top line fades out over w
    }
}

TEST_F(BackgroundGl, ColourDependsOnTheWholeWindowSizeNotTheViewport)
{
    // Drawn into the lower-right inset viewport with the whole window's size
    // as its uniforms, the backdrop there is the same as in a full draw.
    SceneState state(0.0f);
    state.setViewportSize(W, H);
    TransformStack camera(0.0f, 0.0f, 100.0f);
    camera.selectSlot(0);
    camera.setProjection(sceneProjection(float(W) / float(H)));
    GLFWDrawableSky sky(&state, &camera, &registry, "BackgroundProgram", 141, 140, 500.0f);
    sky.prepare();
    sky.setModelMatrix(backgroundModelMatrix());
    context.clear();
    const Viewport inset = passViewport(2, W, H);
    glViewport(inset.x, inset.y, inset.width, inset.height);
    sky.draw();
    const std::vector<std::uint8_t> pixels = context.readPixels();
    int mismatches = 0;
    for (int y = 0; y < H; y += 3) {
        for (int x = 0; x < W; x += 3) {
            const bool inside = x >= inset.x && x < inset.x + inset.width && y < inset.height;
            double rgb[3];
            expectedColour(x, y, W, H, rgb);
            const std::uint8_t* p = pixelAt(pixels, W, x, y);
            const bool ok = inside ? std::abs(p[0] - rgb[0] * 255.0) <= 2.5 : p[3] == 0;
            if (!ok && ++mismatches <= 10)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")" << (inside ? " inside" : " outside");
        }
    }
    EXPECT_EQ(mismatches, 0);
}
