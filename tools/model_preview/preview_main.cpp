// model_preview: renders the generated clock offline, the way the program's
// shaders draw it, and writes PNG pictures to look at.
//
//   model_preview <dir with clock.vtx body.vtx second_hand.vtx brass.bmp> <out prefix>
//                 [--time T] [--hms H:M:S] [--size W H] [--ss N]
//
// Writes <prefix>_frame.png (main view with both insets, as on screen) and
// <prefix>_cam0.png, _cam1.png, _cam2.png (each camera over the whole picture).
#include "clock_shading.h"
#include "png_writer.h"
#include "scene_views.h"
#include "software_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<float> readFloats(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        std::fprintf(stderr, "model_preview: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::streamsize n = in.tellg();
    in.seekg(0);
    std::vector<float> v(static_cast<size_t>(n) / 4);
    in.read(reinterpret_cast<char*>(v.data()), n);
    return v;
}

struct Texture {
    int size = 0;
    std::vector<float> rgb;  // texture row 0 = bottom row of the picture
    void sample(float u, float v, float out[3]) const {
        float x = u * size - 0.5f, y = v * size - 0.5f;
        float fx = std::floor(x), fy = std::floor(y);
        float ax = x - fx, ay = y - fy;
        auto at = [&](int i, int j, int k) {
            i = ((i % size) + size) % size;
            j = ((j % size) + size) % size;
            return rgb[(static_cast<size_t>(j) * size + i) * 3 + k];
        };
        int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
        for (int k = 0; k < 3; ++k)
            out[k] = (at(ix, iy, k) * (1 - ax) + at(ix + 1, iy, k) * ax) * (1 - ay) +
                     (at(ix, iy + 1, k) * (1 - ax) + at(ix + 1, iy + 1, k) * ax) * ay;
    }
};

Texture readBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    Texture t;
    if (b.size() < 54) {
        std::fprintf(stderr, "model_preview: bad bitmap %s\n", path.c_str());
        std::exit(1);
    }
    auto le32 = [&](size_t o) { return b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) | (b[o + 3] << 24); };
    int off = le32(10), w = le32(18);
    t.size = w;
    t.rgb.resize(static_cast<size_t>(w) * w * 3);
    int row = (w * 3 + 3) / 4 * 4;
    for (int j = 0; j < w; ++j)  // file rows run bottom-up already
        for (int i = 0; i < w; ++i)
            for (int k = 0; k < 3; ++k) t.rgb[(static_cast<size_t>(j) * w + i) * 3 + k] = b[off + j * row + i * 3 + (2 - k)] / 255.0f;
    return t;
}

struct Meshes {
    std::vector<float> clock, body, second;
};

Vec4 mul(const Mat4& m, const Vec3& p, float w) { return m * Vec4(p[0], p[1], p[2], w); }

