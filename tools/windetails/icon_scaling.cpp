#include "icon_scaling.h"

#include "app/window_icon.h"

#include <algorithm>
#include <cmath>

RgbaPicture windowIconPicture()
{
    RgbaPicture picture{kIconSize, std::vector<std::uint8_t>(kIconBytes)};
    iconColumnsToRows(windowIconColumns(), picture.pixels.data());
    return picture;
}

namespace {

// How much of source cell [cell, cell + 1) lies inside [from, to).
double overlap(int cell, double from, double to)
{
    return std::max(0.0, std::min(to, cell + 1.0) - std::max(from, static_cast<double>(cell)));
}

std::uint8_t toByte(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

RgbaPicture scaledPicture(const RgbaPicture& picture, int size)
{
    RgbaPicture scaled{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 4)};
    const double step = static_cast<double>(picture.size) / size;  // source pixels per new pixel
    for (int y = 0; y < size; ++y) {
        const double top = y * step, bottom = (y + 1) * step;
        for (int x = 0; x < size; ++x) {
            const double left = x * step, right = (x + 1) * step;
            double sum[4] = {0, 0, 0, 0};  // alpha-weighted colour, then alpha
            for (int sy = static_cast<int>(top); sy < std::ceil(bottom); ++sy) {
                for (int sx = static_cast<int>(left); sx < std::ceil(right); ++sx) {
                    const double weight = overlap(sx, left, right) * overlap(sy, top, bottom);
                    const std::uint8_t* p = &picture.pixels[(static_cast<std::size_t>(sy) * picture.size + sx) * 4];
                    for (int k = 0; k < 3; ++k)
                        sum[k] += weight * p[3] * p[k];
                    sum[3] += weight * p[3];
                }
            }
            std::uint8_t* out = &scaled.pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            const double area = step * step;
            for (int k = 0; k < 3; ++k)
                out[k] = sum[3] > 0.0 ? toByte(sum[k] / sum[3]) : 0;
            out[3] = toByte(sum[3] / area);
        }
    }
    return scaled;
}
