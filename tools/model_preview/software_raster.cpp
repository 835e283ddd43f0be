#include "software_raster.h"

#include <algorithm>
#include <cmath>

namespace {

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, float t) {
    ClipVertex r;
    for (int i = 0; i < 4; ++i) r.clip[i] = a.clip[i] + (b.clip[i] - a.clip[i]) * t;
    for (int i = 0; i < 9; ++i) r.var.v[i] = a.var.v[i] + (b.var.v[i] - a.var.v[i]) * t;
    return r;
}

// Keeps the part of the polygon with z >= -w (in front of the near plane).
std::vector<ClipVertex> clipNear(const std::vector<ClipVertex>& poly) {
    std::vector<ClipVertex> out;
    for (size_t i = 0; i < poly.size(); ++i) {
        const ClipVertex& a = poly[i];
        const ClipVertex& b = poly[(i + 1) % poly.size()];
        float da = a.clip[2] + a.clip[3], db = b.clip[2] + b.clip[3];
        if (da >= 0) out.push_back(a);
        if ((da >= 0) != (db >= 0)) out.push_back(lerp(a, b, da / (da - db)));
    }
    return out;
}

void raster(Framebuffer& fb, const Viewport& vp, const ClipVertex& a, const ClipVertex& b, const ClipVertex& c,
            const FragmentShader& fs) {
    const ClipVertex* v[3] = {&a, &b, &c};
    float sx[3], sy[3], sz[3], iw[3];
    for (int k = 0; k < 3; ++k) {
        float w = v[k]->clip[3];
        if (w <= 0) return;
        iw[k] = 1.0f / w;
        sx[k] = vp.x + (v[k]->clip[0] * iw[k] * 0.5f + 0.5f) * vp.w;
        sy[k] = vp.y + (v[k]->clip[1] * iw[k] * 0.5f + 0.5f) * vp.h;
        sz[k] = v[k]->clip[2] * iw[k] * 0.5f + 0.5f;
    }
    float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (std::abs(area) < 1e-12f) return;
    int x0 = std::max(vp.x, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
    int x1 = std::min(vp.x + vp.w - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
    int y0 = std::max(vp.y, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
    int y1 = std::min(vp.y + vp.h - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, fb.width - 1);
    y1 = std::min(y1, fb.height - 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
            float w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
            float w2 = 1 - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0) continue;
            float z = w0 * sz[0] + w1 * sz[1] + w2 * sz[2];
            if (z < 0 || z > 1) continue;
            size_t i = static_cast<size_t>(y) * fb.width + x;
            if (z > fb.depth[i]) continue;
            float p0 = w0 * iw[0], p1 = w1 * iw[1], p2 = w2 * iw[2];
            float s = 1.0f / (p0 + p1 + p2);
            Varyings var;
            for (int k = 0; k < 9; ++k) var.v[k] = (a.var.v[k] * p0 + b.var.v[k] * p1 + c.var.v[k] * p2) * s;
            float rgba[4];
            if (!fs(var, rgba)) continue;
            float al = std::clamp(rgba[3], 0.0f, 1.0f);
            for (int k = 0; k < 3; ++k) fb.rgb[i * 3 + k] = rgba[k] * al + fb.rgb[i * 3 + k] * (1 - al);
            fb.depth[i] = z;
        }
}

}  // namespace

void drawTriangle(Framebuffer& fb, const Viewport& vp, const ClipVertex tri[3], const FragmentShader& fs) {
    std::vector<ClipVertex> poly = clipNear({tri[0], tri[1], tri[2]});
    for (size_t k = 1; k + 1 < poly.size(); ++k) raster(fb, vp, poly[0], poly[k], poly[k + 1], fs);
}

void fillViewport(Framebuffer& fb, const Viewport& vp, float depth, const std::function<void(int, int, float*)>& colour) {
    for (int y = std::max(0, vp.y); y < std::min(fb.height, vp.y + vp.h); ++y)
        for (int x = std::max(0, vp.x); x < std::min(fb.width, vp.x + vp.w); ++x) {
            size_t i = static_cast<size_t>(y) * fb.width + x;
            if (depth > fb.depth[i]) continue;
            colour(x, y, &fb.rgb[i * 3]);
            fb.depth[i] = depth;
        }
}
