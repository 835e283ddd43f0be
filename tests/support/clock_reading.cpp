// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "tests/support/clock_reading.h"

#include "scene/frame_layout.h"
#include "scene/transform_stack.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979;

// Hands are red brass: full red over the brass texture's green and blue.
// The dial ring (about 255, 218, 121) and the gears are yellower.
bool handColoured(const std::uint8_t* p)
{
    return p[0] > 220 && p[1] < 185 && p[0] - p[1] > 60 && p[2] < 140;
}

struct Point {
    double x, y;  // screen pixels, y down
};

// Where model point p of the clock lands on the 1920 × 1080 screen, main view.
Point projectModel(double x, double y, double z)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    storeViewpoints(camera);
    camera.setCurrentSlot(0);
    const Mat4 m = sceneProjection(1920.0f / 1080.0f) * camera.currentView() * clockModelMatrix();
    const Vec4 c = m * Vec4(float(x), float(y), float(z), 1.0f);
    return {(c[0] / c[3] + 1.0) * 0.5 * 1920.0, (1.0 - c[1] / c[3]) * 0.5 * 1080.0};
}

class Dial {
public:
    Dial(const e2e::Image& image, Point centre) : m_image(image), m_centre(centre) {}

    // Hand-coloured pixels along the ray at clock angle degrees (0 = 12,
    // clockwise), radii r1..r2 pixels, in a band 5 pixels wide.
    int score(double degrees, int r1, int r2) const
    {
        const double a = degrees * kPi / 180.0;
        const double dx = std::sin(a), dy = -std::cos(a);
        int n = 0;
        for (int r = r1; r <= r2; ++r)
            for (int o = -2; o <= 2; ++o) {
                const int x = int(std::lround(m_centre.x + r * dx - o * dy));
                const int y = int(std::lround(m_centre.y + r * dy + o * dx));
                if (x >= 0 && y >= 0 && x < m_image.width && y < m_image.height && handColoured(m_image.at(x, y)))
                    ++n;
            }
        return n;
    }

    // The angle (whole degrees) with the best score, skipping angles for which
    // skip is true.
    int best(int r1, int r2, const std::function<bool(int)>& skip, int* bestScore = nullptr) const
    {
        int bestAngle = -1, top = -1;
        for (int d = 0; d < 360; ++d) {
            if (skip(d))
                continue;
            const int s = score(d, r1, r2);
            if (s > top) {
                top = s;
                bestAngle = d;
            }
        }
        if (bestScore)
            *bestScore = top;
        return bestAngle;
    }

private:
    const e2e::Image& m_image;
    Point m_centre;
};

} // namespace

double angularDistance(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

ClockHands readClockHands(const e2e::Image& shot)
{
    ClockHands hands;
    if (shot.width != 1920 || shot.height != 1080)
        return hands;
    // The hands turn about model (2, 0, z); their depth in front of the dial
    // belongs to the model, so look for the hub along the line of possible
    // depths.
    Point centre{0, 0};
    int bestTotal = -1;
    for (double z = 0.0; z <= 16.0; z += 0.5) {
        const Point p = projectModel(2.0, 0.0, z);
        for (int ox = -1; ox <= 1; ++ox)
            for (int oy = -1; oy <= 1; ++oy) {
                const Point candidate{std::round(p.x) + ox, std::round(p.y) + oy};
                // Both broad hands' lines run through the hub, and only there.
                const Dial dial(shot, candidate);
                int longest = 0, other = 0;
                const int a = dial.best(15, 130, [](int) { return false; }, &longest);
                dial.best(15, 70, [&](int d) { return angularDistance(d, a) < 30; }, &other);
                const int total = longest + other;
                if (total > bestTotal) {
                    bestTotal = total;
                    centre = candidate;
                }
            }
    }
    const Dial dial(shot, centre);
    auto none = [](int) { return false; };

    // Minute hand: the broad long hand.
    hands.minute = dial.best(100, 130, none);
    // Hour hand: the broad short hand, away from the minute hand.
    hands.hour = dial.best(40, 70, [&](int d) { return angularDistance(d, hands.minute) < 25; });
    // Second hand: the thin long hand, away from the minute hand.
    hands.second =
        dial.best(100, 135, [&](int d) { return angularDistance(d, hands.minute) < 15; }, &hands.secondScore);
    hands.hubX = centre.x;
    hands.hubY = centre.y;
    hands.fourOClockScore = dial.score(120, 60, 130);
    return hands;
}

void expectClockAtTenTenThirty(const e2e::Image& shot, double secondsSinceStart)
{
    ASSERT_EQ(shot.width, 1920);
    ASSERT_EQ(shot.height, 1080);
    const ClockHands hands = readClockHands(shot);
    const int hour = hands.hour, minute = hands.minute, second = hands.second;
    const int secondScore = hands.secondScore;
    const Point centre{hands.hubX, hands.hubY};

    // At most secondsSinceStart have passed on the faked clock since 10:10:30.
    const double late = secondsSinceStart;
    ::testing::Test::RecordProperty("hub", std::to_string(centre.x) + "," + std::to_string(centre.y));
    ::testing::Test::RecordProperty("angles", std::to_string(hour) + " " + std::to_string(minute) + " " + std::to_string(second));
    SCOPED_TRACE("hub (" + std::to_string(centre.x) + ", " + std::to_string(centre.y) + "), hour " +
                 std::to_string(hour) + "°, minute " + std::to_string(minute) + "°, second " +
                 std::to_string(second) + "°, " + std::to_string(late) + " s after start");
    EXPECT_NEAR(hour, 305.0, 8.0) << "the hour hand points a sixth of the way from 10 to 11";
    EXPECT_GE(minute, 63 - 5);
    EXPECT_LE(minute, 63 + 0.1 * late + 5);
    EXPECT_GT(secondScore, 20);
    EXPECT_GE(second, 180 - 5);
    EXPECT_LE(second, 180 + 6.0 * late + 5);

    // No hand anywhere near 4 o'clock (120°) beyond the short tails.
    EXPECT_LT(hands.fourOClockScore, 15);

    expectInsetFrameLines(shot);
}

void expectInsetFrameLines(const e2e::Image& frame)
{
    ASSERT_FALSE(frame.empty());
    // The inner sides of the two lower thirds, from a little below the
    // insets' top edge to the bottom of the frame. The lines fall on the
    // thirds as the backdrop's shader rounds them: a pixel either way.
    const auto brightestNear = [&](int x, int y) {
        int red = 0;
        for (int dx = -1; dx <= 1; ++dx)
            red = std::max<int>(red, frame.at(std::clamp(x + dx, 0, frame.width - 1), y)[0]);
        return red;
    };
    const int step = std::max(1, frame.height / 54);
    for (int y = 2 * frame.height / 3 + step; y < frame.height; y += step) {
        EXPECT_GT(brightestNear(frame.width / 3, y), 150) << "left inset's frame line at y " << y;
        EXPECT_GT(brightestNear(2 * frame.width / 3 - 1, y), 150) << "right inset's frame line at y " << y;
    }
}

namespace {

// The share of pixels along a line of the frame that are drawn (not black);
// the perforated backdrop leaves about half of them dark.
double drawnShare(const e2e::Image& frame, int x0, int y0, int dx, int dy, int count)
{
    int lit = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* p = frame.at(x0 + i * dx, y0 + i * dy);
        lit += p[0] + p[1] + p[2] > 20 ? 1 : 0;
    }
    return static_cast<double>(lit) / count;
}

} // namespace

