// The real program on machines that offer less than ours: GL drivers without
// texture storage or without OpenGL 3.0 (Mesa's version and extension
// overrides), and an address-space limit too tight for start-up.
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"

#include <X11/Xlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace e2e;

namespace {

using Env = std::map<std::string, std::string>;

Env with(Env env, const Env& more)
{
    for (const auto& [name, value] : more)
        env[name] = value;
    return env;
}

long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// The frame a full-screen run draws with both the local time and the frame
// clock standing still (faketime's frozen clock), under the driver
// overrides given; empty when none came.
Image stillFrame(const VirtualDisplay& display, const Env& driver, const std::string& name, std::string* err)
{
    const std::string prefix = artefactPath("lesser-machine-" + name);
    const std::string path = prefix + "-640x480.ppm";
    std::filesystem::remove(path);
    Process run({"faketime", "-f", "2026-01-01 10:10:30", binaryPath(), "/s"},
                allowingPreloads(with(quietEnv(display), with(driver, {{"TARNWICK_FRAME_CAPTURE", prefix}}))));
    const Image frame = waitForCapturedFrame(path, 640, 480, run, 60.0);
    *err = run.err();
    return frame;
}

} // namespace

TEST(LesserMachineE2E, WithoutTextureStorageTheFrameIsTheSamePixelForPixel)
{
    VirtualDisplay display({"640x480x24"});
    ASSERT_TRUE(display.ok());
    std::string err;
    const Image normal = stillFrame(display, {}, "texture-storage", &err);
    ASSERT_FALSE(normal.empty()) << "no frame on the normal path\n" << err;
    EXPECT_GT(litFraction(normal), 0.5) << "the clock draws";

    // Immutable storage is core from 4.2; these drivers have neither it nor
    // the extension.
    for (const std::string version : {"3.3", "3.0"}) {
        SCOPED_TRACE("OpenGL " + version + " without GL_ARB_texture_storage");
        const Image older = stillFrame(display,
                                       {{"MESA_GL_VERSION_OVERRIDE", version},
                                        {"MESA_EXTENSION_OVERRIDE", "-GL_ARB_texture_storage"}},
                                       "without-texture-storage-" + version, &err);
        ASSERT_FALSE(older.empty()) << "no frame\n" << err;
        EXPECT_TRUE(older.rgb == normal.rgb) << "the picture differs from the normal path's\n" << err;
    }
}

TEST(LesserMachineE2E, WithoutOpenGL30AHostedRunEndsWithOneLineAndNoBoxLeavingTheHostAlone)
{
    VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    Display* x = display.x();
    const Window host = XCreateSimpleWindow(x, DefaultRootWindow(x), 40, 40, 320, 240, 0, 0, 0);
    XMapWindow(x, host);
    XSync(x, False);
    // Boxes allowed: the test is that none shows.
    const Env env = with(quietEnv(display), {{"TARNWICK_NO_DIALOGS", ""}, {"MESA_GL_VERSION_OVERRIDE", "2.1"}});
    const std::vector<std::vector<std::string>> runs = {
        {binaryPath(), "/p", std::to_string(host)},   // a preview in a host's dialog
        {binaryPath(), "--window-id", hexWindowId(host)},  // a screensaver daemon's window
    };
    for (const auto& argv : runs) {
        SCOPED_TRACE(argv[1]);
        Process run(argv, env);
        int status = 0;
        EXPECT_FALSE(boxShownBeforeTheEnd(x, run, 10.0, &status)) << run.err();
        ASSERT_FALSE(run.running()) << "the run must end by itself within seconds";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
        const std::string err = run.err();
        EXPECT_EQ(lineCount(err), 1) << err;
        EXPECT_NE(err.find("OpenGL 2.1"), std::string::npos) << "the line names what the display offers: " << err;
        EXPECT_TRUE(children(x, host).empty()) << "nothing of ours is left in the host";
        XWindowAttributes a{};
        ASSERT_TRUE(windowAttributes(x, host, &a)) << "the host itself is left alone";
        EXPECT_EQ(a.map_state, IsViewable);
    }
}

TEST(LesserMachineE2E, AnAddressSpaceTooSmallForStartUpEndsWithOneLineAndStatusZero)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than such a limit leaves";
#endif
    VirtualDisplay display({"640x480x24"});
    ASSERT_TRUE(display.ok());
    // The no-op GL driver, one malloc arena and no sound device keep the
    // address space a start-up takes the same from run to run: the window
    // and its context need some 255 MB of it, the whole start-up some 300.
    // These limits (ulimit -v counts KiB) fit the window and its context but
    // not the textures, meshes and buffers.
    const Env env = with(quietEnv(display), {{"GALLIUM_NOOP", "1"}, {"MALLOC_ARENA_MAX", "1"}});
    for (const std::string limit : {"270000", "280000"}) {
        SCOPED_TRACE("ulimit -v " + limit);
        Process run({"sh", "-c", "ulimit -v " + limit + " && exec \"$0\" /s --no-tick", binaryPath()}, env);
        int status = 0;
        ASSERT_TRUE(run.wait(30.0, &status)) << "the run must end by itself";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status << "\n" << run.err();
        const std::string err = run.err();
        EXPECT_EQ(lineCount(err), 1) << err;
        EXPECT_NE(err.find("Not enough memory"), std::string::npos) << err;
    }
}
