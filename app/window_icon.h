// The built-in 64 × 64 window icon: a light-blue monitor on a stand.
#pragma once

#include <cstdint>

inline constexpr int kIconSize = 64;
inline constexpr int kIconBytes = kIconSize * kIconSize * 4;

// The icon's RGBA pixels (red first, not premultiplied), stored column by
// column: 64 columns of 64 pixels, each column from top to bottom.
const std::uint8_t* windowIconColumns();

// Turns column-stored pixels into the row-major layout GLFW expects:
// destination pixel r × 64 + c is source pixel c × 64 + r.
void iconColumnsToRows(const std::uint8_t* columns, std::uint8_t* rows);
