// The About window of "/c" runs, end to end: the real program inside a private
// virtual display (no window manager), looked at and used as a person would.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace e2e;

namespace {

constexpr const char* kLinkAddress = "https://quillmere.example/?utm_source=About";

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
constexpr Rgb kBackground{177, 232, 179};
constexpr Rgb kNoticeBlue{0, 51, 255};
constexpr Rgb kBlack{0, 0, 0};

Rgb pixel(const Image& image, int x, int y)
{
    const std::uint8_t* p = image.at(x, y);
    return {p[0], p[1], p[2]};
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The window's top-left in root coordinates and its size.
struct Geometry {
    int x = -1, y = -1, width = 0, height = 0;
};

Geometry geometryOf(Display* x, Window window)
{
    Geometry g;
    XWindowAttributes attributes{};
    if (!windowAttributes(x, window, &attributes))
        return g;
    Window child = 0;
    XTranslateCoordinates(x, window, DefaultRootWindow(x), 0, 0, &g.x, &g.y, &child);
    g.width = attributes.width;
    g.height = attributes.height;
    return g;
}

// Reads a 32-bit property as longs (how Xlib hands them out).
std::vector<long> longProperty(Display* x, Window window, const char* name, Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(x, window, XInternAtom(x, name, False), 0, 100000, False, type, &actualType, &format,
                           &count, &remaining, &data) == Success &&
        format == 32 && data != nullptr) {
        const long* longs = reinterpret_cast<const long*>(data);
        values.assign(longs, longs + count);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

// The picture file through ImageMagick, independent of the program's reader.
Image readBmpWithImageMagick(const std::string& bmpPath)
{
    Image image;
    const std::string ppm = artefactPath("about_thumbnail_reference.ppm");
    if (run({"convert", bmpPath, ppm}) != 0)
        return image;
    image = readPpm(ppm);
    std::remove(ppm.c_str());
    return image;
}

class AboutWindowE2E : public ::testing::Test {
protected:
    explicit AboutWindowE2E(std::vector<std::string> screens = {"1920x1080x24"})
        : display(std::move(screens))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(display.ok());
        char dir[] = "/tmp/tarnwick-about-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        stubDir = dir;
        recordPath = stubDir + "/xdg-open.calls";
        // The browser launcher stand-in: one "call N" line per start, then its arguments.
        const std::string stub = stubDir + "/xdg-open";
        std::ofstream(stub) << "#!/bin/sh\n"
                               "{ printf 'call %s\\n' \"$#\"; for a in \"$@\"; do printf 'arg %s\\n' \"$a\"; done; }"
                               " >> \"$ABOUT_TEST_RECORD\"\n";
        chmod(stub.c_str(), 0755);

        std::map<std::string, std::string> env = quietEnv(display);
        env["PATH"] = stubDir + ":" + std::getenv("PATH");
        env["ABOUT_TEST_RECORD"] = recordPath;
        program = std::make_unique<Process>(std::vector<std::string>{binaryPath(), "/c"}, env);
        window = findWindow(display.x(), "About", 15.0);
        ASSERT_NE(window, 0u) << "no window named About; stderr: " << program->err();
    }

    void TearDown() override
    {
        program.reset();
        std::remove(recordPath.c_str());
        std::remove((stubDir + "/xdg-open").c_str());
        rmdir(stubDir.c_str());
    }

    // The window's pixels once it has painted: the background is up and two
    // grabs in a row agree, so the widgets drawn after it are in too.
    Image paintedWindow()
    {
        Image image, previous;
        for (int i = 0; i < 100; ++i) {
            image = grab(display.x(), window);
            if (!image.empty() && pixel(image, 2, 2) == kBackground && pixel(image, image.width - 3, 2) == kBackground &&
                image.rgb == previous.rgb)
                break;
            previous = image;
            pause(0.05);
        }
        return image;
    }

    std::string waitForCalls(int calls)
    {
        std::string text;
        for (int i = 0; i < 100; ++i) {
            text = readText(recordPath);
            int found = 0;
            for (std::size_t at = text.find("call "); at != std::string::npos; at = text.find("call ", at + 1))
                ++found;
            if (found >= calls)
                break;
            pause(0.05);
        }
        return text;
    }

    VirtualDisplay display;
    std::string stubDir;
    std::string recordPath;
    std::unique_ptr<Process> program;
    Window window = 0;
};

class AboutWindowOddScreenE2E : public AboutWindowE2E {
protected:
    AboutWindowOddScreenE2E()
        : AboutWindowE2E({"1365x768x24"})
    {
    }
};

} // namespace

TEST_F(AboutWindowE2E, OpensCentredFixedSizeWithItsClassAndIcon)
{
    const Geometry g = geometryOf(display.x(), window);
    EXPECT_EQ(g.x, 760);
    EXPECT_EQ(g.y, 390);
    EXPECT_EQ(g.width, 400);
    EXPECT_EQ(g.height, 300);

    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(display.x(), window, &hint));
    EXPECT_STREQ(hint.res_class, "QuillmereWindowClass");
    XFree(hint.res_name);
    XFree(hint.res_class);

