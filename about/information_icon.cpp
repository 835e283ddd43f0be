#include "about/information_icon.h"

#include <cmath>

namespace {

constexpr int kSamples = 4;  // per pixel and axis, for a smooth rim
constexpr std::uint8_t kDisc[3] = {22, 104, 206};

// The letter i in pixel units: a dot and a stem, both two pixels wide.
bool insideLetter(double x, double y)
{
    const bool column = x >= 7.0 && x < 9.0;
    return column && ((y >= 3.0 && y < 5.0) || (y >= 6.0 && y < 13.0));
}

} // namespace

std::vector<std::uint8_t> informationIconPixels()
{
    const int n = kInformationIconSize;
    const double centre = n / 2.0;
    const double radius = n / 2.0 - 0.25;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(n) * n * 4);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples;
                    const double py = y + (sy + 0.5) / kSamples;
                    if (std::hypot(px - centre, py - centre) <= radius)
                        ++covered;
                }
            }
            std::uint8_t* out = &pixels[(static_cast<std::size_t>(y) * n + x) * 4];
            const bool letter = insideLetter(x + 0.5, y + 0.5);
            out[0] = letter ? 255 : kDisc[0];
            out[1] = letter ? 255 : kDisc[1];
            out[2] = letter ? 255 : kDisc[2];
            out[3] = static_cast<std::uint8_t>(covered * 255 / (kSamples * kSamples));
        }
    }
    return pixels;
}
