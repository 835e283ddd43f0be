#include "scene/drawables.h"

#include "scene/clock_uniforms.h"
#include "scene/scene_state.h"

void GLFWDrawableClock::declareAttributes() { declareVertexRecordAttributes(); }
void GLFWDrawableMesh::declareAttributes() { declareVertexRecordAttributes(); }
void GLFWDrawableClockSecondHand::declareAttributes() { declareVertexRecordAttributes(); }
void GLFWDrawableSky::declareAttributes() { declarePositionTextureNormal(); }

void GLFWDrawableClock::beforeDraw() {}
void GLFWDrawableMesh::beforeDraw() {}
void GLFWDrawableClockSecondHand::beforeDraw() {}
void GLFWDrawableSky::beforeDraw() {}

void GLFWDrawableClock::setUniforms()
{
    const Vec3 light = m_sceneState->lightPosition();
    glUniform3fv(uniformLocation("light_pos"), 1, light.data());
    glUniform1f(uniformLocation("iTime"), timeUniform(*m_sceneState));
    glUniform1f(uniformLocation("iMinute"), minuteUniform(*m_sceneState));
    glUniform1f(uniformLocation("iHour"), hourUniform(*m_sceneState));
}

void GLFWDrawableMesh::setUniforms()
{
    const Vec3 light = m_sceneState->lightPosition();
    glUniform3fv(uniformLocation("light_pos"), 1, light.data());
}

void GLFWDrawableClockSecondHand::setUniforms()
{
    const Vec3 light = m_sceneState->lightPosition();
    glUniform3fv(uniformLocation("light_pos"), 1, light.data());
    glUniform1f(uniformLocation("iSecond"), secondUniform(*m_sceneState));
}

void GLFWDrawableSky::setUniforms()
{
    glUniform1f(uniformLocation("iTime"), timeUniform(*m_sceneState));
    glUniform1f(uniformLocation("viewportWidth"), m_sceneState->viewportWidth());
    glUniform1f(uniformLocation("viewportHeight"), m_sceneState->viewportHeight());
}
