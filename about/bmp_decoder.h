// Decodes an uncompressed 24-bit Windows bitmap file (BMP) held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    // Pixels as R, G, B bytes, top row first, no row padding.
    std::vector<std::uint8_t> rgb;
};

// Largest width or height accepted; keeps every size computation far from overflow.
inline constexpr int kMaxBitmapSide = 16384;

// Reads a file made of BITMAPFILEHEADER, an info header of at least 40 bytes,
// and 24-bit BI_RGB pixel rows (bottom-up, or top-down for a negative height).
// Every offset and length is checked against size; anything else (other bit
// depths, compression, truncated data, empty or oversized pictures) gives false
// and leaves out untouched.
bool decodeBmp24(const std::uint8_t* data, std::size_t size, DecodedBitmap& out);
