// The four drawables of the scene. Each only chooses the vertex attributes
// its program reads and the uniforms it sets besides the matrices.
#pragma once

#include "scene/drawable_object.h"

// Clock movement, dial, hour and minute hands, pendulum ("BigClockProgram").
class GLFWDrawableClock : public GLFWDrawableObject {
public:
    using GLFWDrawableObject::GLFWDrawableObject;
    void declareAttributes() override;
    // "light_pos", "iTime", "iMinute", "iHour".
    void setUniforms() override;
    void beforeDraw() override;
};

// Clock body ("ClockBodyProgram").
class GLFWDrawableMesh : public GLFWDrawableObject {
public:
    using GLFWDrawableObject::GLFWDrawableObject;
    void declareAttributes() override;
    // "light_pos".
    void setUniforms() override;
    void beforeDraw() override;
};

// Second hand ("SecondHandProgram").
class GLFWDrawableClockSecondHand : public GLFWDrawableObject {
public:
    using GLFWDrawableObject::GLFWDrawableObject;
    void declareAttributes() override;
    // "light_pos", "iSecond".
    void setUniforms() override;
    void beforeDraw() override;
};

// Background rectangle ("BackgroundProgram").
class GLFWDrawableSky : public GLFWDrawableObject {
public:
    using GLFWDrawableObject::GLFWDrawableObject;
    // "position", "position_tex", "position_normal" only.
    void declareAttributes() override;
    // "iTime", "viewportWidth", "viewportHeight" (the whole window's size).
    void setUniforms() override;
    void beforeDraw() override;
};
