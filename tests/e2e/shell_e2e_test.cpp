// The real program under a virtual X server: run modes, input, single
// instance, preview hosting and bad input, as a person or a host would see it.
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/frame_count.h"

#include <X11/Xutil.h>
#include <sys/wait.h>

#include <algorithm>
#include <csignal>

using namespace e2e;

namespace {

// Input and a vanished host are answered at the next look at the events,
// after the frame being drawn: counted from the moment the event has reached
// the X server, the run shows at most two more frames (the event may land
// just after a look). Measured in frames, not seconds: on the software
// renderer of the test machines a single frame now and then takes seconds.
constexpr unsigned long kAnswerFrames = 2;

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

// A plain top-level window standing in for a screensaver host's preview area.
Window makeHost(Display* x, int width, int height, const char* name)
{
    const int screen = DefaultScreen(x);
    const Window w = XCreateSimpleWindow(x, RootWindow(x, screen), 50, 60, width, height, 0,
                                         BlackPixel(x, screen), BlackPixel(x, screen));
    XStoreName(x, w, name);
    XMapWindow(x, w);
    XSync(x, False);
    return w;
}

class ShellE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.ok()) << "no virtual X server"; }
    void TearDown() override { std::remove(countFile.c_str()); }

    // The usual environment with the frame counter preloaded.
    std::map<std::string, std::string> countedEnv() { return withFrameCounter(quietEnv(display), countFile); }

    // Frames shown so far; read as soon as an event the run must answer has
    // reached the X server.
    unsigned long framesNow() { return framesShown(countFile); }

    // Waits until the program's window is there and its frames run warm (the
    // driver compiles shader variants during the first frames, which on a
    // fresh machine can take longer than the answer being timed).
    Window waitForRenderWindow()
    {
        const Window w = findWindow(display.x(), "Tarnwick", 15.0);
        if (w != 0) {
            waitForPicture(display.x(), w);
            pause(1.0);
        }
        return w;
    }

    // A small screen keeps software-rendered frames short.
    VirtualDisplay display{{"800x600x24"}};
    const std::string countFile = newFrameCountFile();
};

TEST_F(ShellE2E, FullScreenWindowEndsOnAKeyPress)
{
    Process run({binaryPath(), "/s"}, countedEnv());
    const Window w = waitForRenderWindow();
    ASSERT_NE(w, 0u) << run.err();
    XWindowAttributes a{};
    ASSERT_TRUE(windowAttributes(display.x(), w, &a));
    EXPECT_EQ(a.width, 800);
    EXPECT_EQ(a.height, 600);
    const Image shot = waitForPicture(display.x(), DefaultRootWindow(display.x()));
    shot.savePng(artefactPath("shell-fullscreen.png"));
    EXPECT_GT(litFraction(shot), 0.5) << "the screen shows the picture";

    pressKey(display, "a");
    const unsigned long before = framesNow();
    int status = 0;
    ASSERT_TRUE(endsWithinFrames(countFile, before, kAnswerFrames, run, &status))
        << "a key press must end the run at once";
    EXPECT_TRUE(exitedWith(status, 0));
}

TEST_F(ShellE2E, MouseMovesAndWheelTurnsDoNotEndTheRunButAClickDoes)
{
    Process run({binaryPath(), "/s"}, countedEnv());
    ASSERT_NE(waitForRenderWindow(), 0u) << run.err();
    movePointer(display, 100, 100);
    movePointer(display, 900, 500);
    e2e::run({"xdotool", "click", "4"}, {{"DISPLAY", display.name()}});
    e2e::run({"xdotool", "click", "5"}, {{"DISPLAY", display.name()}});
    pause(0.7);
    EXPECT_TRUE(run.running()) << "moving the mouse or turning the wheel must not end the run";

    click(display, 400, 400, 1);
    const unsigned long before = framesNow();
    int status = 0;
    ASSERT_TRUE(endsWithinFrames(countFile, before, kAnswerFrames, run, &status)) << "a click must end the run at once";
    EXPECT_TRUE(exitedWith(status, 0));
}

