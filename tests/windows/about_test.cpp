// "/c" of the Windows program under Wine: the About window, 400 x 300 and
// centred, its picture, colours and texts' places, the button that hands the
// website to the system's browser (a stand-in here), and the close request
// that ends the run.
// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>

#include "render/bmp_reader.h"
#include "tests/windows/wine_run.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

int countPixels(const e2e::Image& image, int x0, int y0, int x1, int y1, bool (*match)(const std::uint8_t*))
{
    int n = 0;
    for (int y = y0; y < y1 && y < image.height; ++y)
        for (int x = x0; x < x1 && x < image.width; ++x)
            n += match(image.at(x, y)) ? 1 : 0;
    return n;
}

bool isBackground(const std::uint8_t* p) { return p[0] == 177 && p[1] == 232 && p[2] == 179; }
bool isNoticeBlue(const std::uint8_t* p) { return p[2] > 200 && p[0] < 120 && p[1] < 160; }
bool isTitleBlack(const std::uint8_t* p) { return p[0] < 60 && p[1] < 60 && p[2] < 60; }

} // namespace

TEST(WindowsAbout, ShowsTheWindowOpensTheWebsiteAndEndsWhenClosed)
{
    e2e::VirtualDisplay display({std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    // The browser stand-in: Wine's browser launcher runs xdg-open.
    const std::string folder = wine::freshFolder("windows_about");
    const std::string opened = folder + "/opened.txt";
    ASSERT_EQ(e2e::run({"sh", "-c",
                        "mkdir -p \"$0/bin\" && printf '#!/bin/sh\\necho \"$@\" >> \"%s\"\\n' \"$1\" > \"$0/bin/xdg-open\" && "
                        "chmod +x \"$0/bin/xdg-open\"",
                        folder, opened}),
              0);
    auto env = wine::environment(display);
    env["PATH"] = folder + "/bin:" + std::getenv("PATH");
    e2e::Process about(wine::command({wine::scrPath(), "/c"}), env);

    const Window window = e2e::findWindow(display.x(), "About", 60.0);
    ASSERT_NE(window, 0u) << about.err();
    e2e::pause(2.0);
    // Wine's X window is the client area; the frame it draws around it is
    // as wide on the left, right and bottom.
    XWindowAttributes client{};
    ASSERT_TRUE(e2e::windowAttributes(display.x(), window, &client));
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(display.x(), window, DefaultRootWindow(display.x()), 0, 0, &x, &y, &child);
    const int outerLeft = (kScreenWidth - 400) / 2;  // 312: centred
    const int outerTop = (kScreenHeight - 300) / 2;  // 234
    const int border = x - outerLeft;
    EXPECT_GT(border, 0);
    EXPECT_EQ(client.width + 2 * border, 400);
    EXPECT_EQ((y - outerTop) + client.height + border, 300);

    const e2e::Image shot = e2e::grab(display.x(), window);
    ASSERT_FALSE(shot.empty());
    EXPECT_TRUE(shot.savePng(e2e::artefactPath("windows_about.png")));
    EXPECT_TRUE(isBackground(shot.at(5, 5)));
    EXPECT_TRUE(isBackground(shot.at(client.width - 5, client.height - 5)));
    // The title at (70, 20) 280 x 20, black; the notice at (20, 150), blue
    // (above the button, whose label is black).
    EXPECT_GT(countPixels(shot, 70, 20, 350, 40, isTitleBlack), 60);
    EXPECT_EQ(countPixels(shot, 70, 20, 350, 40, isNoticeBlue), 0);
    EXPECT_GT(countPixels(shot, 20, 150, 400, 208, isNoticeBlue), 300);
    EXPECT_EQ(countPixels(shot, 20, 150, 400, 208, isTitleBlack), 0);
    // The button at (150, 210) 100 x 32 covers the background.
    EXPECT_EQ(countPixels(shot, 155, 215, 245, 237, isBackground), 0);

    // The picture at (142, 55), pixel for pixel bitmap 101.
    std::ifstream file(TARNWICK_ABOUT_BITMAP, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    Bmp24 picture;
    ASSERT_TRUE(parseBmp24(bytes.data(), bytes.size(), picture));
    int different = 0;
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const std::uint32_t c = picture.colorRef(px, py);
            const std::uint8_t* p = shot.at(142 + px, 55 + py);
            different += (p[0] != (c & 0xFF) || p[1] != ((c >> 8) & 0xFF) || p[2] != ((c >> 16) & 0xFF)) ? 1 : 0;
        }
    EXPECT_EQ(different, 0) << "of " << picture.width * picture.height << " picture pixels";

    // The button: the website, once per click, and the window stays.
    e2e::click(display, x + 200, y + 226);
    std::string text;
    for (int i = 0; i < 60 && text.empty(); ++i) {
        e2e::pause(0.25);
        std::ifstream in(opened);
        std::getline(in, text);
    }
    EXPECT_EQ(text, "https://quillmere.example/?utm_source=About");
    EXPECT_TRUE(about.running());

    e2e::requestClose(display.x(), window);
    int status = -1;
    ASSERT_TRUE(about.wait(15.0, &status)) << "closing did not end the run";
    EXPECT_EQ(wine::exitCode(status), 0);
}
