#include "scene/clock_uniforms.h"

#include "scene/scene_state.h"

#include <cmath>

namespace {

// x modulo period, in [0, period), computed in double precision.
float reduced(double x, double period)
{
    double r = std::fmod(x, period);
    if (r < 0.0)
        r += period;
    return static_cast<float>(r);
}

constexpr double kPi = 3.14159265358979323846;

} // namespace

float timeUniform(const SceneState& state)
{
    return reduced(state.preciseTime(), kClockMotionPeriod);
}

float minuteUniform(const SceneState& state)
{
    const double elapsed = state.preciseElapsedSinceSnapshot();
    return reduced((state.snapshotMinute() + state.snapshotSecond() / 60.0) + elapsed / 60.0, 60.0);
}

float hourUniform(const SceneState& state)
{
    const double elapsed = state.preciseElapsedSinceSnapshot();
    return reduced(((state.snapshotHour() + state.snapshotMinute() / 60.0) + state.snapshotSecond() / 3600.0) +
                       elapsed / 3600.0,
                   12.0);
}

float secondUniform(const SceneState& state)
{
    return reduced(state.snapshotSecond() + state.preciseElapsedSinceSnapshot(), 60.0);
}

float lightTime(const SceneState& state)
{
    // The light turns by 0.2 rad per second: one circle every 10π seconds.
    return reduced(state.preciseTime(), 10.0 * kPi);
}