void drawMesh(Framebuffer& fb, const Viewport& vp, const std::vector<float>& rec, Program prog, const Mat4& pv,
              const Mat4& model, const Vec3& light, const ClockTime& tm, const Texture& tex) {
    Mat4 mvp = pv * model;
    size_t count = rec.size() / 24;
    FragmentShader fs = [&](const Varyings& v, float out[4]) {
        float c[4] = {v.v[0], v.v[1], v.v[2], v.v[3]};
        float u = v.v[4], w = v.v[5];
        float T[3];
        if (prog == Program::Clock) {
            if (v.v[6] >= 0.5f) { tex.sample(u * 0.1f, w * 0.1f, T); for (int k = 0; k < 3; ++k) c[k] = T[k] * v.v[6]; c[3] = 1; }
            if (v.v[7] >= 0.5f) { tex.sample(u * 0.1f, w * 0.1f, T); for (int k = 0; k < 3; ++k) c[k] = T[k] * v.v[7]; c[0] = 1; c[3] = 1; }
            if (v.v[8] >= 0.5f) {
                tex.sample(u * 0.1f, w * 0.1f, T);
                float g = (T[0] + T[1] + T[2]) * v.v[8] / 3;
                c[0] = c[1] = c[2] = g;
                c[3] = 1;
            }
        } else if (prog == Program::Body) {
            if (v.v[6] >= 0.5f || v.v[7] >= 0.5f) {
                tex.sample(u * 0.2f, w * 0.2f, T);
                for (int k = 0; k < 3; ++k) c[k] = c[k] * 0.2f + T[k];
                c[3] = c[3] * 0.2f + 1.0f;
            }
        } else {
            tex.sample(u * 0.1f, w * 0.1f, T);
            c[0] = 1;
            c[1] = T[1];
            c[2] = T[2];
            c[3] = 1;
        }
        for (int k = 0; k < 4; ++k) out[k] = std::min(c[k], 1.0f);
        return true;
    };
    for (size_t t = 0; t + 2 < count; t += 3) {
        ClipVertex cv[3];
        bool hidden = false;
        for (int k = 0; k < 3; ++k) {
            const float* r = &rec[(t + k) * 24];
            ShadedVertex s = shadeVertex(prog, static_cast<int>(t + k), Vec3(r[0], r[1], r[2]), tm);
            if (!s.visible) hidden = true;
            Vec4 pw = mul(model, s.position, 1);
            Vec4 nw = mul(model, Vec3(r[5], r[6], r[7]), 0);
            Vec3 n = normalize(Vec3(nw[0], nw[1], nw[2]));
            Vec3 p(pw[0], pw[1], pw[2]);
            Vec3 l = normalize(light - p);
            float d = std::max(n[0] * l[0] + n[1] * l[1] + n[2] * l[2], 0.0f);
            Varyings& var = cv[k].var;
            for (int c = 0; c < 3; ++c) var.v[c] = s.ambientK * r[14 + c] + d * r[17 + c];
            var.v[3] = s.alpha;
            var.v[4] = r[3];
            var.v[5] = r[4];
            var.v[6] = s.flags[0];
            var.v[7] = s.flags[1];
            var.v[8] = s.flags[2];
            cv[k].clip = mul(mvp, s.position, 1);
        }
        if (hidden) continue;
        drawTriangle(fb, vp, cv, fs);
    }
}

float smoothStep(float lo, float hi, float x) {
    float s = std::clamp((x - lo) / (hi - lo), 0.0f, 1.0f);
    return s * s * (3 - 2 * s);
}

// The backdrop program's colour at a window pixel.
void backdrop(int x, int y, float W, float H, float out[3]) {
    float c = 0.15f;
    float u = (x + 0.5f) / W, v = (y + 0.5f) / H, ratio = W / H;
    float r = 0.006f, r2 = r * r, su = 0.01f, sv = ratio / 100.0f;
    float vd = v - std::floor(v / sv) * sv;
    int row = static_cast<int>(std::floor(v / sv));
    if (vd > sv - vd) ++row;
    vd = std::min(vd, sv - vd);
    float shift = (row / 2.0f - std::floor(row / 2.0f) > 0.25f) ? su / 2 : 0;
    float ud = u - std::floor((u + shift) / su) * su;
    ud = std::min(ud + shift, su - ud - shift);
    float dist = ud * ud * ratio * ratio + vd * vd;
    float rgb[3] = {c, c, c};
    if (dist < r2)
        for (float& k : rgb) k -= 0.15f * smoothStep(r2, 0, dist);
    float w = 0.007f, third = 1.0f / 3, two = 2.0f / 3;
    float fade = 0;
    if (u >= third && u <= third + w / ratio && v >= 0 && v <= third) fade += smoothStep(third + w / ratio, third, u);
    if (u >= two - w / ratio && u <= two && v >= 0 && v <= third) fade += smoothStep(two - w / ratio, two, u);
    if (u >= third && u <= third + w / ratio && v >= third && v <= third + w)
        fade += smoothStep(third + w / ratio, third, u) * smoothStep(third + w, third, v);
    if (u >= two - w / ratio && u <= two && v >= third && v <= third + w)
        fade += smoothStep(two - w / ratio, two, u) * smoothStep(third + w, third, v);
    if (v >= third && v <= third + w && ((u >= two && u <= 1) || (u >= 0 && u <= third))) fade += smoothStep(third + w, third, v);
    out[0] = rgb[0] + 0.75f * fade;
    out[1] = rgb[1] + 0.6f * fade;
    out[2] = rgb[2] + 0.4f * fade;
}

