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

// Unpacks what parseBmp24 (render/bmp_reader.h) accepts: BITMAPFILEHEADER, an
// info header of at least 40 bytes, and 24-bit BI_RGB pixel rows (bottom-up,
// or top-down for a negative height). Anything else (other bit depths,
// compression, truncated data, empty pictures, or a side above
// kMaxBitmapSide) gives false and leaves out untouched.
bool decodeBmp24(const std::uint8_t* data, std::size_t size, DecodedBitmap& out);
