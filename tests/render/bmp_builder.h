// Builds uncompressed 24-bit .bmp files in memory for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// pixel(x, y) gives the COLORREF (0x00BBGGRR) of picture pixel (x, y), y = 0
// the top row. Rows are stored bottom-up unless topDown.
inline std::vector<std::uint8_t> buildBmp24(int width, int height,
                                            const std::function<std::uint32_t(int, int)>& pixel,
                                            bool topDown = false)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> out;
    auto put16 = [&](std::uint32_t v) { out.push_back(v & 0xFF); out.push_back((v >> 8) & 0xFF); };
    auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    out.push_back('B');
    out.push_back('M');
    put32(54 + pixelBytes);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(topDown ? -height : height));
    put16(1);
    put16(24);
    put32(0);
    put32(pixelBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            out.push_back((c >> 16) & 0xFF);  // blue
            out.push_back((c >> 8) & 0xFF);   // green
            out.push_back(c & 0xFF);          // red
        }
        for (int pad = width * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}
