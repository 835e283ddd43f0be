// A reader for uncompressed 24-bit Windows bitmaps (a .bmp file: the file
// header, an info header of at least 40 bytes, rows padded to 4 bytes).
// It checks every size against the bytes it is given and never reads past them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Bmp24 {
    int width = 0;
    int height = 0;
    const std::uint8_t* pixels = nullptr;  // first stored row
    std::size_t rowStride = 0;             // bytes per stored row, padding included
    bool topDown = false;                  // rows stored top row first

    // The pixel at (x, y), y = 0 the top row, as a COLORREF 0x00BBGGRR.
    // Coordinates outside the picture read as 0 (black).
    std::uint32_t colorRef(int x, int y) const;
};

// Parses a 24-bit BI_RGB bitmap. False (and image untouched) when the bytes
// are not such a bitmap or are too short for the size the headers claim.
bool parseBmp24(const std::uint8_t* data, std::size_t size, Bmp24& image);

// The texel of a COLORREF: red, green, blue each (byte / 255.0), alpha 1.
void texelFromColorRef(std::uint32_t colorRef, float* rgba);

// size × size RGBA float texels, texture row 0 = the bottom row of the
// picture. The picture's own dimensions are not consulted beyond bounds:
// pixels outside it read as black. Bytes that are no valid bitmap give an
// all-black, opaque picture.
std::vector<float> bitmapTexels(const std::uint8_t* data, std::size_t size, int textureSize);
