// Writes a 24-bit uncompressed BMP, rows stored bottom-up as BMP does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r, g, b;
};

// pixels: width × height, row 0 is the top row of the picture.
bool writeBmp24(const std::string& path, int width, int height, const std::vector<Rgb>& pixels);

// The bytes of that file, for tests and for writing.
std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<Rgb>& pixels);
