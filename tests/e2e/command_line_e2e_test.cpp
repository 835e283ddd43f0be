// The program as a command: "--help" and "--version" answer at once, and
// runs started with closed standard descriptors or into a pipe nobody reads
// draw and end as any other run.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

using namespace e2e;

namespace {

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

std::string descriptorTarget(pid_t pid, int fd)
{
    char target[4096];
    const std::string link = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd);
    const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "";
}

} // namespace

TEST(CommandLine, HelpAndVersionAnswerAtOnceWithoutAWindow)
{
    VirtualDisplay display{{"800x600x24"}};
    ASSERT_TRUE(display.ok());
    struct Case {
        std::vector<std::string> args;
        std::string starts;
    };
    const Case cases[] = {
        {{"--help"}, "Usage: tarnwick "},
        {{"-h"}, "Usage: tarnwick "},
        {{"--root", "--help"}, "Usage: tarnwick "},  // how MATE checks a display mode's arguments
        {{"/s", "-help"}, "Usage: tarnwick "},
        {{"--version"}, "tarnwick " TARNWICK_VERSION "\n"},
        {{"/s", "--version"}, "tarnwick " TARNWICK_VERSION "\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{binaryPath()};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto start = std::chrono::steady_clock::now();
        Process run(argv, quietEnv(display));
        int status = -1;
        // A run that opened its window would go on until a key ends it.
        ASSERT_TRUE(run.wait(5.0, &status)) << c.args.back();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 2.0) << c.args.back();
        EXPECT_TRUE(exitedWith(status, 0)) << c.args.back();
        EXPECT_EQ(run.out().rfind(c.starts, 0), 0u) << run.out();
        EXPECT_EQ(run.err(), "");
        EXPECT_EQ(findWindow(display.x(), "Tarnwick", 0.0), 0u);
    }
    const std::string usage = [&] {
        Process run({binaryPath(), "--help"});
        run.wait(5.0);
        return run.out();
    }();
    for (const char* text : {"/s", "/p", "/c", "--root", "--window-id", "--no-tick", "--max-fps", "--version",
                             "/usr/libexec/xscreensaver", "/usr/share/applications/screensavers"})
        EXPECT_NE(usage.find(text), std::string::npos) << text;
}

TEST(CommandLine, ClosedOrBrokenStandardDescriptorsNeitherReachTheXConnectionNorEndTheRun)
{
    struct Case {
        const char* name;
        const char* script;      // run by bash with the program as $0
        std::vector<int> closed;  // descriptors the run was started without
    };
    const Case cases[] = {
        {"standard output closed", "exec \"$0\" /s >&-", {1}},
        {"standard error closed", "exec \"$0\" /s 2>&-", {2}},
        {"all three closed", "exec \"$0\" /s <&- >&- 2>&-", {0, 1, 2}},
        // The reader ends at once; the mesh loader's lines go to a broken pipe.
        {"output into a pipe nobody reads", "set -o pipefail; \"$0\" /s | true", {}},
    };
    for (const Case& c : cases) {
        VirtualDisplay display{{"800x600x24"}};
        ASSERT_TRUE(display.ok());
        Process run({"bash", "-c", c.script, binaryPath()}, quietEnv(display));
        const Window w = findWindow(display.x(), "Tarnwick", 30.0);
        ASSERT_NE(w, 0u) << c.name << ": " << run.err();
        EXPECT_GT(litFraction(waitForPicture(display.x(), w)), 0.5) << c.name;
        // Where a descriptor was closed, /dev/null holds its place: the X
        // connection (a socket) is never standard output or error.
        for (int fd : c.closed)
            EXPECT_EQ(descriptorTarget(run.pid(), fd), "/dev/null") << c.name << ", descriptor " << fd;
        pressKey(display, "a");
        int status = -1;
        ASSERT_TRUE(run.wait(20.0, &status)) << c.name;
        EXPECT_TRUE(exitedWith(status, 0)) << c.name << ": status " << status << "\n" << run.err();
    }
}
