// The real program over many frames on the no-op GL driver (every GL call
// accepted, nothing drawn, so frames come as fast as the program makes them):
// its heap must not grow with the frames. And a short run under
// valgrind's memcheck: no invalid memory access in the program's own code.
#include <gtest/gtest.h>

#include "tests/support/frame_count.h"
#include "tests/support/e2e.h"

#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace e2e;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// Frames before memory counts as settled (shader compilation, first uploads,
// driver caches), and the frames of the whole run: about two seconds on the
// no-op driver.
constexpr unsigned long kSettlingFrames = 500;
constexpr unsigned long kFrames = TARNWICK_LONG_RUN_FRAMES;
// Allowed heap growth after settling: the allocator's own fluctuation, far
// below what even 60 bytes lost per frame would add up to over the run.
constexpr long kAllowedGrowthKiB = 512;

std::map<std::string, std::string> noopEnv(const VirtualDisplay& display, const std::string& countFile)
{
    auto env = quietEnv(display);
    env["GALLIUM_NOOP"] = "1";
    env["vblank_mode"] = "0";  // unpaced: no wait for a retrace
    // A display so fast that pacing the frames to it holds none back.
    env["TARNWICK_FRAME_DISPLAY_HZ"] = "1000000";
    // The no-op driver never releases its 1 MiB constant-upload buffers (a few
    // KiB of uniforms per frame go into them), so the process as a whole grows
    // with the frames whatever the program does. With this threshold those
    // blocks get mappings of their own, and the main heap holds every smaller
    // allocation: the program's own, and what it asks the libraries to keep.
    env["MALLOC_MMAP_THRESHOLD_"] = "524288";
    return e2e::withFrameCounter(env, countFile);
}

} // namespace

TEST(LongRun, HeapStaysFlatOverManyFrames)
{
    if (kUnderAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine: memory grows by design";
    VirtualDisplay display;
    ASSERT_TRUE(display.ok());
    const std::string countFile = e2e::newFrameCountFile();
    Process run({binaryPath(), "/s"}, noopEnv(display, countFile));

    struct Sample {
        unsigned long frames;
        long heapKiB;
        long residentKiB;
    };
    std::vector<Sample> samples;
    for (unsigned long target = kSettlingFrames; target <= kFrames; target += (kFrames - kSettlingFrames) / 10) {
        const unsigned long shown = e2e::waitForFrames(countFile, target, run, 120.0);
        ASSERT_GE(shown, target) << "the run stalled or ended\n" << run.err();
        samples.push_back({shown, e2e::heapResidentKiB(run.pid()), e2e::residentKiB(run.pid())});
    }
    std::ostringstream table;
    for (const Sample& s : samples)
        table << s.frames << " frames: heap " << s.heapKiB << " KiB, VmRSS " << s.residentKiB << " KiB\n";
    std::cout << table.str();
    ASSERT_GE(samples.size(), 2u);
    ASSERT_GT(samples.front().heapKiB, 0) << "no heap found in /proc/<pid>/smaps";
    long highest = 0;
    for (const Sample& s : samples)
        highest = std::max(highest, s.heapKiB);
    EXPECT_LE(highest - samples.front().heapKiB, kAllowedGrowthKiB) << "the heap grew with the frames:\n"
                                                                   << table.str();
    EXPECT_LE(samples.back().heapKiB - samples[samples.size() / 2].heapKiB, kAllowedGrowthKiB / 2)
        << "still growing in the second half:\n" << table.str();
    std::remove(countFile.c_str());
}

// Whether the access of one memcheck error block was made by our code: the
// innermost frame of the access stack decides, looking through the string and
// memory helpers (memcpy, strncmp, …) to the function that called them. An
// access deep inside a library, reached from our code far up the stack (the
// dynamic loader's own reads while the GL driver loads), is not ours.
static bool accessIsInOurCode(const std::string& block)
{
    std::istringstream lines(block);
    std::string line;
    bool inStack = false;
    while (std::getline(lines, line)) {
        const bool frame = line.find(" at 0x") != std::string::npos || line.find(" by 0x") != std::string::npos;
        if (!frame) {
            if (inStack)
                break;  // "Address …": the access stack has ended
            continue;
        }
        inStack = true;
        const bool helperFrame = line.find("vgpreload") != std::string::npos ||
                                 line.find("(string/") != std::string::npos ||
                                 line.find("/string/") != std::string::npos;
        if (helperFrame)
            continue;
        return line.find(TARNWICK_SOURCE_DIR "/") != std::string::npos;
    }
    return false;
}

TEST(LongRun, MemcheckFindsNoInvalidAccessInOurCodeOverTheFirstFrames)
{
    if (kUnderAddressSanitizer)
        GTEST_SKIP() << "valgrind cannot run a program built with AddressSanitizer";
    VirtualDisplay display;
    ASSERT_TRUE(display.ok());
    const std::string countFile = e2e::newFrameCountFile();
    const std::string log = artefactPath("memcheck.log");
    Process run({"valgrind", "--tool=memcheck", "--leak-check=no", "--fullpath-after=", "--num-callers=30",
                 "--log-file=" + log, binaryPath(), "/s"},
                noopEnv(display, countFile));
    const unsigned long shown = e2e::waitForFrames(countFile, 5, run, 300.0);
    ASSERT_GE(shown, 5u) << "the run under memcheck did not reach its first frames\n" << run.err();
    pressKey(display, "a");
    int status = 0;
    ASSERT_TRUE(run.wait(120.0, &status)) << "a key press ends the run";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run.err();

    // memcheck's report: one block per error, blocks separated by a bare
    // "==pid== " line. A block counts when it is an invalid access made by
    // our code (see accessIsInOurCode).
    std::ifstream in(log);
    ASSERT_TRUE(in) << "no memcheck log at " << log;
    std::vector<std::string> blocks(1);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t body = line.find("== ");
        if (body != std::string::npos && line.find_first_not_of(' ', body + 3) == std::string::npos)
            blocks.emplace_back();
        else
            blocks.back() += line + "\n";
    }
    std::string ours;
    int invalidAccesses = 0;
    for (const std::string& block : blocks) {
        const bool invalid = block.find("Invalid read") != std::string::npos ||
                             block.find("Invalid write") != std::string::npos ||
                             block.find("Invalid free") != std::string::npos ||
                             block.find("Mismatched free") != std::string::npos;
        if (!invalid)
            continue;
        ++invalidAccesses;
        if (accessIsInOurCode(block))
            ours += block + "\n";
    }
    EXPECT_TRUE(ours.empty()) << "invalid accesses in our code (full log: " << log << "):\n" << ours;
    std::cout << invalidAccesses << " invalid accesses in all, none in our code; log: " << log << "\n";
    std::remove(countFile.c_str());
}