TEST_F(ShellE2E, OnlyOneSwitchlessRunAtATime)
{
    Process first({binaryPath()}, quietEnv(display));
    ASSERT_NE(waitForRenderWindow(), 0u) << first.err();

    Process second({binaryPath()}, quietEnv(display));
    int status = 0;
    ASSERT_TRUE(second.wait(2.0, &status)) << "a second run must leave at once";
    EXPECT_TRUE(exitedWith(status, 0));
    EXPECT_TRUE(first.running());

    // "/s" runs neither take nor test the name.
    Process screensaver({binaryPath(), "/s"}, quietEnv(display));
    pause(1.0);
    EXPECT_TRUE(screensaver.running());
    screensaver.signal(SIGKILL);
    screensaver.wait(2.0);

    first.signal(SIGKILL);
    ASSERT_TRUE(first.wait(2.0));
    Process third({binaryPath()}, quietEnv(display));
    pause(1.5);
    EXPECT_TRUE(third.running()) << "once the first run has ended the name is free again";
}

TEST_F(ShellE2E, PreviewDrawsInsideTheHostFollowsItsSizeIgnoresInputAndEndsWhenItGoes)
{
    Display* x = display.x();
    const Window host = makeHost(x, 320, 240, "Host preview");
    XWindowAttributes before{};
    ASSERT_TRUE(windowAttributes(x, host, &before));

    Process run({binaryPath(), "/p", std::to_string(host)}, countedEnv());
    std::vector<Window> inside;
    for (int i = 0; i < 100 && inside.empty(); ++i) {
        pause(0.1);
        inside = children(x, host);
    }
    ASSERT_EQ(inside.size(), 1u) << "the program draws through one child of the host\n" << run.err();
    pause(0.5);

    const Image drawn = waitForPicture(x, host);
    drawn.savePng(artefactPath("shell-preview.png"));
    ASSERT_EQ(drawn.width, 320);
    EXPECT_GT(litFraction(drawn), 0.5) << "the host shows the program's picture";

    XResizeWindow(x, host, 400, 300);
    XSync(x, False);
    EXPECT_TRUE(reachesSizeWithinFrames(x, inside[0], 400, 300, countFile, framesNow(), kAnswerFrames, run))
        << "the program's child follows the host's size";

    // Neither the host's name nor its place changed.
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(x, host, &name));
    EXPECT_STREQ(name, "Host preview");
    XFree(name);
    XWindowAttributes after{};
    ASSERT_TRUE(windowAttributes(x, host, &after));
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(after.map_state, IsViewable);

    // A preview is a picture inside a dialog: input there leaves it running.
    click(display, 50 + 200, 60 + 150, 1);
    pressKey(display, "a");
    pressKey(display, "Escape");
    e2e::run({"xdotool", "click", "4"}, {{"DISPLAY", display.name()}});
    pause(0.7);
    ASSERT_TRUE(run.running()) << "input in the preview ended it";

    XDestroyWindow(x, host);
    XSync(x, False);
    const unsigned long goneAt = framesNow();
    int status = 0;
    ASSERT_TRUE(endsWithinFrames(countFile, goneAt, kAnswerFrames, run, &status))
        << "the run must end as soon as the host goes";
    EXPECT_TRUE(exitedWith(status, 0)) << run.err();
}

TEST_F(ShellE2E, PreviewEndsWhenTheHostIsUnmapped)
{
    Display* x = display.x();
    const Window host = makeHost(x, 200, 150, "Host");
    Process run({binaryPath(), "/p", std::to_string(host)}, countedEnv());
    for (int i = 0; i < 100 && children(x, host).empty(); ++i)
        pause(0.1);
    ASSERT_FALSE(children(x, host).empty()) << run.err();
    EXPECT_GT(litFraction(waitForPicture(x, host)), 0.5) << "frames are running";
    XUnmapWindow(x, host);
    XSync(x, False);
    const unsigned long before = framesNow();
    int status = 0;
    ASSERT_TRUE(endsWithinFrames(countFile, before, kAnswerFrames, run, &status)) << "a hidden host ends the preview";
    EXPECT_TRUE(exitedWith(status, 0));
    XWindowAttributes a{};
    EXPECT_TRUE(windowAttributes(x, host, &a)) << "the host itself is never destroyed by us";
}

