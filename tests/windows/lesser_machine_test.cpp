// The Windows program under Wine on GL drivers that offer less than ours
// (Mesa's version and extension overrides reach Wine's OpenGL): without
// texture storage the picture is the same, and a preview on a display
// without OpenGL 3.0 ends quietly, leaving its host as it was.
// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>

#include "tests/windows/wine_run.h"

#include <algorithm>
#include <map>
#include <string>

namespace {

// The frame "/s" draws with both the local time and the frame clock standing
// still (faketime's frozen clock), under the driver overrides given; empty
// when none came. The Wine server runs on the real clock, so that its
// timeouts still expire.
e2e::Image stillFrame(const e2e::VirtualDisplay& display, const std::map<std::string, std::string>& driver,
                      const std::string& folder, std::string* err)
{
    wine::Session session;
    auto env = wine::environment(display);
    e2e::run({"/usr/lib/wine/wineserver", "-p"}, env);
    env.insert(driver.begin(), driver.end());
    env["TARNWICK_FRAME_CAPTURE"] = folder + "/frame";
    e2e::Process run({"faketime", "-f", "2026-01-01 10:10:30", "/usr/lib/wine/wine64", wine::scrPath(), "/s"}, env);
    const e2e::Image frame = e2e::waitForCapturedFrame(folder + "/frame-640x480.ppm", 640, 480, run, 90.0);
    *err = run.err();
    return frame;
}

} // namespace

TEST(WindowsLesserMachine, WithoutTextureStorageTheFrameIsTheSamePixelForPixel)
{
    e2e::VirtualDisplay display({"640x480x24"});
    ASSERT_TRUE(display.ok());
    std::string err;
    const e2e::Image normal = stillFrame(display, {}, wine::freshFolder("windows_texture_storage"), &err);
    ASSERT_FALSE(normal.empty()) << "no frame on the normal path\n" << err;
    EXPECT_GT(e2e::litFraction(normal), 0.5) << "the clock draws";

    for (const std::string version : {"3.3", "3.0"}) {
        SCOPED_TRACE("OpenGL " + version + " without GL_ARB_texture_storage");
        const e2e::Image older = stillFrame(display,
                                            {{"MESA_GL_VERSION_OVERRIDE", version},
                                             {"MESA_EXTENSION_OVERRIDE", "-GL_ARB_texture_storage"}},
                                            wine::freshFolder("windows_without_texture_storage_" + version), &err);
        ASSERT_FALSE(older.empty()) << "no frame\n" << err;
        EXPECT_TRUE(older.rgb == normal.rgb) << "the picture differs from the normal path's\n" << err;
    }
}

TEST(WindowsLesserMachine, APreviewWithoutOpenGL30EndsWithOneLineAndNoBox)
{
    e2e::VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    e2e::Process host(wine::command({wine::previewHostPath(), "60"}), wine::environment(display));
    const std::string handle = wine::startHost(host);
    ASSERT_FALSE(handle.empty()) << host.err();
    auto env = wine::environment(display);
    env["TARNWICK_NO_DIALOGS"] = "";  // boxes allowed: the test is that none shows
    env["MESA_GL_VERSION_OVERRIDE"] = "1.1";  // a Remote Desktop session, a virtual machine without 3D
    e2e::Process run(wine::command({wine::scrPath(), "/p", handle}), env);
    int status = -1;
    EXPECT_FALSE(e2e::boxShownBeforeTheEnd(display.x(), run, 15.0, &status)) << run.err();
    ASSERT_FALSE(run.running()) << "the preview must end by itself within seconds";
    EXPECT_EQ(wine::exitCode(status), 0);
    const std::string err = run.err();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("OpenGL 1.1"), std::string::npos) << "the line names what the display offers: " << err;
    EXPECT_TRUE(host.running()) << "the host outlives the preview";
}
