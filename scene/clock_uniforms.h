// The clock values that the shader programs turn into hand angles, from the
// local-time snapshot and the frame time. None is reduced to its range.
#pragma once

class SceneState;

// Minutes into the hour: (minute + second / 60) + elapsed / 60.
float minuteUniform(const SceneState& state);
// Hours since midnight: ((hour + minute / 60) + second / 3600) + elapsed / 3600.
float hourUniform(const SceneState& state);
// Seconds into the minute: second + elapsed.
float secondUniform(const SceneState& state);
