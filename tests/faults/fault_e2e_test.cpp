// The real program when its surroundings fail: the X server vanishing, a GL
// driver without a 3.0 context, a preview host that shrinks, hides or goes.
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "tests/support/frame_count.h"
#include "tests/support/e2e.h"

#include <X11/Xlib.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace e2e;

namespace {

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

std::string describe(int status)
{
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return std::string("signal ") + std::to_string(WTERMSIG(status)) + (WCOREDUMP(status) ? " (core dumped)" : "");
    return "raw status " + std::to_string(status);
}

// An X server of the test's own, so that it can be killed while nobody but
// the program holds a connection to it. Like a bare X server it resets when
// its last client leaves (no -noreset).
class DisposableServer {
public:
    DisposableServer()
        : m_server({"Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24", "+extension", "GLX", "-nolisten",
                    "tcp"})
    {
        for (int i = 0; i < 200 && m_name.empty(); ++i) {
            pause(0.05);
            const std::string out = m_server.out();
            if (out.find('\n') != std::string::npos)
                m_name = ":" + out.substr(0, out.find('\n'));
        }
    }
    const std::string& name() const { return m_name; }
    // What the server printed, for failure messages.
    std::string log() const { return m_server.err(); }
    void kill() { m_server.signal(SIGKILL), m_server.wait(5.0); }

private:
    Process m_server;
    std::string m_name;
};

// A plain top-level window standing in for a screensaver host's preview area.
Window makeHost(Display* x, int width, int height)
{
    const int screen = DefaultScreen(x);
    const Window w = XCreateSimpleWindow(x, RootWindow(x, screen), 40, 40, width, height, 0,
                                         BlackPixel(x, screen), BlackPixel(x, screen));
    XStoreName(x, w, "Fault host");
    XMapWindow(x, w);
    XSync(x, False);
    return w;
}

// Waits until the program's child shows up inside host; 0 if it does not.
Window waitForChild(Display* x, Window host)
{
    for (int i = 0; i < 150; ++i) {
        const std::vector<Window> inside = children(x, host);
        if (!inside.empty())
            return inside.front();
        pause(0.1);
    }
    return 0;
}

// A quiet run on the server with the no-op GL driver (frames take no time),
// its frames counted into countFile.
std::map<std::string, std::string> countedNoopEnv(const DisposableServer& server, const std::string& countFile)
{
    return e2e::withFrameCounter(
        {{"DISPLAY", server.name()}, {"TARNWICK_NO_DIALOGS", "1"}, {"ALSOFT_DRIVERS", "null"}, {"GALLIUM_NOOP", "1"}},
        countFile);
}

void resize(Display* x, Window w, int width, int height)
{
    XResizeWindow(x, w, width, height);
    XSync(x, False);
}

} // namespace

TEST(FaultE2E, TheXServerKilledMidRunEndsTheProcessWithinASecond)
{
    DisposableServer server;
    ASSERT_FALSE(server.name().empty()) << "no virtual X server";
    // The no-op driver makes frames take no time, so the second measures the
    // program's answer rather than how long software rendering of one frame
    // takes on a busy machine.
    const std::string countFile = e2e::newFrameCountFile();
    Process run({binaryPath(), "/s"}, countedNoopEnv(server, countFile));
    ASSERT_GE(e2e::waitForFrames(countFile, 100, run, 30.0), 100u) << "frames are running\n" << run.err() << server.log();

    server.kill();
    int status = 0;
    ASSERT_TRUE(run.wait(1.0, &status)) << "the run must end within a second of the server going";
    EXPECT_TRUE(exitedWith(status, 0)) << describe(status) << "\n" << run.err();
    std::remove(countFile.c_str());
}

TEST(FaultE2E, TheXServerKilledWhileABoxIsUpEndsTheProcessWithStatusZero)
{
    DisposableServer server;
    ASSERT_FALSE(server.name().empty()) << "no virtual X server";
    // A driver without an OpenGL 3.0 context: the windowing library's error
    // box comes up and waits for OK.
    Process run({binaryPath(), "/s"},
                {{"DISPLAY", server.name()}, {"ALSOFT_DRIVERS", "null"}, {"MESA_GL_VERSION_OVERRIDE", "2.1"}});
    {
        Display* x = XOpenDisplay(server.name().c_str());
        ASSERT_NE(x, nullptr);
        const Window box = findWindow(x, "Error", 20.0);
        XCloseDisplay(x);
        ASSERT_NE(box, 0u) << "the box is up\n" << run.err();
    }
    server.kill();
    int status = 0;
    ASSERT_TRUE(run.wait(5.0, &status)) << "the run must end with the server";
    EXPECT_TRUE(exitedWith(status, 0)) << describe(status) << "\n" << run.err();
}

