// The clock programs on synthetic meshes whose triangles sit at the vertex
// numbers of the parts they stand for: hands, pendulum, yoke, clock face.
#include "platform/resources.h"
#include "scene/drawables.h"
#include "tests/scene/scene_gl_fixture.h"

#include <cmath>
#include <string>

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kClockRecords = 120219;

const Vec3 kHandsCentre(2.0f, 0.0f, 0.0f);
const Vec3 kPendulumCentre(-19.8062f, 0.04179f, -1.290f);
const Vec3 kYokeCentre(-14.83f, 0.0f, 6.45f);

bool redBrass(const std::uint8_t* p) { return p[0] > 200 && p[1] > 96 && p[1] < 160; }
bool anything(const std::uint8_t* p) { return p[0] || p[1] || p[2] || p[3]; }

class ClockShaderGl : public SceneGl {
protected:
    // Draws the published mesh with the clock drawable and reads the result.
    std::vector<std::uint8_t> drawClock(int indexCount)
    {
        GLFWDrawableClock clock(state.get(), camera.get(), registry.get(), kBigClock, kVertexResource,
                                kClockRecords, kIndexResource, indexCount);
        clock.prepare();
        clock.setModelMatrix(translate(0.0f, 0.0f, 0.0f));
        context.clear();
        clock.draw();
        return context.readPixels();
    }

    // Expected window centroid of the marker placed at p after a turn.
    Vec2 expectedMarker(const Vec3& p, const Vec3& centre, float angle)
    {
        SyntheticMesh corners(3);
        corners.addMarker(0, p);
        float x = 0, y = 0;
        for (const VertexRecord& r : corners.records) {
            const Vec2 w =
                project(turnedAbout(Vec3(r.position[0], r.position[1], r.position[2]), centre, angle));
            x += w[0] / 3.0f;
            y += w[1] / 3.0f;
        }
        return Vec2(x, y);
    }

    // The marker of part first..., drawn at iMinute/iHour/iTime from the clock,
    // found where the turn puts it, within 0.75 pixel.
    Vec2 markerAt(int first, const Vec3& p, bool (*pass)(const std::uint8_t*))
    {
        SyntheticMesh mesh(kClockRecords);
        mesh.addMarker(first, p);
        publish(mesh);
        const std::vector<std::uint8_t> pixels = drawClock(3);
        int count = 0;
        const Vec2 c = centroid(pixels, pass, &count);
        EXPECT_GT(count, 20) << "marker at vertex " << first << " not drawn";
        return c;
    }
};

void expectAt(const Vec2& actual, const Vec2& expected, const std::string& what)
{
    EXPECT_NEAR(actual[0], expected[0], 0.75f) << what;
    EXPECT_NEAR(actual[1], expected[1], 0.75f) << what;
}

} // namespace

TEST_F(ClockShaderGl, MinuteHandTurnsByItsZeroAngleThenClockwise)
{
    const Vec3 tip(2.0f, 20.0f, 0.0f);  // straight up from the centre
    setClock(10, 0, 0, 0.0f);
    const Vec2 atZero = markerAt(13971, tip, redBrass);
    expectAt(atZero, expectedMarker(tip, kHandsCentre, -0.16f), "iMinute 0");
    // −0.16 rad is anticlockwise: the tip leans left of the centre.
    EXPECT_LT(atZero[0], project(kHandsCentre)[0] - 10.0f);

    setClock(10, 15, 0, 0.0f);
    const Vec2 atFifteen = markerAt(14810 - 2, tip, redBrass);
    expectAt(atFifteen, expectedMarker(tip, kHandsCentre, -0.16f + kPi / 2.0f), "iMinute 15");
    // A quarter turn clockwise from (nearly) up is (nearly) right.
    EXPECT_GT(atFifteen[0], project(kHandsCentre)[0] + 90.0f);

    // An hour of elapsed time later: iMinute 75, the same place.
    setClock(10, 15, 0, 3600.0f);
    expectAt(markerAt(14000, tip, redBrass), atFifteen, "iMinute 75");
}

TEST_F(ClockShaderGl, HourHandTurnsByItsZeroAngleOnceInTwelveHours)
{
    const Vec3 tip(2.0f, 15.0f, 0.0f);
    setClock(0, 0, 0, 0.0f);
    expectAt(markerAt(40389, tip, redBrass), expectedMarker(tip, kHandsCentre, 2.695f), "iHour 0");
    setClock(3, 0, 0, 0.0f);
    const Vec2 three = markerAt(41258 - 2, tip, redBrass);
    expectAt(three, expectedMarker(tip, kHandsCentre, 2.695f + kPi / 2.0f), "iHour 3");
    setClock(15, 0, 0, 0.0f);
    expectAt(markerAt(40389, tip, redBrass), three, "iHour 15");
}

