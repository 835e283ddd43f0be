#include "primitives.h"

#include <algorithm>
#include <stdexcept>

namespace {

const double kPi = 3.14159265358979323846;

Vert makeVert(V3 p, V3 n, double u, double v) { return Vert{p, n, V2{u, v}}; }

double signedArea(const std::vector<V2>& poly) {
    double a = 0;
    for (size_t i = 0; i < poly.size(); ++i) a += cross2(poly[i], poly[(i + 1) % poly.size()]);
    return a / 2;
}

bool inTriangle(V2 p, V2 a, V2 b, V2 c) {
    double d1 = cross2(b - a, p - a), d2 = cross2(c - b, p - b), d3 = cross2(a - c, p - c);
    return d1 >= 0 && d2 >= 0 && d3 >= 0;
}

}  // namespace

void lathe(Part& out, const Frame& f, const std::vector<V2>& profile, int segments, int mat, double uv,
           double startAngle) {
    // Arc length along the profile gives the second texture coordinate.
    std::vector<double> along(profile.size(), 0.0);
    for (size_t i = 1; i < profile.size(); ++i) along[i] = along[i - 1] + len(profile[i] - profile[i - 1]);
    // Normals point out of the solid the profile encloses (closed back to its
    // start), whichever way round the profile is given.
    double area = 0;
    for (size_t i = 0; i < profile.size(); ++i) area += cross2(profile[i], profile[(i + 1) % profile.size()]);
    double outward = area >= 0 ? 1.0 : -1.0;
    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        V2 p0 = profile[i], p1 = profile[i + 1];
        V2 d = p1 - p0;
        if (len(d) < 1e-9) continue;
        // Outward normal of the profile edge in (radius, height): (dh, -dr).
        V2 pn = V2{d.y, -d.x} * (outward / len(d));
        for (int s = 0; s < segments; ++s) {
            double a0 = startAngle + 2 * kPi * s / segments, a1 = startAngle + 2 * kPi * (s + 1) / segments;
            auto pt = [&](V2 q, double a) { return f.at(q.x * std::cos(a), q.x * std::sin(a), q.y); };
            auto nr = [&](double a) { return f.dir(pn.x * std::cos(a), pn.x * std::sin(a), pn.y); };
            double rm = std::max(0.5 * (p0.x + p1.x), 0.05);
            Vert v00 = makeVert(pt(p0, a0), nr(a0), a0 * rm * uv, along[i] * uv);
            Vert v01 = makeVert(pt(p0, a1), nr(a1), a1 * rm * uv, along[i] * uv);
            Vert v10 = makeVert(pt(p1, a0), nr(a0), a0 * rm * uv, along[i + 1] * uv);
            Vert v11 = makeVert(pt(p1, a1), nr(a1), a1 * rm * uv, along[i + 1] * uv);
            if (p0.x > 0) out.push_back(Tri{{v00, v01, v11}, mat});
            if (p1.x > 0) out.push_back(Tri{{v00, v11, v10}, mat});
            if (p0.x <= 0 && p1.x <= 0) throw std::logic_error("lathe profile runs along its axis");
        }
    }
}

std::vector<int> triangulate(const std::vector<V2>& polyIn) {
    std::vector<int> idx(polyIn.size());
    for (size_t i = 0; i < idx.size(); ++i) idx[i] = static_cast<int>(i);
    if (signedArea(polyIn) < 0) std::reverse(idx.begin(), idx.end());
    std::vector<int> out;
    int guard = 0;
    while (idx.size() > 3) {
        bool clipped = false;
        for (size_t i = 0; i < idx.size(); ++i) {
            int ip = idx[(i + idx.size() - 1) % idx.size()], ic = idx[i], in = idx[(i + 1) % idx.size()];
            V2 a = polyIn[ip], b = polyIn[ic], c = polyIn[in];
            if (cross2(b - a, c - b) <= 1e-12) continue;
            bool empty = true;
            for (int j : idx) {
                if (j == ip || j == ic || j == in) continue;
                if (inTriangle(polyIn[j], a, b, c)) {
                    empty = false;
                    break;
                }
            }
            if (!empty) continue;
            out.insert(out.end(), {ip, ic, in});
            idx.erase(idx.begin() + static_cast<long>(i));
            clipped = true;
            break;
        }
        if (!clipped || ++guard > 100000) throw std::logic_error("polygon could not be triangulated");
    }
    out.insert(out.end(), {idx[0], idx[1], idx[2]});
    return out;
}

