// A small z-buffered triangle rasteriser with near-plane clipping,
// perspective-correct attributes and alpha blending, in the conventions of
// the program's OpenGL state (depth test LEQUAL, depth writes on, no culling).
#pragma once

#include "render/math.h"

#include <functional>
#include <vector>

struct Framebuffer {
    int width, height;
    std::vector<float> rgb;    // row 0 at the bottom, as OpenGL counts
    std::vector<float> depth;  // window depth, 1 = far
    Framebuffer(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0.f), depth(static_cast<size_t>(w) * h, 1.f) {}
};

struct Viewport {
    int x, y, w, h;
};

// Attributes carried to a fragment: colour (rgba), texture coordinate, flags.
struct Varyings {
    float v[9];
};

struct ClipVertex {
    Vec4 clip;
    Varyings var;
};

// Returns false to discard; writes rgba.
using FragmentShader = std::function<bool(const Varyings&, float rgba[4])>;

void drawTriangle(Framebuffer& fb, const Viewport& vp, const ClipVertex tri[3], const FragmentShader& fs);

// Fills every pixel of the viewport whose depth test passes at `depth`.
void fillViewport(Framebuffer& fb, const Viewport& vp, float depth,
                  const std::function<void(int x, int y, float rgb[3])>& colour);
