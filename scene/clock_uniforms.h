// The clock values that the shader programs turn into motions and hand
// angles, from the local-time snapshot and the frame time.
//
// The shaders turn every value through periodic functions, so each is handed
// over reduced to its own period: the hands to their turns (60 minutes, 12
// hours, 60 seconds) and the frame time to the common period of every motion
// of the clock program (3600 s). The picture is the same as with the
// unreduced values, and single precision keeps its resolution however long
// the screensaver runs (an unreduced frame time as a float steps by 8 ms
// after a day and 62 ms after a week).
#pragma once

class SceneState;

// Seconds after which every motion of the clock program repeats exactly:
// pendulum and yoke 2 s, gears 60, 225, 900 and 3600 s.
inline constexpr double kClockMotionPeriod = 3600.0;

// Frame time modulo kClockMotionPeriod.
float timeUniform(const SceneState& state);
// Minutes into the hour: (minute + second / 60) + elapsed / 60, modulo 60.
float minuteUniform(const SceneState& state);
// Hours since midnight: ((hour + minute / 60) + second / 3600) + elapsed / 3600, modulo 12.
float hourUniform(const SceneState& state);
// Seconds into the minute: second + elapsed, modulo 60.
float secondUniform(const SceneState& state);
// The frame time modulo the light's own period (its circle takes 10π s),
// for the light's position.
float lightTime(const SceneState& state);