void flatPolygon(Part& out, const Frame& f, const std::vector<V2>& poly, double c, bool down, int mat, double uv) {
    std::vector<int> t = triangulate(poly);
    V3 n = down ? -f.w : f.w;
    for (size_t k = 0; k < t.size(); k += 3) {
        int i0 = t[k], i1 = t[k + 1], i2 = t[k + 2];
        if (down) std::swap(i1, i2);
        Tri tri;
        tri.mat = mat;
        int ids[3] = {i0, i1, i2};
        for (int j = 0; j < 3; ++j) {
            V2 q = poly[ids[j]];
            tri.v[j] = makeVert(f.at(q.x, q.y, c), n, q.x * uv, q.y * uv);
        }
        out.push_back(tri);
    }
}

static void walls(Part& out, const Frame& f, const std::vector<V2>& poly, double c0, double c1, int mat, double uv,
                  bool inward, bool closing = true) {
    bool ccw = signedArea(poly) > 0;
    double along = 0;
    for (size_t i = 0; i < poly.size() - (closing ? 0 : 1); ++i) {
        V2 a = poly[i], b = poly[(i + 1) % poly.size()];
        V2 d = b - a;
        double l = len(d);
        if (l < 1e-9) continue;
        V2 n2 = V2{d.y, -d.x} * (1.0 / l);  // outward for a counter-clockwise loop
        if (!ccw) n2 = n2 * -1;
        if (inward) n2 = n2 * -1;
        V3 n = f.dir(n2.x, n2.y, 0);
        Vert a0 = makeVert(f.at(a.x, a.y, c0), n, along * uv, c0 * uv);
        Vert b0 = makeVert(f.at(b.x, b.y, c0), n, (along + l) * uv, c0 * uv);
        Vert a1 = makeVert(f.at(a.x, a.y, c1), n, along * uv, c1 * uv);
        Vert b1 = makeVert(f.at(b.x, b.y, c1), n, (along + l) * uv, c1 * uv);
        out.push_back(Tri{{a0, b0, b1}, mat});
        out.push_back(Tri{{a0, b1, a1}, mat});
        along += l;
    }
}

void extrude(Part& out, const Frame& f, const std::vector<V2>& poly, double c0, double c1, int mat, double uv,
             bool caps) {
    walls(out, f, poly, c0, c1, mat, uv, false);
    if (caps) {
        flatPolygon(out, f, poly, c1, false, mat, uv);
        flatPolygon(out, f, poly, c0, true, mat, uv);
    }
}

void extrudeOpenBase(Part& out, const Frame& f, const std::vector<V2>& poly, double c0, double c1, int mat,
                     double uv) {
    walls(out, f, poly, c0, c1, mat, uv, false, false);
    flatPolygon(out, f, poly, c1, false, mat, uv);
    flatPolygon(out, f, poly, c0, true, mat, uv);
}

void ringFace(Part& out, const Frame& f, const std::vector<V2>& outer, const std::vector<V2>& inner, double c,
              bool down, int mat, double uv) {
    // Walk both loops by angle, always advancing the one whose next point
    // comes first, so the strip never folds over itself. Angles are unwrapped
    // per loop, so each loop only needs to run counter-clockwise.
    auto unwrapped = [](const std::vector<V2>& loop) {
        std::vector<double> a(loop.size() + 1);
        a[0] = std::atan2(loop[0].y, loop[0].x);
        for (size_t i = 1; i < loop.size(); ++i) {
            double d = std::atan2(loop[i].y, loop[i].x) - std::atan2(loop[i - 1].y, loop[i - 1].x);
            while (d < -1e-9) d += 2 * kPi;
            while (d >= 2 * kPi) d -= 2 * kPi;
            a[i] = a[i - 1] + d;
        }
        a[loop.size()] = a[0] + 2 * kPi;
        return a;
    };
    std::vector<double> ao = unwrapped(outer), ai = unwrapped(inner);
    size_t no = outer.size(), ni = inner.size();
    size_t io = 0, ii = 0;
    V3 n = down ? -f.w : f.w;
    auto emit = [&](V2 p, V2 q, V2 r) {
        Tri t;
        t.mat = mat;
        V2 pts[3] = {p, q, r};
        if (down) std::swap(pts[1], pts[2]);
        for (int j = 0; j < 3; ++j) t.v[j] = makeVert(f.at(pts[j].x, pts[j].y, c), n, pts[j].x * uv, pts[j].y * uv);
        out.push_back(t);
    };
    while (io < no || ii < ni) {
        V2 o0 = outer[io % no], i0 = inner[ii % ni];
        bool advanceOuter = ii >= ni || (io < no && ao[io + 1] <= ai[ii + 1]);
        if (advanceOuter) {
            emit(i0, o0, outer[(io + 1) % no]);
            ++io;
        } else {
            emit(i0, o0, inner[(ii + 1) % ni]);
            ++ii;
        }
    }
}