    // Not resizable: the smallest and largest size are both the window's size.
    XSizeHints sizes{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(display.x(), window, &sizes, &supplied));
    ASSERT_TRUE((sizes.flags & PMinSize) && (sizes.flags & PMaxSize));
    EXPECT_EQ(sizes.min_width, 400);
    EXPECT_EQ(sizes.max_width, 400);
    EXPECT_EQ(sizes.min_height, 300);
    EXPECT_EQ(sizes.max_height, 300);

    // Only moving and closing offered to the window manager (Motif functions).
    // The toolkit writes its own hints as it maps the window and ours replace
    // them right after, so the window can be found between the two.
    const Atom motif = XInternAtom(display.x(), "_MOTIF_WM_HINTS", False);
    constexpr long kMoveAndClose = (1L << 2) | (1L << 5);
    std::vector<long> motifHints;
    for (int i = 0; i < 100; ++i) {
        motifHints = longProperty(display.x(), window, "_MOTIF_WM_HINTS", motif);
        if (motifHints.size() >= 3u && motifHints[1] == kMoveAndClose)
            break;
        pause(0.05);
    }
    ASSERT_GE(motifHints.size(), 3u);
    EXPECT_TRUE(motifHints[0] & 1) << "functions are given";
    EXPECT_EQ(motifHints[1], kMoveAndClose) << "move and close only";

    // The 16 × 16 information icon: white letter in the middle, blue disc around it.
    const std::vector<long> icon = longProperty(display.x(), window, "_NET_WM_ICON", XA_CARDINAL);
    ASSERT_GE(icon.size(), 2u + 256u);
    EXPECT_EQ(icon[0], 16);
    EXPECT_EQ(icon[1], 16);
    const unsigned long stem = static_cast<unsigned long>(icon[2 + 9 * 16 + 7]) & 0xFFFFFFFFul;
    const unsigned long disc = static_cast<unsigned long>(icon[2 + 8 * 16 + 3]) & 0xFFFFFFFFul;
    const unsigned long corner = static_cast<unsigned long>(icon[2]) & 0xFFFFFFFFul;
    EXPECT_EQ(stem, 0xFFFFFFFFul);
    EXPECT_EQ(disc >> 24, 0xFFul) << "opaque disc";
    EXPECT_GT(disc & 0xFF, (disc >> 16) & 0xFF) << "blue disc";
    EXPECT_EQ(corner >> 24, 0ul) << "transparent corner";
}

TEST_F(AboutWindowE2E, ShowsBackgroundTitlePictureNoticeAndButton)
{
    const Image shot = paintedWindow();
    ASSERT_EQ(shot.width, 400);
    ASSERT_EQ(shot.height, 300);
    EXPECT_TRUE(shot.savePng(artefactPath("about_window.png")));

    // Background wherever nothing is drawn.
    for (auto [x, y] : {std::pair{2, 2}, {397, 2}, {2, 297}, {397, 297}, {30, 100}, {370, 100}, {100, 270}})
        EXPECT_EQ(pixel(shot, x, y), kBackground) << "at " << x << "," << y;

    // The picture: bitmap 101 at (142, 55), pixel for pixel, green around it.
    const Image picture = readBmpWithImageMagick(TARNWICK_ABOUT_THUMBNAIL);
    ASSERT_EQ(picture.width, 110);
    ASSERT_EQ(picture.height, 83);
    int different = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            different += !(pixel(shot, 142 + x, 55 + y) == pixel(picture, x, y));
    EXPECT_EQ(different, 0) << "picture pixels that differ";
    for (auto [x, y] : {std::pair{141, 55}, {252, 55}, {142, 54}, {142, 138}, {251, 138}})
        EXPECT_EQ(pixel(shot, x, y), kBackground) << "around the picture at " << x << "," << y;

    // Title: black text from x = 70 in its 280 × 20 box at (70, 20), underlined
    // by one unbroken black run, and nothing blue in it.
    int black = 0, blue = 0, longestRun = 0, runStart = -1, leftmost = 400;
    for (int y = 20; y < 40; ++y) {
        int run = 0;
        for (int x = 70; x < 350; ++x) {
            const Rgb p = pixel(shot, x, y);
            black += p == kBlack;
            blue += p == kNoticeBlue;
            if (!(p == kBackground))
                leftmost = std::min(leftmost, x);
            run = p == kBlack ? run + 1 : 0;
            if (run > longestRun) {
                longestRun = run;
                runStart = x - run + 1;
            }
        }
    }
    EXPECT_GT(black, 40);
    EXPECT_EQ(blue, 0);
    EXPECT_GE(longestRun, 50) << "underline";
    EXPECT_EQ(runStart, 70) << "underline starts with the text";
    EXPECT_LE(leftmost, 72);
    for (int x = 0; x < 400; ++x) {
        for (int y : {19, 40})
            ASSERT_EQ(pixel(shot, x, y), kBackground) << "title spills out of its box at " << x << "," << y;
    }

    // Notice: three blue lines from (20, 150), 16 pixels apart, nothing black.
    blue = 0;
    black = 0;
    int top = 300, bottom = -1;
    leftmost = 400;
    for (int y = 150; y < 210; ++y) {
        for (int x = 20; x < 400; ++x) {
            const Rgb p = pixel(shot, x, y);
            blue += p == kNoticeBlue;
            black += p == kBlack;
            if (!(p == kBackground)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                leftmost = std::min(leftmost, x);
            }
        }
    }
    EXPECT_GT(blue, 60);
    EXPECT_EQ(black, 0);
    EXPECT_GE(top, 150);
    EXPECT_LE(top, 155) << "first line starts at the label's top";
    EXPECT_GE(bottom, 150 + 2 * 16) << "three lines";
    EXPECT_LT(bottom, 150 + 3 * 16) << "no fourth line";
    EXPECT_GE(leftmost, 20);
    EXPECT_LE(leftmost, 22);
    for (int x = 0; x < 400; ++x)
        ASSERT_EQ(pixel(shot, x, 149), kBackground) << "above the notice at " << x;

    // The button covers (150, 210) to (249, 241) and is not the background.
    int buttonPixels = 0;
    for (int y = 210; y < 242; ++y)
        for (int x = 150; x < 250; ++x)
            buttonPixels += !(pixel(shot, x, y) == kBackground);
    EXPECT_GT(buttonPixels, 100 * 32 * 9 / 10);
    for (auto [x, y] : {std::pair{149, 225}, {250, 225}, {200, 242}})
        EXPECT_EQ(pixel(shot, x, y), kBackground) << "beside the button at " << x << "," << y;
}

