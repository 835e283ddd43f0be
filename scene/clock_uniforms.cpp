#include "scene/clock_uniforms.h"

#include "scene/scene_state.h"

float minuteUniform(const SceneState& state)
{
    return (state.snapshotMinute() + state.snapshotSecond() / 60.0f) + state.elapsedSinceSnapshot() / 60.0f;
}

float hourUniform(const SceneState& state)
{
    return ((state.snapshotHour() + state.snapshotMinute() / 60.0f) + state.snapshotSecond() / 3600.0f) +
           state.elapsedSinceSnapshot() / 3600.0f;
}

float secondUniform(const SceneState& state)
{
    return state.snapshotSecond() + state.elapsedSinceSnapshot();
}
