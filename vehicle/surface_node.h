// One cube of the ground octree, and the searches that move between cubes.
#pragma once

#include <cstdint>

#include "host/geom.h"
#include "vehicle/surface_face.h"

// The centre and the parent are not kept: the centre is one step from the box, and only the
// neighbour links need the parent, while they are made.
struct SurfaceNode {
    Box3 box;
    std::int16_t depth;   // 0 at the root
    std::int16_t octant;  // among the parent's children: bit 0 upper half in x, bit 1 in y, bit 2 in z
    std::int32_t faceCount;
    const std::uint32_t* faces;  // indices into the octree's faces; a leaf's only
    SurfaceNode* children;       // the eight children side by side, by octant; null in a leaf
    // Across the faces -x, +x, -y, +y, -z, +z: the deepest node, not deeper than this one, that
    // holds the face's centre point; null on the root cube's surface.
    SurfaceNode* neighbours[6];

    // The leaf holding p, points on a centre plane going to the lower side.
    const SurfaceNode* FindLeaf(const Point3& p) const;
    // As FindLeaf, but stops at depth.
    SurfaceNode* FindNeighbour(const Point3& p, int depth);
    // Tests every face of this leaf's list; true when any hits, ray.hi then holding the nearest.
    // Here, so that it joins the walk's loop.
    bool HitFaces(const SurfaceFace* all, SurfaceRay& ray, float slack) const {
        bool hit = false;
        for (std::int32_t i = 0; i < faceCount; ++i) hit |= all[faces[i]].HitInBox(ray, box, slack);
        return hit;
    }
};