TEST(FaultE2E, AServerThatResetsWhenItsLastClientLeavesIsJoinedEveryTime)
{
    // A connection opened and closed before the windowing library opens its
    // own would send such a server into a reset that the second connection
    // can run into; a few fresh servers make that race show.
    for (int attempt = 0; attempt < 10; ++attempt) {
        DisposableServer server;
        ASSERT_FALSE(server.name().empty()) << "no virtual X server";
        const std::string countFile = e2e::newFrameCountFile();
        Process run({binaryPath(), "/s"}, countedNoopEnv(server, countFile));
        EXPECT_GE(e2e::waitForFrames(countFile, 10, run, 30.0), 10u)
            << "attempt " << attempt << ": frames are running\n" << run.err() << server.log();
        std::remove(countFile.c_str());
    }
}

TEST(FaultE2E, ADriverWithoutAThreeZeroContextGetsTheFailedToOpenWindowAnswer)
{
    VirtualDisplay display;
    ASSERT_TRUE(display.ok());
    auto env = quietEnv(display);
    env["MESA_GL_VERSION_OVERRIDE"] = "2.1";
    Process run({binaryPath(), "/s"}, env);
    int status = 0;
    ASSERT_TRUE(run.wait(20.0, &status)) << "the run must end by itself";
    EXPECT_TRUE(exitedWith(status, 0)) << describe(status) << "\n" << run.err();
    EXPECT_NE(run.err().find("Failed to open window"), std::string::npos) << run.err();
}

class PreviewHostFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.ok()) << "no virtual X server";
        host = makeHost(display.x(), 240, 180);
        run = std::make_unique<Process>(std::vector<std::string>{binaryPath(), "/p", std::to_string(host)},
                                        e2e::withFrameCounter(quietEnv(display), countFile));
        child = waitForChild(display.x(), host);
        ASSERT_NE(child, 0u) << "the program draws through a child of the host\n" << run->err();
        ASSERT_GT(litFraction(waitForPicture(display.x(), host)), 0.5) << "frames are running\n" << run->err();
    }

    // Resizes the host; true when the program's child follows within two
    // frames.
    bool hostResizeIsFollowed(int width, int height)
    {
        resize(display.x(), host, width, height);
        return e2e::reachesSizeWithinFrames(display.x(), child, width, height, countFile,
                                            e2e::framesShown(countFile), 2, *run);
    }

    void TearDown() override { std::remove(countFile.c_str()); }

    VirtualDisplay display;
    const std::string countFile = e2e::newFrameCountFile();
    Window host = 0;
    Window child = 0;
    std::unique_ptr<Process> run;
};

TEST_F(PreviewHostFaults, AOneByOneHostIsSurvivedAndDrawingResumesWhenItGrows)
{
    EXPECT_TRUE(hostResizeIsFollowed(1, 1)) << "the child follows the host down to 1 × 1";
    pause(1.0);  // many frames at 1 × 1
    ASSERT_TRUE(run->running()) << "a 1 × 1 host must not end or crash the run\n" << run->err();

    EXPECT_TRUE(hostResizeIsFollowed(300, 200));
    const Image grown = waitForPicture(display.x(), host);
    EXPECT_EQ(grown.width, 300);
    EXPECT_GT(litFraction(grown), 0.5) << "the picture comes back at the new size\n" << run->err();
    EXPECT_TRUE(run->running());
}

TEST_F(PreviewHostFaults, UnmappingEndsThePreviewEvenWhenTheHostIsMappedAgainAtOnce)
{
    // Hidden and shown again before the program's next look at the host.
    XUnmapWindow(display.x(), host);
    XMapWindow(display.x(), host);
    XSync(display.x(), False);
    const unsigned long hiddenAt = e2e::framesShown(countFile);
    int status = 0;
    ASSERT_TRUE(e2e::endsWithinFrames(countFile, hiddenAt, 2, *run, &status)) << "a hidden host ends the preview";
    EXPECT_TRUE(exitedWith(status, 0)) << describe(status) << "\n" << run->err();
    XWindowAttributes a{};
    ASSERT_TRUE(windowAttributes(display.x(), host, &a)) << "the host itself is left alone";
    EXPECT_EQ(a.map_state, IsViewable);
}

TEST_F(PreviewHostFaults, AHostDestroyedWhileOneByOneEndsThePreviewCleanly)
{
    EXPECT_TRUE(hostResizeIsFollowed(1, 1));
    pause(0.3);
    XDestroyWindow(display.x(), host);
    XSync(display.x(), False);
    const unsigned long goneAt = e2e::framesShown(countFile);
    int status = 0;
    ASSERT_TRUE(e2e::endsWithinFrames(countFile, goneAt, 2, *run, &status)) << "a destroyed host ends the preview at once";
    EXPECT_TRUE(exitedWith(status, 0)) << describe(status) << "\n" << run->err();
}
