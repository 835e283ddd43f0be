#include "textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const int N = kTextureSize;

// A small deterministic generator (xorshift), fixed seed per texture.
struct Random {
    std::uint32_t s;
    explicit Random(std::uint32_t seed) : s(seed) {}
    double next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return (s & 0xFFFFFF) / double(0x1000000);
    }
};

std::uint8_t byte(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L)); }

// Periodic 1-D value noise over `period` samples, smoothly interpolated.
struct Noise1 {
    std::vector<double> v;
    explicit Noise1(int period, Random& r) : v(period) {
        for (double& x : v) x = r.next() * 2 - 1;
    }
    double at(double t) const {
        int n = static_cast<int>(v.size());
        double f = std::floor(t);
        int i = ((static_cast<int>(f) % n) + n) % n;
        double u = t - f;
        u = u * u * (3 - 2 * u);
        return v[i] * (1 - u) + v[(i + 1) % n] * u;
    }
};

}  // namespace

std::vector<Rgb> perforatedTexture() {
    std::vector<Rgb> px(N * N);
    const double pitch = 32.0, radius = 9.0;
    Random r(0x5EED0167u);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            // Staggered rows of holes; the pattern tiles: 16 holes per side.
            int row = static_cast<int>(std::floor(y / pitch));
            double shift = (row % 2) ? pitch / 2 : 0.0;
            double cx = std::fmod(x + shift, pitch) - pitch / 2;
            double cy = std::fmod(double(y), pitch) - pitch / 2;
            double d = std::sqrt(cx * cx + cy * cy);
            double sheet = 0.22 + 0.015 * (r.next() - 0.5);
            // Soft hole edge with a faint bright rim where the punch rounded the metal.
            double hole = std::clamp((radius - d) / 1.5, 0.0, 1.0);
            double rim = std::exp(-std::pow((d - radius - 1.2) / 1.0, 2)) * 0.06;
            double v = sheet * (1 - hole) + 0.05 * hole + rim;
            px[y * N + x] = Rgb{byte(v), byte(v), byte(v * 1.04)};
        }
    return px;
}

std::vector<Rgb> brassTexture() {
    std::vector<Rgb> px(N * N);
    Random r(0xB4A55168u);
    // Streaks: each row has its own brightness, varying slowly along it; a
    // second, finer layer adds the brushing scratches.
    std::vector<Noise1> coarse, fine;
    std::vector<double> rowTone(N);
    Noise1 tone(64, r);
    for (int y = 0; y < N; ++y) rowTone[y] = tone.at(y * 64.0 / N * 4.0);
    for (int k = 0; k < 8; ++k) coarse.emplace_back(8, r);
    for (int y = 0; y < N; ++y) fine.emplace_back(32, r);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            double u = x / double(N);
            double streak = 0.07 * rowTone[y] + 0.05 * fine[y].at(u * 32) + 0.03 * coarse[y % 8].at(u * 8);
            double grain = 0.035 * (r.next() - 0.5);
            double glow = 0.04 * std::sin(2 * 3.14159265358979 * (u + 0.25 * std::sin(2 * 3.14159265358979 * y / N)));
            double k = 1.0 + streak + grain + glow;
            px[y * N + x] = Rgb{byte(0.80 * k), byte(0.62 * k), byte(0.30 * k)};
        }
    return px;
}
