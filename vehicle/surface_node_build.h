// The recursive build of the ground octree: a node splits into eight cubes, each built on a
// helper thread while the running-helper count allows, else inline.
#pragma once

#include <cstdint>

#include "host/geom.h"
#include "traffic/build_arena.h"
#include "traffic/helper_budget.h"
#include "vehicle/surface_face.h"
#include "vehicle/surface_node.h"

// What every node of one build shares.
struct SurfaceBuildContext {
    const SurfaceFace* faces;
    const Point3* vertices;
    HelperBudget* helpers;
    std::int32_t helperMinFaces;  // a smaller child is always built inline
    void (*childHook)(bool onHelper);
};

// Builds node over box from its list of face indices, allocating from arena. budget bounds what
// the subtree may add, counted as eight per split plus every list entry of the new children, and
// is shared among the children by their list lengths, so that the tree depends only on the mesh.
// place is the helper's place in the running count when the node is the first built on a helper
// thread, else null; it is given back as soon as the node has nothing left to do but wait.
// Returns only when the whole subtree stands; an exception from any part of it, on whatever
// thread, comes out here after every thread started for the subtree has finished.
void BuildSurfaceNode(SurfaceNode& node, const Box3& box, const std::uint32_t* list, std::int32_t count,
                      std::int32_t octant, std::int32_t depth, std::int64_t budget,
                      const SurfaceBuildContext& context, BuildArena& arena, HelperPlace* place);
