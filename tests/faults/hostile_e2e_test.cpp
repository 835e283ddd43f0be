// The real program started by an unlucky or hostile host: hidden or
// InputOnly host windows, daemon runs nobody can answer, and the single-
// instance name taken by another user.
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/frame_count.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

using namespace e2e;

namespace {

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

Window makeWindow(Display* x, Window parent, unsigned windowClass, bool mapped)
{
    XSetWindowAttributes attributes{};
    const Window w = XCreateWindow(x, parent, 10, 10, 320, 200, 0, CopyFromParent, windowClass, CopyFromParent, 0,
                                   &attributes);
    if (mapped)
        XMapWindow(x, w);
    XSync(x, False);
    return w;
}

// The argument list of a run into host: a preview, or a daemon's run that
// finds its window in XSCREENSAVER_WINDOW.
std::vector<std::string> runInto(bool preview, Window host)
{
    if (preview)
        return {binaryPath(), "/p", std::to_string(host)};
    return {"env", "XSCREENSAVER_WINDOW=" + hexWindowId(host), binaryPath(), "--root"};
}

class HostileE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.ok()) << "no virtual X server"; }
    VirtualDisplay display{{"640x480x24", "640x480x24"}};
};

} // namespace

TEST_F(HostileE2E, HiddenHostsCostNoCpuAndTheRunEndsWhenTheyGo)
{
    Display* x = display.x();
    struct Case {
        const char* name;
        bool preview;
        bool hostMapped;  // false: the host itself unmapped; true: mapped in an unmapped parent
    };
    for (const Case c : {Case{"/p, unmapped host", true, false}, Case{"/p, host in an unmapped parent", true, true},
                         Case{"--root, unmapped host", false, false},
                         Case{"--root, host in an unmapped parent", false, true}}) {
        SCOPED_TRACE(c.name);
        const Window parent = makeWindow(x, DefaultRootWindow(x), InputOutput, false);
        const Window host = makeWindow(x, parent, InputOutput, c.hostMapped);
        Process run(runInto(c.preview, host), quietEnv(display));
        pause(3.0);  // start-up done
        if (run.running()) {
            const double before = cpuSeconds(run.pid());
            pause(2.0);
            EXPECT_LT(cpuSeconds(run.pid()) - before, 0.2) << "waiting for a hidden host must not use the CPU";
        }
        XDestroyWindow(x, parent);
        XSync(x, False);
        int status = 0;
        ASSERT_TRUE(run.wait(3.0, &status)) << "a destroyed host ends the run\n" << run.err();
        EXPECT_TRUE(exitedWith(status, 0)) << run.err();
    }
}

TEST_F(HostileE2E, InputOnlyHostsAreRefusedWithoutAStrayWindow)
{
    Display* x = display.x();
    for (bool preview : {true, false}) {
        SCOPED_TRACE(preview ? "/p" : "--window-id");
        const Window host = makeWindow(x, DefaultRootWindow(x), InputOnly, true);
        const std::vector<std::string> args =
            preview ? std::vector<std::string>{binaryPath(), "/p", std::to_string(host)}
                    : std::vector<std::string>{binaryPath(), "--window-id", hexWindowId(host)};
        Process run(args, quietEnv(display));
        int status = 0;
        ASSERT_TRUE(run.wait(20.0, &status)) << "the run must end by itself\n" << run.err();
        EXPECT_TRUE(exitedWith(status, 0)) << run.err();
        EXPECT_NE(run.err().find("Failed to open window"), std::string::npos) << run.err();
        EXPECT_EQ(findWindow(x, "Tarnwick", 0.1), 0u) << "no window of ours is left on the screen";
    }
}

TEST_F(HostileE2E, DaemonRunsThatCannotDrawSayWhyOnStderrAndNeverWaitForABox)
{
    Display* x = display.x();
    const Window gone = makeWindow(x, DefaultRootWindow(x), InputOutput, true);
    XDestroyWindow(x, gone);
    const Window otherScreen = makeWindow(x, RootWindow(x, 1), InputOutput, true);
    struct Case {
        std::vector<std::string> args;  // after the program's name
        std::string variable;           // XSCREENSAVER_WINDOW, as set
    };
    const Case cases[] = {
        {{"--root"}, hexWindowId(gone)},        {{"--window-id", "garbage"}, ""}, {{"--window-id", "0"}, ""},
        {{"--window-id", hexWindowId(otherScreen)}, ""}, {{"--root"}, "garbage"}, {{"--root"}, "-1"},
        {{"--root"}, "0x"},             {{"--root"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{"env", "XSCREENSAVER_WINDOW=" + c.variable, binaryPath()};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args.back() + ", XSCREENSAVER_WINDOW='" + c.variable + "'");
        auto env = quietEnv(display);
        env.erase("TARNWICK_NO_DIALOGS");  // a box would be shown if the run chose one
        Process run(argv, env);
        int status = 0;
        const bool ended = run.wait(20.0, &status);
        const Window box = findWindow(x, "Debug", 0.1);
        if (box != 0)
            XDestroyWindow(x, box);
        EXPECT_EQ(box, 0u) << "a box nobody can answer";
        ASSERT_TRUE(ended) << "the run must end by itself\n" << run.err();
        EXPECT_TRUE(exitedWith(status, 0)) << run.err();
        EXPECT_NE(run.err().find("Failed to open window"), std::string::npos) << run.err();
    }
}

TEST_F(HostileE2E, TheSingleInstanceNameTakenByAnotherUserIsIgnored)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "taking the name as another user needs root";
    const std::string name = "K_OPENGL_SCREENSAVER" + std::to_string(getuid());
    for (bool listening : {true, false}) {
        SCOPED_TRACE(listening ? "a listening holder" : "a holder that only binds");
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t holder = fork();
        ASSERT_GE(holder, 0);
        if (holder == 0) {
            // Another user takes this user's name and keeps it.
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(1);
            const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path + 1, name.data(), name.size());
            const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
            if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || (listening && listen(fd, 1) != 0))
                _exit(1);
            (void)!write(ready[1], "!", 1);
            ::pause();
            _exit(0);
        }
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the other user holds the name";
        close(ready[0]);
        close(ready[1]);

        const std::string countFile = newFrameCountFile();
        Process run({binaryPath()}, withFrameCounter(quietEnv(display), countFile));
        EXPECT_GE(waitForFrames(countFile, 3, run, 30.0), 3u) << "the run goes on\n" << run.err();
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        std::remove(countFile.c_str());
    }
}