TEST_F(ClockShaderGl, PendulumSwingsToItsExtremeAtHalfASecondAndBackAtOne)
{
    const Vec3 bob(-19.8062f + 35.0f, 0.04179f, 0.0f);
    auto grey = [](const std::uint8_t* p) { return p[1] > 100 && p[1] < 156 && p[0] < 156; };
    setClock(10, 0, 0, 0.5f);
    const Vec2 extreme = markerAt(101082, bob, grey);
    expectAt(extreme, expectedMarker(bob, kPendulumCentre, -0.075f), "iTime 0.5");
    setClock(10, 0, 0, 1.0f);
    const Vec2 rest = markerAt(101082, bob, grey);
    expectAt(rest, expectedMarker(bob, kPendulumCentre, 0.0f), "iTime 1.0");
    // 0.075 rad at 35 units is about 14 pixels here.
    EXPECT_GT(std::fabs(extreme[1] - rest[1]), 10.0f);
}

TEST_F(ClockShaderGl, YokeSwingsWithThePendulum)
{
    const Vec3 pallet(-14.83f, -25.0f, 0.0f);
    auto light = [](const std::uint8_t* p) { return p[1] > 170 && p[1] < 215; };  // 0.75 grey
    setClock(10, 0, 0, 0.5f);
    expectAt(markerAt(3396, pallet, light), expectedMarker(pallet, kYokeCentre, -0.12f), "iTime 0.5");
    setClock(10, 0, 0, 1.0f);
    expectAt(markerAt(3396, pallet, light), expectedMarker(pallet, kYokeCentre, 0.0f), "iTime 1.0");
}

TEST_F(ClockShaderGl, ClockFaceVerticesProduceNoFragments)
{
    setClock(10, 0, 0, 0.0f);
    const Vec3 a(-30, -30, 0), b(30, -30, 0), c(0, 30, 0);
    for (int first : {8418, 11000, 13968}) {
        SyntheticMesh face(kClockRecords);
        face.addTriangle(first, a, b, c);
        publish(face);
        const std::vector<std::uint8_t> pixels = drawClock(3);
        int count = 0;
        centroid(pixels, anything, &count);
        EXPECT_EQ(count, 0) << "clock face at vertex " << first;
    }
    // The same triangle just outside the face's range is drawn.
    for (int first : {8415, 13971}) {
        SyntheticMesh other(kClockRecords);
        other.addTriangle(first, a, b, c);
        publish(other);
        const std::vector<std::uint8_t> pixels = drawClock(3);
        int count = 0;
        centroid(pixels, anything, &count);
        EXPECT_GT(count, 10000) << "triangle at vertex " << first;
    }
}

TEST_F(ClockShaderGl, SecondHandTurnsOnceAMinuteFromItsZeroAngle)
{
    // The OBJ form scales positions by 0.1: a marker 20 units up from (2, 0).
    const std::string obj =
        "mtllib hand.mtl\n"
        "v 20.0 212.0 0.0\nv 30.0 194.0 0.0\nv 10.0 194.0 0.0\n"
        "vt 0.5 0.5 0.0\nvn 0.0 0.0 1.0\n"
        "g Second_Hand\nusemtl Brass\nf 1/1/1 2/1/1 3/1/1\n";
    const std::string mtl = "newmtl Brass\nNs 10.0\nKa 0.3 0.3 0.3\nKd 0.3 0.3 0.3\nKs 0.0 0.0 0.0\n";
    overrideResource(9310, kTextFileType, obj.data(), obj.size());
    overrideResource(9311, kTextFileType, mtl.data(), mtl.size());
    GLFWDrawableClockSecondHand hand(state.get(), camera.get(), registry.get(), kSecondHand, 9310, 9311, 0.1f);
    hand.prepare();
    hand.setModelMatrix(translate(0.0f, 0.0f, 0.0f));
    const Vec3 tip(2.0f, 20.0f, 0.0f);
    for (int second : {0, 15, 45}) {
        setClock(10, 0, second, 0.0f);
        context.clear();
        hand.draw();
        int count = 0;
        const Vec2 c = centroid(context.readPixels(), redBrass, &count);
        EXPECT_GT(count, 20);
        expectAt(c, expectedMarker(tip, kHandsCentre, -0.097f + 2.0f * kPi / 60.0f * second),
                 "iSecond " + std::to_string(second));
    }
}

TEST_F(ClockShaderGl, BodyIsTranslucentExceptDialPinsAndSpacers)
{
    const Vec3 a(-30, -30, 0), b(30, -30, 0), c(0, 30, 0);
    for (auto [first, opaque] : {std::pair{6144, false}, {24963, false}, {18156, true}, {0, true}, {11316, true}}) {
        SyntheticMesh body(28947);
        body.addTriangle(first, a, b, c);
        publish(body);
        GLFWDrawableMesh mesh(state.get(), camera.get(), registry.get(), kClockBody, kVertexResource, 28947,
                              kIndexResource, 3);
        mesh.prepare();
        mesh.setModelMatrix(translate(0.0f, 0.0f, 0.0f));
        context.clear();
        mesh.draw();
        const std::vector<std::uint8_t> pixels = context.readPixels();
        // Blended over cleared alpha 0: the stored alpha is src.a².
        const std::uint8_t* centre = pixelAt(pixels, kSize, kSize / 2, kSize / 2);
        if (opaque) {
            EXPECT_EQ(centre[3], 255) << first;
        } else {
            EXPECT_NEAR(centre[3], 0.16 * 255, 2) << first;
        }
    }
}
