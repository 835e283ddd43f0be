#include "bmp_writer.h"

#include <fstream>

namespace {
void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
}  // namespace

std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<Rgb>& pixels) {
    int rowBytes = (width * 3 + 3) / 4 * 4;
    std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes) * height;
    std::vector<std::uint8_t> b;
    b.reserve(54 + imageBytes);
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + imageBytes);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(width));
    put32(b, static_cast<std::uint32_t>(height));  // positive: bottom row first
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);  // no compression
    put32(b, imageBytes);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& p = pixels[static_cast<size_t>(y) * width + x];
            b.push_back(p.b);
            b.push_back(p.g);
            b.push_back(p.r);
        }
        for (int k = width * 3; k < rowBytes; ++k) b.push_back(0);
    }
    return b;
}

bool writeBmp24(const std::string& path, int width, int height, const std::vector<Rgb>& pixels) {
    std::vector<std::uint8_t> bytes = encodeBmp24(width, height, pixels);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
