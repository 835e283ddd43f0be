// The per-frame values the shader programs need besides the matrices.
#pragma once

#include "render/math.h"

class SceneState {
public:
    explicit SceneState(float t0);

    void setViewportSize(float width, float height);
    void setLightPosition(const Vec3& position);
    void setTime(float t);
    void setSecondStart(float t);
    // The same in double precision: the frame loop keeps its clock in double
    // so that the shown time stays exact and smooth however long it runs.
    void setTime(double t);
    void setSecondStart(double t);
    // Reads the machine's calendar time in the local time zone and keeps its
    // hour, minute and second.
    void snapshotLocalTime();
    // Test seam: the same from a given calendar time.
    void snapshotFrom(int hour, int minute, int second);

    float viewportWidth() const { return m_viewportWidth; }
    float viewportHeight() const { return m_viewportHeight; }
    Vec3 lightPosition() const { return m_lightPosition; }
    float time() const { return static_cast<float>(m_time); }
    double preciseTime() const { return m_time; }
    float snapshotHour() const { return static_cast<float>(m_hour); }
    float snapshotMinute() const { return static_cast<float>(m_minute); }
    float snapshotSecond() const { return static_cast<float>(m_second); }
    // Frame time minus snapshot time, taken in double precision first.
    float elapsedSinceSnapshot() const { return static_cast<float>(m_time - m_snapshotTime); }
    double preciseElapsedSinceSnapshot() const { return m_time - m_snapshotTime; }
    double preciseSnapshotTime() const { return m_snapshotTime; }

private:
    float m_viewportWidth = 0.0f;
    float m_viewportHeight = 0.0f;
    Vec3 m_lightPosition{0.0f, 0.0f, 0.0f};
    double m_snapshotTime;
    double m_time;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
};
