// The window icon's picture at another size.
#pragma once

#include <cstdint>
#include <vector>

// An RGBA picture, rows from the top, red first, alpha not premultiplied.
struct RgbaPicture {
    int size = 0;  // square: size × size pixels
    std::vector<std::uint8_t> pixels;
};

// The built-in window icon's 64 × 64 picture, row by row.
RgbaPicture windowIconPicture();

// picture drawn at size × size: each new pixel is the area-weighted mean of
// the source pixels it covers, colours weighted by their alpha, so that a
// transparent pixel lends no colour to its neighbours' edges. Halving averages
// 2 × 2 blocks; growing by a whole factor repeats each pixel.
RgbaPicture scaledPicture(const RgbaPicture& picture, int size);
