// The program as xsecurelock's saver, named directly in XSECURELOCK_SAVER:
// the locker runs it (with "-root") and names its window in
// XSCREENSAVER_WINDOW; the clock draws there and ends with the locker.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// The chain of windows from window up to the root, as their names.
std::vector<std::string> ancestorNames(Display* x, Window window)
{
    std::vector<std::string> names;
    for (;;) {
        Window root = 0, parent = 0, *list = nullptr;
        unsigned count = 0;
        if (!XQueryTree(x, window, &root, &parent, &list, &count))
            break;
        if (list != nullptr)
            XFree(list);
        if (parent == 0 || parent == root)
            break;
        char* name = nullptr;
        if (XFetchName(x, parent, &name) && name != nullptr) {
            names.push_back(name);
            XFree(name);
        }
        window = parent;
    }
    return names;
}

} // namespace

TEST(XSecureLock, RunsTheProgramItselfInTheSaverWindowUntilTheLockEnds)
{
    VirtualDisplay display{{"800x600x24"}};
    ASSERT_TRUE(display.ok());
    auto env = quietEnv(display);
    env["XSECURELOCK_SAVER"] = binaryPath();
    env["XSECURELOCK_NO_COMPOSITE"] = "1";
    Process locker({"xsecurelock"}, env);

    const Window clock = findWindow(display.x(), "Tarnwick", 30.0);
    ASSERT_NE(clock, 0u) << locker.err();
    // Our window is made first, then moved into the locker's.
    bool inside = false;
    for (int i = 0; i < 100 && !inside; ++i, pause(0.1)) {
        const std::vector<std::string> above = ancestorNames(display.x(), clock);
        inside = std::find(above.begin(), above.end(), "saver_multiplex_screen") != above.end();
    }
    EXPECT_TRUE(inside) << "drawn inside the locker's saver window";
    const Image shot = waitForPicture(display.x(), clock);
    shot.savePng(artefactPath("xsecurelock.png"));
    EXPECT_GT(litFraction(shot), 0.5) << "the clock is drawn\n" << locker.err();
    EXPECT_EQ(shot.width, 800) << "the saver window is the whole screen";

    // Keys go to the locker's password prompt and do not end the saver.
    pressKey(display, "a");
    pause(1.0);
    EXPECT_NE(findWindow(display.x(), "Tarnwick", 0.1), 0u) << "a key does not end the saver";

    locker.signal(SIGTERM);
    EXPECT_TRUE(locker.wait(10.0));
    bool gone = false;
    for (int i = 0; i < 50 && !gone; ++i, pause(0.1))
        gone = findWindow(display.x(), "Tarnwick", 0.0) == 0;
    EXPECT_TRUE(gone) << "the saver ends with the lock";
}