void extrudeRing(Part& out, const Frame& f, const std::vector<V2>& outer, const std::vector<V2>& inner, double c0,
                 double c1, int mat, double uv) {
    walls(out, f, outer, c0, c1, mat, uv, false);
    walls(out, f, inner, c0, c1, mat, uv, true);
    ringFace(out, f, outer, inner, c1, false, mat, uv);
    ringFace(out, f, outer, inner, c0, true, mat, uv);
}

void box(Part& out, const Frame& f, double a0, double a1, double b0, double b1, double c0, double c1, int mat,
         double uv) {
    extrude(out, f, {{a0, b0}, {a1, b0}, {a1, b1}, {a0, b1}}, c0, c1, mat, uv);
}

std::vector<V2> circle(double r, int n, double a0) {
    std::vector<V2> c;
    for (int i = 0; i < n; ++i) c.push_back(polar(r, a0 + 2 * kPi * i / n));
    return c;
}

Tri degenerate(V3 p, int mat) {
    // Distinct texture coordinates and a unit normal keep every derived value finite.
    Tri t;
    t.mat = mat;
    t.v[0] = makeVert(p, {0, 0, 1}, 0, 0);
    t.v[1] = makeVert(p, {0, 0, 1}, 1, 0);
    t.v[2] = makeVert(p, {0, 0, 1}, 0, 1);
    return t;
}

std::vector<V2> taperedBar(V2 a, V2 b, double wa, double wb, int arcPoints) {
    V2 d = b - a;
    double l = len(d);
    double ang = std::atan2(d.y, d.x);
    std::vector<V2> poly;
    // Semicircular cap at b, then down the other side and round a.
    for (int i = 0; i <= arcPoints; ++i) poly.push_back(b + polar(wb, ang - kPi / 2 + kPi * i / arcPoints));
    for (int i = 0; i <= arcPoints; ++i) poly.push_back(a + polar(wa, ang + kPi / 2 + kPi * i / arcPoints));
    (void)l;
    return poly;
}

void cylinder(Part& out, const Frame& f, double r, double c0, double c1, int n, int mat, double uv) {
    std::vector<V2> ring = circle(r, n);
    for (int i = 0; i < n; ++i) {
        V2 a = ring[i], b = ring[(i + 1) % n];
        double ua = 2 * kPi * r * i / n * uv, ub = 2 * kPi * r * (i + 1) / n * uv;
        V3 na = f.dir(a.x, a.y, 0), nb = f.dir(b.x, b.y, 0);
        Vert a0 = makeVert(f.at(a.x, a.y, c0), na, ua, c0 * uv), b0 = makeVert(f.at(b.x, b.y, c0), nb, ub, c0 * uv);
        Vert a1 = makeVert(f.at(a.x, a.y, c1), na, ua, c1 * uv), b1 = makeVert(f.at(b.x, b.y, c1), nb, ub, c1 * uv);
        out.push_back(Tri{{a0, b0, b1}, mat});
        out.push_back(Tri{{a0, b1, a1}, mat});
    }
    flatPolygon(out, f, ring, c1, false, mat, uv);
    flatPolygon(out, f, ring, c0, true, mat, uv);
}

static V2 catmull(V2 p0, V2 p1, V2 p2, V2 p3, double t) {
    double t2 = t * t, t3 = t2 * t;
    return (p1 * 2 + (p2 - p0) * t + (p0 * 2 - p1 * 5 + p2 * 4 - p3) * t2 + (p3 - p0 + (p1 - p2) * 3) * t3) * 0.5;
}

std::vector<V2> smoothLoop(const std::vector<V2>& c, int per) {
    std::vector<V2> out;
    size_t n = c.size();
    for (size_t i = 0; i < n; ++i)
        for (int k = 0; k < per; ++k)
            out.push_back(catmull(c[(i + n - 1) % n], c[i], c[(i + 1) % n], c[(i + 2) % n], double(k) / per));
    return out;
}

std::vector<V2> smoothPath(const std::vector<V2>& c, int per) {
    std::vector<V2> out;
    size_t n = c.size();
    for (size_t i = 0; i + 1 < n; ++i)
        for (int k = 0; k < per; ++k) {
            V2 p0 = i == 0 ? c[0] * 2 - c[1] : c[i - 1];
            V2 p3 = i + 2 < n ? c[i + 2] : c[n - 1] * 2 - c[n - 2];
            out.push_back(catmull(p0, c[i], c[i + 1], p3, double(k) / per));
        }
    out.push_back(c.back());
    return out;
}