void writeFrame(const Framebuffer& fb, int ss, const std::string& path) {
    int W = fb.width / ss, H = fb.height / ss;
    std::vector<std::uint8_t> out(static_cast<size_t>(W) * H * 3);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            for (int k = 0; k < 3; ++k) {
                float s = 0;
                for (int j = 0; j < ss; ++j)
                    for (int i = 0; i < ss; ++i) s += fb.rgb[(static_cast<size_t>(y * ss + j) * fb.width + x * ss + i) * 3 + k];
                s /= ss * ss;
                // Row 0 of the framebuffer is the bottom: flip for the picture.
                out[(static_cast<size_t>(H - 1 - y) * W + x) * 3 + k] = static_cast<std::uint8_t>(std::clamp(s, 0.0f, 1.0f) * 255 + 0.5f);
            }
    if (!writePng(path, W, H, out)) std::fprintf(stderr, "model_preview: cannot write %s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: model_preview <dir> <out prefix> [--time T] [--hms H:M:S] [--size W H] [--ss N]\n");
        return 2;
    }
    std::string dir = argv[1], prefix = argv[2];
    int W = 1280, H = 720, ss = 2;
    ClockTime tm;
    tm.t = 0;
    int hh = 10, mm = 10, sec = 30;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--time") && i + 1 < argc) tm.t = std::strtof(argv[++i], nullptr);
        else if (!std::strcmp(argv[i], "--hms") && i + 1 < argc) std::sscanf(argv[++i], "%d:%d:%d", &hh, &mm, &sec);
        else if (!std::strcmp(argv[i], "--size") && i + 2 < argc) { W = std::atoi(argv[++i]); H = std::atoi(argv[++i]); }
        else if (!std::strcmp(argv[i], "--ss") && i + 1 < argc) ss = std::atoi(argv[++i]);
    }
    // The snapshot is taken at frame time 0.
    tm.second = sec + tm.t;
    tm.minute = mm + sec / 60.0f + tm.t / 60.0f;
    tm.hour = hh + mm / 60.0f + sec / 3600.0f + tm.t / 3600.0f;
    Meshes m{readFloats(dir + "/clock.vtx"), readFloats(dir + "/body.vtx"), readFloats(dir + "/second_hand.vtx")};
    Texture brass = readBmp(dir + "/brass.bmp");
    Mat4 model = clockModelMatrix();
    Vec3 light = lightPosition(tm.t);
    int fw = W * ss, fh = H * ss;
    Mat4 proj = projection(static_cast<float>(W) / H);
    Vec4 bgClip = proj * cameraView(0) * Vec4(0, 0, -300, 1);
    float bgDepth = bgClip[2] / bgClip[3] * 0.5f + 0.5f;
    auto group = [&](Framebuffer& fb, const Viewport& vp, int slot) {
        Mat4 pv = proj * cameraView(slot);
        drawMesh(fb, vp, m.clock, Program::Clock, pv, model, light, tm, brass);
        drawMesh(fb, vp, m.body, Program::Body, pv, model, light, tm, brass);
        drawMesh(fb, vp, m.second, Program::SecondHand, pv, model, light, tm, brass);
    };
    auto bg = [&](Framebuffer& fb, const Viewport& vp) {
        fillViewport(fb, vp, bgDepth, [&](int x, int y, float* rgb) { backdrop(x / ss, y / ss, float(W), float(H), rgb); });
    };
    // The frame as the program draws it (a frame after the first).
    {
        Framebuffer fb(fw, fh);
        Viewport full{0, 0, fw, fh}, left{0, 0, fw / 3, fh / 3}, right{2 * fw / 3, 0, fw / 3, fh / 3};
        bg(fb, right);
        group(fb, full, 0);
        bg(fb, full);
        group(fb, left, 1);
        bg(fb, left);
        group(fb, right, 2);
        writeFrame(fb, ss, prefix + "_frame.png");
    }
    for (int slot = 0; slot < 3; ++slot) {
        Framebuffer fb(fw, fh);
        Viewport full{0, 0, fw, fh};
        bg(fb, full);
        group(fb, full, slot);
        writeFrame(fb, ss, prefix + "_cam" + std::to_string(slot) + ".png");
    }
    return 0;
}
