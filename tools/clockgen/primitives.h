// Mesh primitives: surfaces of revolution, extruded outlines, rings, boxes.
// Every triangle gets outward normals and texture coordinates that are never
// collinear on a triangle of non-zero area, so tangents stay finite.
#pragma once

#include "geometry.h"

// Texture coordinates are model lengths times this factor.
struct UvScale {
    double s = 1.0;
};

// Surface of revolution about the frame's w axis. profile: (radius, height)
// pairs in order; a point with radius 0 closes the surface there.
void lathe(Part& out, const Frame& f, const std::vector<V2>& profile, int segments, int mat,
           double uv = 1.0, double startAngle = 0.0);

// Ear-clipping triangulation of a simple polygon (either winding); returns
// index triples into the polygon.
std::vector<int> triangulate(const std::vector<V2>& poly);

// A flat polygon at height c of the frame, facing +w (or -w when down).
void flatPolygon(Part& out, const Frame& f, const std::vector<V2>& poly, double c, bool down, int mat,
                 double uv = 1.0);

// The outline extruded from c0 to c1 along w: walls and both caps.
void extrude(Part& out, const Frame& f, const std::vector<V2>& poly, double c0, double c1, int mat,
             double uv = 1.0, bool caps = true);

// As extrude, without the wall on the closing edge (last point to first),
// for solids whose base is buried in another.
void extrudeOpenBase(Part& out, const Frame& f, const std::vector<V2>& poly, double c0, double c1, int mat,
                     double uv = 1.0);

// A ring between an outer and an inner closed outline (both counter-clockwise
// around the frame origin, both starting near angle 0), extruded from c0 to c1.
void extrudeRing(Part& out, const Frame& f, const std::vector<V2>& outer, const std::vector<V2>& inner,
                 double c0, double c1, int mat, double uv = 1.0);

// Flat strip between two closed counter-clockwise loops around the origin.
void ringFace(Part& out, const Frame& f, const std::vector<V2>& outer, const std::vector<V2>& inner, double c,
              bool down, int mat, double uv = 1.0);

// Axis-aligned box in the frame.
void box(Part& out, const Frame& f, double a0, double a1, double b0, double b1, double c0, double c1, int mat,
         double uv = 1.0);

// Circle of n points, counter-clockwise, starting at angle a0.
std::vector<V2> circle(double r, int n, double a0 = 0.0);

// A degenerate triangle: all three corners on one point.
Tri degenerate(V3 p, int mat);

// Rounded-end bar outline from a to b with half widths wa, wb.
std::vector<V2> taperedBar(V2 a, V2 b, double wa, double wb, int arcPoints);

// An n-sided cylinder along the frame's w axis from c0 to c1 with smooth
// sides and flat caps (n - 2 triangles each): 4n - 4 triangles.
void cylinder(Part& out, const Frame& f, double r, double c0, double c1, int n, int mat, double uv = 1.0);

// A smooth closed curve through the control points (Catmull-Rom), with
// `per` points per span.
std::vector<V2> smoothLoop(const std::vector<V2>& ctrl, int per);
std::vector<V2> smoothPath(const std::vector<V2>& ctrl, int per);
