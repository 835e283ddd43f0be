// Synthesis of the clock's tick: a short mechanical strike, not a tone.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kTickSampleRate = 44100;
inline constexpr int kTickSampleCount = 4392;  // about 0.1 s

// The tick as 16-bit samples at kTickSampleRate, kTickSampleCount of them.
// Deterministic: the same samples on every run.
std::vector<std::int16_t> synthesizeTick();
