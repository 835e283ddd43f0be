// Minimal PNG writer: 8-bit RGB, stored (uncompressed) deflate blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
