// The recursive build of the ground octree: a node splits into eight cubes, each built on a
// helper thread while the running-helper count allows, else inline.
#pragma once

#include <cstdint>
#include <exception>

#include "host/geom.h"
#include "traffic/build_arena.h"
#include "traffic/detached_job.h"
#include "traffic/helper_budget.h"
#include "vehicle/surface_face.h"
#include "vehicle/surface_node.h"

// What every node of one build shares.
struct SurfaceBuildContext {
    const SurfaceFace* faces;
    const Point3* vertices;
    HelperBudget* running;        // the running-helper count and its maximum
    std::int32_t helperMinFaces;  // a smaller child is always built inline
    void (*helperHook)(bool starting);
};

// The description of one child to be built, held by the parent while it builds its children.
struct SurfaceBuildJob {
    Box3 box;
    const std::uint32_t* faces = nullptr;  // the child's own list, sorted out by the parent
    std::int32_t faceCount = 0;
    std::int32_t octant = 0;
    std::int32_t parentDepth = 0;
    SurfaceNode* childSlots = nullptr;  // the parent's children; the child stands at childSlots[octant]
    std::int64_t budget = 0;            // what the child's subtree may add
    const SurfaceBuildContext* context = nullptr;
    bool helper = false;
    BuildArena arena;  // a helper's own; handed to the parent when the helper is done
    std::exception_ptr error;
    CompletionSignal done;
};
