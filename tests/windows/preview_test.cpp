// "/p <HWND>" of the Windows program under Wine, into a window of another
// process (a stand-in for the Control Panel's preview area): the clock fills
// the host's client area and follows its size; the run ends with the host;
// the host outlives a run that ends first. And the adoption itself, on a
// window of the adopting process, as the program does for its own child.
//
// GL drawn in a child window does not reach screen grabs of Wine on a virtual
// X server, so the preview writes the frames it shows when asked through
// TARNWICK_PREVIEW_SNAPSHOT.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/windows/wine_run.h"

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// Starts the host and reads the window handle it prints.
std::string startHost(e2e::Process& host, double seconds = 60.0)
{
    for (double waited = 0.0; waited < seconds && host.running(); waited += 0.25) {
        const std::string out = host.out();
        const auto end = out.find('\n');
        if (end != std::string::npos)
            return out.substr(0, end);
        e2e::pause(0.25);
    }
    return {};
}

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
        handle = startHost(host);
        if (handle.empty())
            return;
        auto env = wine::environment(display);
        env["TARNWICK_PREVIEW_SNAPSHOT"] = folder + "/frame";
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

TEST(WindowsPreview, FillsTheHostFollowsItsSizeAndEndsWithIt)
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
    ASSERT_TRUE(waitForFile(folder + "/frame-400x300.ppm", 40.0)) << "the preview did not follow the host's size";
    expectClockPicture(e2e::readPpm(folder + "/frame-400x300.ppm"));

    int hostStatus = -1;
    ASSERT_TRUE(run.host.wait(40.0, &hostStatus));
    EXPECT_EQ(wine::exitCode(hostStatus), 0);
    int status = -1;
    ASSERT_TRUE(run.preview->wait(10.0, &status)) << "the preview outlived its host";
    EXPECT_EQ(wine::exitCode(status), 0);
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