void expectClockPicture(const e2e::Image& frame)
{
    ASSERT_FALSE(frame.empty());
    const int w = frame.width;
    const int h = frame.height;
    EXPECT_GT(drawnShare(frame, 0, 0, 1, 0, w), 0.3) << "top edge";
    EXPECT_GT(drawnShare(frame, 0, h - 1, 1, 0, w), 0.3) << "bottom edge";
    EXPECT_GT(drawnShare(frame, 0, 0, 0, 1, h), 0.3) << "left edge";
    EXPECT_GT(drawnShare(frame, w - 1, 0, 0, 1, h), 0.3) << "right edge";
    const std::uint8_t* middle = frame.at(w / 2, h / 3);
    EXPECT_GT(middle[0], middle[2] + 30) << "no brass clock in the middle";
}

ClockHands waitForHands(const e2e::VirtualDisplay& display, e2e::Image* shot, double seconds)
{
    ClockHands hands;
    for (double waited = 0; waited < seconds; waited += 0.25, e2e::pause(0.25)) {
        *shot = e2e::grabScreen(display);
        hands = readClockHands(*shot);
        if (hands.secondScore > 20)
            break;
    }
    return hands;
}

void expectHandsAtTheTimeNow(const ClockHands& hands, double drawnWithin)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const double seconds = local.tm_sec;
    const double minutes = local.tm_min + seconds / 60.0;
    const double hours = local.tm_hour % 12 + minutes / 60.0;
    SCOPED_TRACE("hour " + std::to_string(hands.hour) + "°, minute " + std::to_string(hands.minute) + "°, second " +
                 std::to_string(hands.second) + "° at " + std::to_string(local.tm_hour) + ":" +
                 std::to_string(local.tm_min) + ":" + std::to_string(local.tm_sec));
    // The reader tells the short hand from the long one only where they
    // part by more than the band it keeps clear of the minute hand; where
    // they overlap, the minute hand's reading stands for both.
    if (angularDistance(hours * 30.0, minutes * 6.0) > 30.0) {
        EXPECT_LT(angularDistance(hands.hour, hours * 30.0), 8.0);
    }
    EXPECT_LT(angularDistance(hands.minute, minutes * 6.0), 5.0);
    // The screenshot shows the last frame drawn, and a software-rendered
    // frame of this size can take a few seconds on a loaded machine: the
    // second hand may be that much behind, never ahead.
    const double behind = std::remainder(seconds * 6.0 - hands.second, 360.0);
    EXPECT_GE(behind, -6.0);
    EXPECT_LE(behind, 6.0 * drawnWithin);
}


void expectWholePictureAt(const e2e::Image& shot, int x, int y, int width, int height)
{
    SCOPED_TRACE("the part at " + std::to_string(x) + "," + std::to_string(y) + " of " + std::to_string(width) +
                 "x" + std::to_string(height));
    const e2e::Image part = shot.crop(x, y, width, height);
    ASSERT_EQ(part.width, width);
    ASSERT_EQ(part.height, height);
    expectClockPicture(part);
    expectInsetFrameLines(part);
}

bool checkPasses(const std::function<void()>& check)
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter quiet(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        check();
    }
    return results.size() == 0;
}
