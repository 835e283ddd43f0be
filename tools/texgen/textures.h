// The two textures of the clock scene, 512 × 512, tiling seamlessly.
#pragma once

#include "bmp_writer.h"

inline constexpr int kTextureSize = 512;

// Dark grey sheet with staggered round perforations.
std::vector<Rgb> perforatedTexture();

// Brushed brass: warm metal with fine streaks along the rows.
std::vector<Rgb> brassTexture();
