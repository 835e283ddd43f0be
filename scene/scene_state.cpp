#include "scene/scene_state.h"

#include <ctime>

SceneState::SceneState(float t0) : m_snapshotTime(t0), m_time(t0) {}

void SceneState::setViewportSize(float width, float height)
{
    m_viewportWidth = width;
    m_viewportHeight = height;
}

void SceneState::setLightPosition(const Vec3& position) { m_lightPosition = position; }
void SceneState::setTime(float t) { m_time = t; }
void SceneState::setSecondStart(float t) { m_snapshotTime = t; }
void SceneState::setTime(double t) { m_time = t; }
void SceneState::setSecondStart(double t) { m_snapshotTime = t; }

void SceneState::snapshotLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    snapshotFrom(local.tm_hour, local.tm_min, local.tm_sec);
}

void SceneState::snapshotFrom(int hour, int minute, int second)
{
    m_hour = hour;
    m_minute = minute;
    // A leap second (tm_sec 60) reads as the last second of the minute.
    m_second = second > 59 ? 59 : second;
}
