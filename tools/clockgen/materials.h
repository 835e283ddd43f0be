// The materials of the generated models. Colours are ambient (Ka) and diffuse
// (Kd); every material has no specular colour and exponent 10.
#pragma once

#include <string>

enum Mat {
    kBrass,        // plates, frame, numerals' ring: warm polished brass
    kWheelBrass,   // wheels: a slightly deeper brass so they stand off the frame
    kSteel,        // arbors, pinions, pins
    kBluedSteel,   // screws and the hands' look before texturing
    kBlack,        // engraved numerals and minute track
    kGlassBrass,   // translucent plates of the body
    kDialBrass,    // the chapter ring
    kPillarBrass,  // turned pillars and feet of the body
    kSecondHandMat,  // the second hand's own material
    kMatCount
};

struct MaterialDef {
    const char* name;
    double ka[3];
    double kd[3];
    double ni;
    double d;
    int illum;
};

const MaterialDef& materialDef(int m);
