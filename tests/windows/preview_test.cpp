// "/p <HWND>" of the Windows program under Wine, into a window of another
// process (a stand-in for the Control Panel's preview area): the clock fills
// the host's client area and follows its size; the run ends with the host;
// the host outlives a run that ends first. And the adoption itself, on a
// window of the adopting process, as the program does for its own child.
//
// GL drawn in a child window does not reach screen grabs of Wine on a virtual
// X server, so the preview writes the frames it shows when asked through
// TARNWICK_FRAME_CAPTURE.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/windows/wine_run.h"

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

bool waitForFile(const std::string& path, double seconds)
{
    for (double waited = 0.0; waited < seconds; waited += 0.25) {
        if (std::filesystem::exists(path) && std::filesystem::file_size(path) > 0) {
            e2e::pause(0.5);  // the writer closes it
            return true;
        }
        e2e::pause(0.25);
    }
    return false;
}

} // namespace

namespace {

// The host, started with its arguments, and a preview run in its window.
struct PreviewRun {
    PreviewRun(const e2e::VirtualDisplay& display, const std::string& folder, const std::vector<std::string>& hostArgs)
        : host(wine::command(withHost(hostArgs)), wine::environment(display))
    {
        handle = wine::startHost(host);
        if (handle.empty())
            return;
        auto env = wine::environment(display);
        env["TARNWICK_FRAME_CAPTURE"] = folder + "/frame";
        preview = std::make_unique<e2e::Process>(wine::command({wine::scrPath(), "/p", handle}), env);
    }

    static std::vector<std::string> withHost(std::vector<std::string> args)
    {
        args.insert(args.begin(), wine::previewHostPath());
        return args;
    }

    e2e::Process host;
    std::string handle;
    std::unique_ptr<e2e::Process> preview;
};

} // namespace

TEST(WindowsPreview, FillsTheHostFollowsItsSizeIgnoresInputAndEndsWithIt)
{
    e2e::VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    const std::string folder = wine::freshFolder("windows_preview");
    // The host lives 40 s and grows to 400 x 300 after 20 s.
    PreviewRun run(display, folder, {"40", "20", "400", "300"});
    ASSERT_TRUE(run.preview) << run.host.err();

    ASSERT_TRUE(waitForFile(folder + "/frame-320x240.ppm", 20.0)) << run.preview->err();
    expectClockPicture(e2e::readPpm(folder + "/frame-320x240.ppm"));
    // A click and a key in the preview area (the host's client area, below
    // its caption) leave the preview running, as the Settings' own do.
    e2e::click(display, 160, 150);
    e2e::pressKey(display, "a");
    e2e::pause(2.0);
    ASSERT_TRUE(run.preview->running()) << "input in the preview ended it";
    ASSERT_TRUE(waitForFile(folder + "/frame-400x300.ppm", 40.0)) << "the preview did not follow the host's size";
    expectClockPicture(e2e::readPpm(folder + "/frame-400x300.ppm"));

    int hostStatus = -1;
    ASSERT_TRUE(run.host.wait(40.0, &hostStatus));
    EXPECT_EQ(wine::exitCode(hostStatus), 0);
    int status = -1;
    ASSERT_TRUE(run.preview->wait(10.0, &status)) << "the preview outlived its host";
    EXPECT_EQ(wine::exitCode(status), 0);
}

TEST(WindowsPreview, HandlesThatNameNoWindowEndAtOnceWithoutABox)
{
    e2e::VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    // A host that has already gone, as when the Settings close right after
    // starting their preview.
    e2e::Process host(wine::command({wine::previewHostPath(), "0.5"}), wine::environment(display));
    const std::string gone = wine::startHost(host);
    ASSERT_FALSE(gone.empty()) << host.err();
    ASSERT_TRUE(host.wait(30.0));
    auto env = wine::environment(display);
    env["TARNWICK_NO_DIALOGS"] = "";  // a box would show, and wait for a click
    for (const std::string& handle : {gone, std::string("0"), std::string("garbage")}) {
        e2e::Process run(wine::command({wine::scrPath(), "/p", handle}), env);
        int status = -1;
        ASSERT_TRUE(run.wait(5.0, &status)) << "/p " << handle << " did not end at once";
        EXPECT_EQ(wine::exitCode(status), 0) << "/p " << handle;
        EXPECT_NE(run.err().find("does not exist"), std::string::npos) << "/p " << handle << ": " << run.err();
        EXPECT_EQ(run.err().find("Failed to open window"), std::string::npos) << run.err();
    }
}

TEST(WindowsPreview, UpperCaseSWhileAPreviewRunsStartsTheFullScreenClock)
{
    e2e::VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    const std::string folder = wine::freshFolder("windows_preview_and_test");
    PreviewRun run(display, folder, {"60"});
    ASSERT_TRUE(run.preview) << run.host.err();
    ASSERT_TRUE(waitForFile(folder + "/frame-320x240.ppm", 20.0)) << run.preview->err();
    // As Explorer's double-click and the Settings' "Test" start it.
    e2e::Process test(wine::command({wine::scrPath(), "/S"}), wine::environment(display));
    e2e::Image shot;
    for (int i = 0; i < 120 && test.running() && e2e::litFraction(shot) < 0.3; ++i) {
        e2e::pause(0.5);
        shot = e2e::grabScreen(display);
    }
    ASSERT_TRUE(test.running()) << "\"/S\" ended without showing the clock";
    shot.savePng(e2e::artefactPath("windows_upper_case_s.png"));
    expectClockPicture(shot);
}

TEST(WindowsPreview, TheHostOutlivesARunThatEndsFirst)
{
    e2e::VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    const std::string folder = wine::freshFolder("windows_preview_ends_first");
    PreviewRun run(display, folder, {"30"});
    ASSERT_TRUE(run.preview) << run.host.err();
    ASSERT_TRUE(waitForFile(folder + "/frame-320x240.ppm", 20.0)) << run.preview->err();
    // The run goes, as when the Control Panel ends it.
    run.preview->signal(SIGKILL);
    run.preview->wait(10.0);

    int hostStatus = -1;
    ASSERT_TRUE(run.host.wait(40.0, &hostStatus));
    EXPECT_EQ(wine::exitCode(hostStatus), 0) << "the host's window did not survive the run";
}

TEST(WindowsPreview, AWindowOfOurOwnProcessIsAdoptedAndGivenBack)
{
    e2e::VirtualDisplay display({"800x600x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    e2e::Process probe(wine::command({wine::adoptProbePath()}), wine::environment(display));
    int status = -1;
    ASSERT_TRUE(probe.wait(60.0, &status)) << probe.out();
    EXPECT_EQ(wine::exitCode(status), 0) << probe.out() << probe.err();
}
