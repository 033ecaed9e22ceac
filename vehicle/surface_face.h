// One ground triangle, prepared once so that a segment test costs two dot products and a few
// multiplications, with the box overlap test that sorts it into the octree.
#pragma once

#include <cstdint>

#include "host/geom.h"

struct SurfaceRay;

// A face's corners and their bounds, read once for the eight boxes of a split.
struct FaceCorners {
    Point3 v[3];
    Box3 bounds;
};

struct SurfaceFace {
    std::uint32_t corner[3];  // indices into the octree's vertex array
    Point3 normal;            // unit; zero for a degenerate face, which is never hit
    Point3 centroid;
    std::int32_t axisU, axisV;  // the projection plane's axes
    float u0, w0;               // corner 0 on axisU, axisV
    float bu, bv, cu, cv;       // the two edges on axisU, axisV, divided by the determinant
    float planeD;

    // Fills every field. A face with an index at or past vertexCount, or without a finite,
    // non-zero area, is degenerate; such an index is read as 0 only to place the face in the tree.
    void Prepare(const Point3* vertices, std::uint32_t vertexCount, const std::uint32_t (&index)[3]);
    bool IsDegenerate() const { return normal.x == 0.0f && normal.y == 0.0f && normal.z == 0.0f; }
    FaceCorners Corners(const Point3* vertices) const;

    // Whether any point of the triangle lies in the box, bounds inclusive.
    static bool OverlapsBox(const FaceCorners& corners, const Box3& box);
    // Lowers ray.hi to the hit's parameter and returns true when the segment meets the face inside
    // [ray.start, ray.hi] at a point within slack of box. Points on the edges hit; NaN never does.
    bool HitInBox(SurfaceRay& ray, const Box3& box, float slack) const;
};