TEST_F(AboutWindowE2E, VisitWebsiteHandsOneAddressToTheLauncherPerClickAndStaysOpen)
{
    paintedWindow();
    click(display, 760 + 200, 390 + 226);
    const std::string first = waitForCalls(1);
    EXPECT_EQ(first, std::string("call 1\narg ") + kLinkAddress + "\n");

    pause(0.3);
    EXPECT_TRUE(program->running());
    EXPECT_NE(findWindow(display.x(), "About", 0.1), 0u);

    click(display, 760 + 200, 390 + 226);
    const std::string both = waitForCalls(2);
    EXPECT_EQ(both, first + first);

    // Neither Escape nor a click beside the button does anything.
    pressKey(display, "Escape");
    click(display, 760 + 60, 390 + 260);
    pause(0.5);
    EXPECT_TRUE(program->running());
    EXPECT_EQ(readText(recordPath), both);
}

TEST_F(AboutWindowE2E, ClosingTheWindowEndsTheProcessWithStatusZero)
{
    paintedWindow();
    requestClose(display.x(), window);
    int status = -1;
    ASSERT_TRUE(program->wait(10.0, &status)) << "still running after the close request";
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(AboutWindowE2E, FollowsTheWindowManagersFrameToKeepTheOuterRectangle)
{
    paintedWindow();
    // Act as a window manager that framed the window: 5-pixel sides and
    // bottom, a 25-pixel title bar.
    long extents[4] = {5, 5, 25, 5};
    XChangeProperty(display.x(), window, XInternAtom(display.x(), "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(extents), 4);
    XFlush(display.x());
    Geometry g;
    for (int i = 0; i < 100; ++i) {
        g = geometryOf(display.x(), window);
        if (g.width == 390)
            break;
        pause(0.05);
    }
    EXPECT_EQ(g.x, 765);
    EXPECT_EQ(g.y, 415);
    EXPECT_EQ(g.width, 390);
    EXPECT_EQ(g.height, 270);
}

TEST_F(AboutWindowE2E, ALostDisplayEndsTheProcessWithStatusZero)
{
    paintedWindow();
    // Our own connection dies with the server too: it must not end the test.
    XSetIOErrorHandler([](Display*) { return 0; });
    XSetIOErrorExitHandler(display.x(), [](Display*, void*) {}, nullptr);
    display.kill();
    int status = -1;
    ASSERT_TRUE(program->wait(10.0, &status));
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(AboutWindowOddScreenE2E, OddScreenWidthTruncatesTheCentre)
{
    const Geometry g = geometryOf(display.x(), window);
    EXPECT_EQ(g.x, 482);  // (1365 - 400) / 2 = 482.5
    EXPECT_EQ(g.y, 234);
}

TEST(AboutWindowNoDisplay, ReportsOnStandardErrorAndExitsWithStatusZero)
{
    for (const char* name : {"", ":987"}) {
        Process program({binaryPath(), "/c"}, {{"DISPLAY", name}, {"TARNWICK_NO_DIALOGS", "1"}});
        int status = -1;
        ASSERT_TRUE(program.wait(20.0, &status)) << "DISPLAY=" << name;
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        const std::string err = program.err();
        EXPECT_NE(err.find("Error!: Window Registration Failed!"), std::string::npos) << err;
        EXPECT_NE(err.find("Error!: Window Creation Failed!"), std::string::npos) << err;
    }
}
