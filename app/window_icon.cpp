#include "app/window_icon.h"

#include <array>

namespace {

struct Rgba {
    std::uint8_t r, g, b, a;
};

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kBezel{150, 200, 240, 255};       // light blue
constexpr Rgba kBezelShade{110, 160, 210, 255};  // the stand and the bezel's edge
constexpr Rgba kRed{230, 40, 40, 255};
constexpr Rgba kGreen{40, 190, 60, 255};
constexpr Rgba kBlue{40, 80, 220, 255};
constexpr Rgba kYellow{245, 210, 40, 255};
constexpr Rgba kDot{40, 60, 90, 255};

// The picture at column x, row y (row 0 at the top).
constexpr Rgba pixelAt(int x, int y)
{
    const bool screen = x >= 9 && x <= 54 && y >= 9 && y <= 38;
    if (screen) {
        const bool left = x <= 31;
        const bool top = y <= 23;
        if (top)
            return left ? kRed : kGreen;
        return left ? kBlue : kYellow;
    }
    const bool bezel = x >= 4 && x <= 59 && y >= 4 && y <= 45;
    if (bezel) {
        const bool dot = y >= 41 && y <= 42 && x >= 38 && x <= 55 && (x - 38) % 5 < 2;
        if (dot)
            return kDot;
        const bool edge = x == 4 || x == 59 || y == 4 || y == 45;
        return edge ? kBezelShade : kBezel;
    }
    const bool neck = x >= 27 && x <= 36 && y >= 46 && y <= 53;
    const bool base = x >= 16 && x <= 47 && y >= 54 && y <= 58;
    if (neck || base)
        return kBezelShade;
    return kClear;
}

constexpr std::array<std::uint8_t, kIconBytes> makeColumns()
{
    std::array<std::uint8_t, kIconBytes> pixels{};
    for (int column = 0; column < kIconSize; ++column) {
        for (int row = 0; row < kIconSize; ++row) {
            const Rgba p = pixelAt(column, row);
            const int at = (column * kIconSize + row) * 4;
            pixels[at + 0] = p.r;
            pixels[at + 1] = p.g;
            pixels[at + 2] = p.b;
            pixels[at + 3] = p.a;
        }
    }
    return pixels;
}

constexpr std::array<std::uint8_t, kIconBytes> kIconColumns = makeColumns();

} // namespace

const std::uint8_t* windowIconColumns() { return kIconColumns.data(); }

void iconColumnsToRows(const std::uint8_t* columns, std::uint8_t* rows)
{
    int out = 0;
    for (int r = 0; r < kIconSize; ++r) {
        for (int c = 0; c < kIconSize; ++c) {
            const int in = (c * kIconSize + r) * 4;
            for (int k = 0; k < 4; ++k)
                rows[out * 4 + k] = columns[in + k];
            ++out;
        }
    }
}