TEST_F(ShellE2E, PreviewHandlesThatNameNoWindowEndAtOnceWithOneLineAndNoBox)
{
    // A window that has just been destroyed, as when the host closes right
    // after starting its preview.
    Display* x = display.x();
    const Window gone = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(x, gone);
    XSync(x, False);
    auto env = quietEnv(display);
    env["TARNWICK_NO_DIALOGS"] = "";  // a box would show, and wait
    for (const std::string& id : {std::string("0"), std::string("abc"), std::to_string(gone)}) {
        Process run({binaryPath(), "/p", id}, env);
        int status = 0;
        ASSERT_TRUE(run.wait(5.0, &status)) << "for /p " << id;
        EXPECT_TRUE(exitedWith(status, 0)) << "for /p " << id;
        const std::string err = run.err();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << "for /p " << id << ": " << err;
        EXPECT_EQ(err.find("Failed to open window"), std::string::npos) << err;
        EXPECT_EQ(findWindow(x, "Debug", 0.0), 0u) << "for /p " << id;
    }
}

TEST_F(ShellE2E, TheFailureIsShownInADialogThatWaitsForTheUser)
{
    auto env = quietEnv(display);
    env.erase("TARNWICK_NO_DIALOGS");
    env["TARNWICK_NO_DIALOGS"] = "";  // removed from the child's environment
    // A driver that offers no OpenGL 3.0 context.
    env["MESA_GL_VERSION_OVERRIDE"] = "2.1";
    Process run({binaryPath(), "/s"}, env);
    // The windowing library's own error comes first, then the program's.
    ASSERT_NE(findWindow(display.x(), "Error", 10.0), 0u) << "a box captioned Error\n" << run.err();
    pause(0.3);
    EXPECT_TRUE(run.running()) << "the box waits for the user";
    pressKey(display, "Return");
    const Window box = findWindow(display.x(), "Debug", 10.0);
    ASSERT_NE(box, 0u) << "a message box captioned Debug\n" << run.err();
    pause(0.3);
    grabScreen(display).savePng(artefactPath("shell-failed-to-open-window.png"));
    EXPECT_TRUE(run.running()) << "the box waits for the user";
    pressKey(display, "Return");
    int status = 0;
    ASSERT_TRUE(run.wait(5.0, &status));
    EXPECT_TRUE(exitedWith(status, 0));
}

TEST(ShellE2ENoDisplay, NoDisplayGivesOneClearLineAndStatusZero)
{
    for (const char* mode : {"/s", "/p 1234", ""}) {
        std::vector<std::string> argv{binaryPath()};
        if (*mode != '\0')
            argv.push_back(mode);
        Process run(argv, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"TARNWICK_NO_DIALOGS", "1"}});
        int status = 0;
        ASSERT_TRUE(run.wait(10.0, &status));
        EXPECT_TRUE(exitedWith(status, 0));
        const std::string err = run.err();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find("display"), std::string::npos) << err;
    }
}

TEST(ShellE2ETwoScreens, AWindowOfAnotherScreenIsRefused)
{
    VirtualDisplay display({"800x600x24", "640x480x24"});
    ASSERT_TRUE(display.ok());
    Display* x = display.x();
    ASSERT_EQ(ScreenCount(x), 2);
    const Window other = XCreateSimpleWindow(x, RootWindow(x, 1), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(x, other);
    XSync(x, False);
    auto env = quietEnv(display);
    env["DISPLAY"] = display.name() + ".0";
    Process run({binaryPath(), "/p", std::to_string(other)}, env);
    int status = 0;
    ASSERT_TRUE(run.wait(10.0, &status));
    EXPECT_TRUE(exitedWith(status, 0));
    EXPECT_NE(run.err().find("Failed to open window"), std::string::npos) << run.err();
}

} // namespace
