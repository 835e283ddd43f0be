// The small "information" icon used as the About window's icon: a blue disc
// with a white letter i, drawn in code so it looks the same on every desktop.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kInformationIconSize = 16;

// The icon's RGBA pixels, top row first, 16 × 16, alpha not premultiplied.
std::vector<std::uint8_t> informationIconPixels();
