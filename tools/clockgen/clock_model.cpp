#include "clock_model.h"

#include "body_parts.h"
#include "clock_layout.h"
#include "dial_parts.h"
#include "materials.h"
#include "movement_parts.h"
#include "pendulum_parts.h"

using namespace layout;

namespace clockmodel {

namespace {

const MotionGroup kStatic{"static", false, {0, 0, 0}};
const MotionGroup kFace{"clock face", false, {0, 0, 0}};
const MotionGroup kPendulum{"pendulum", true, kPendulumCentre};
const MotionGroup kYoke{"yoke", true, kYokeCentre};
const MotionGroup kEscapeGroup{"gears 25/26", true, {kEscape.x, kEscape.y, 0}};
const MotionGroup kThirdGroup{"gears 35/33", true, {kThirdWheel.x, kThirdWheel.y, 0}};
const MotionGroup kFourthGroup{"gear 35 bottom", true, {kFourthWheel.x, kFourthWheel.y, 0}};
const MotionGroup kCentreGroup{"gear 35 centre", true, {kThirdWheel.x, kThirdWheel.y, 0}};
const MotionGroup kTopGroup{"gear 30 top", true, {kTopWheel.x, kTopWheel.y, 0}};
const MotionGroup kIdlerGroup{"gears 45/46", true, {kIdler.x, kIdler.y, 0}};
const MotionGroup kMinuteGroup{"minute hand", true, {kHands.x, kHands.y, 0}};
const MotionGroup kHourGroup{"hour hand", true, {kHands.x, kHands.y, 0}};

using B = std::function<Part(int, int)>;

RangePlan plan(int first, int last, const MotionGroup& g, const char* label, B build = {}, int aMax = 1, int bMax = 1) {
    return RangePlan{first, last, &g, label, std::move(build), aMax, bMax};
}

B fixed(Part (*f)()) {
    return [f](int, int) { return f(); };
}

}  // namespace

AssembledMesh clockMesh() {
    using namespace movement;
    std::vector<RangePlan> p;
    p.push_back(plan(0, 2279, kStatic, "arbors_and_frame", arborsAndFrame, 30, 12));
    p.push_back(plan(2280, 2651, kYoke, "yoke_shaft", fixed(yokeShaft)));
    p.push_back(plan(2652, 3395, kStatic, "suspension_cock", suspensionCock, 20, 20));
    p.push_back(plan(3396, 6137, kYoke, "escapement_anchor", anchor, 30, 20));
    p.push_back(plan(6138, 8417, kStatic, "hour_markers", dial::numeralsAndTrack, 30, 2));
    p.push_back(plan(8418, 13970, kFace, "clock_face",
                     [](int a, int b) { return dial::chapterRing(a, b, kDialBrass, kDial[0] - 0.02, kDial[1] - 0.06, 1.0); }, 12, 20));
    p.push_back(plan(13971, 14810, kMinuteGroup, "minute_hand", dial::minuteHand, 12, 12));
    p.push_back(plan(14811, 22736, kIdlerGroup, "idler_pinion_and_wheel", idlerPinionAndWheel, 24, 8));
    p.push_back(plan(22737, 23696, kIdlerGroup, "idler_hub", idlerHub, 40, 20));
    p.push_back(plan(23697, 29377, kCentreGroup, "centre_wheel_32", [](int a, int b) { return wheelOnly(centreWheel32(), a, b); }, 20, 8));
    p.push_back(plan(29378, 30452, kCentreGroup, "centre_hubs", centreHubs, 40, 20));
    p.push_back(plan(30453, 32986, kStatic, "motion_bridge", motionBridge, 30, 20));
    p.push_back(plan(32987, 35035, kTopGroup, "top_wheel_22", [](int a, int b) { return wheelOnly(topWheel(), a, b); }, 20, 8));
    p.push_back(plan(35036, 35036, kStatic, "joint"));
    p.push_back(plan(35037, 40388, kCentreGroup, "centre_wheel_22", [](int a, int b) { return wheelOnly(centreWheel22(), a, b); }, 30, 12));
    p.back().pinned = {37089};  // the shaders list this record in two of the group's ranges
    p.push_back(plan(40389, 41258, kHourGroup, "hour_hand", dial::hourHand, 12, 12));
    p.push_back(plan(41259, 43309, kFourthGroup, "fourth_pinion_15",
                     [](int a, int b) { return pinionWithArbor(fourthPinion(), kLayerFourth60[1], kLayerFourth60[1] + 0.01, a, b); }, 20, 12));
    p.push_back(plan(43310, 43310, kStatic, "joint"));
    p.push_back(plan(43311, 45362, kThirdGroup, "third_pinion_15",
                     [](int a, int b) { return pinionWithArbor(thirdPinion(), 0.60, 0.80, a, b); }, 20, 12));
    p.push_back(plan(45363, 55970, kFourthGroup, "fourth_wheel_60", [](int a, int b) { return wheelOnly(fourthWheel(), a, b); }, 16, 6));
    p.push_back(plan(55971, 56018, kStatic, "centre_bushing", [](int, int) { return bushing(kThirdWheel, kBridge[1], kBrass); }));
    p.push_back(plan(56019, 56030, kStatic, "taper_pin", fixed(taperPin)));
    p.push_back(plan(56031, 66626, kCentreGroup, "centre_wheel_60", [](int a, int b) { return wheelOnly(centreWheel(), a, b); }, 16, 6));
    p.push_back(plan(66627, 66674, kStatic, "fourth_bushing", [](int, int) { return bushing(kFourthWheel, kFrontPlate[1], kBrass); }));
    p.push_back(plan(66675, 77282, kThirdGroup, "third_wheel_60", [](int a, int b) { return wheelOnly(thirdWheel(), a, b); }, 16, 6));
    p.push_back(plan(77283, 77330, kStatic, "escape_bushing",
                     [](int, int) { return bushing(kEscape, kBackPlate[0] - 0.1, kBrass); }));
    p.push_back(plan(77331, 79442, kEscapeGroup, "escape_pinion_16",
                     [](int a, int b) { return pinionWithArbor(escapePinion(), kBackPlate[0] - 0.1, kFrontPlate[1] + 0.35, a, b); }, 24, 20));
    p.push_back(plan(79443, 97487, kEscapeGroup, "escape_wheel", [](int a, int b) { return wheelOnly(escapeWheel(), a, b); }, 40, 8));
    p.push_back(plan(97488, 98501, kEscapeGroup, "escape_hub", escapeHub, 40, 20));
    p.push_back(plan(98502, 99749, kStatic, "escape_cock", escapeCock, 30, 20));
    p.push_back(plan(99750, 101081, kYoke, "crutch", crutch, 30, 20));
    p.push_back(plan(101082, 102414, kPendulum, "pendulum_bob", pendulum::bob, 20, 20));
    p.push_back(plan(102415, 118112, kPendulum, "pendulum_rest", pendulum::rest, 24, 24));
    p.push_back(plan(118113, 118484, kPendulum, "pendulum_rod", fixed(pendulum::rod)));
    p.push_back(plan(118485, 120218, kPendulum, "pendulum_head", pendulum::head, 30, 20));
    return assemble(p, kClockRecords, kBrass);
}

AssembledMesh bodyMesh() {
    std::vector<RangePlan> p;
    p.push_back(plan(0, 6143, kStatic, "pillars", body::pillars, 30, 30));
    p.push_back(plan(6144, 11315, kStatic, "back_plate", [](int a, int) { return body::backPlate(400 + a); }, 40, 1));
    p.push_back(plan(11316, 18155, kStatic, "dial_feet", body::dialFeet, 40, 40));
    p.push_back(plan(18156, 24962, kStatic, "chapter_ring",
                     [](int a, int b) { return dial::chapterRing(a, b, kDialBrass, kDial[0], kDial[1], 0.5); }, 12, 20));
    p.push_back(plan(24963, 28946, kStatic, "front_plate", [](int a, int) { return body::frontPlate(300 + a); }, 40, 1));
    return assemble(p, kBodyRecords, kPillarBrass);
}

AssembledMesh secondHandMesh() {
    std::vector<RangePlan> p;
    p.push_back(plan(0, kSecondHandRecords - 1, kStatic, "Second_Hand", dial::secondHand, 20, 20));
    AssembledMesh m = assemble(p, kSecondHandRecords, kSecondHandMat);
    m.labels.assign(m.tris.size(), std::string());
    return m;
}

}  // namespace clockmodel
