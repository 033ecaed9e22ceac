#include "vehicle/surface_node_build.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "vehicle/surface_octree.h"

namespace {
constexpr std::int32_t kMaxOctreeDepth = 16;

void OctreeHelperMain(void* arg) {
    SurfaceBuildJob& job = *static_cast<SurfaceBuildJob*>(arg);
    SurfaceOctree::BuildChild(job, job.arena);
}

void Dispatch(SurfaceBuildJob& job, BuildArena& arena) {
    HelperBudget& running = *job.context->running;
    if (job.faceCount >= job.context->helperMinFaces && running.TryRaise()) {
        job.helper = true;
        if (StartDetachedJob(job.done, OctreeHelperMain, &job)) {
            running.CountStarted();
            return;
        }
        job.helper = false;
        running.Lower();
        running.CountFallback();
    }
    SurfaceOctree::BuildChild(job, arena);
}

Box3 ChildBox(const Box3& box, int octant) {
    const Point3 half = (box.pmax - box.pmin) * 0.5f;
    const Point3 low = box.pmin + Point3(half.x * static_cast<float>(octant & 1),
                                         half.y * static_cast<float>((octant >> 1) & 1),
                                         half.z * static_cast<float>((octant >> 2) & 1));
    return Box3(low, low + half);
}

// The eight children's lists, one after the other in the parent's order, in one buffer that
// lives until the children stand.
struct ChildLists {
    std::unique_ptr<std::uint32_t[]> entries;
    std::int32_t count[8] = {};
    std::int64_t total = 0;
};

ChildLists SortFaces(const Box3 (&boxes)[8], const std::uint32_t* list, std::int32_t count,
                     const SurfaceBuildContext& context) {
    ChildLists lists;
    auto masks = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const FaceCorners corners = context.faces[list[i]].Corners(context.vertices);
        unsigned mask = 0;
        for (int k = 0; k < 8; ++k)
            if (SurfaceFace::OverlapsBox(corners, boxes[k])) mask |= 1u << k;
        masks[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mask);
        for (int k = 0; k < 8; ++k) lists.count[k] += static_cast<std::int32_t>(mask >> k & 1u);
    }
    std::int64_t start[8];
    for (int k = 0; k < 8; ++k) {
        start[k] = lists.total;
        lists.total += lists.count[k];
    }
    lists.entries = std::make_unique_for_overwrite<std::uint32_t[]>(static_cast<std::size_t>(lists.total));
    for (std::int32_t i = 0; i < count; ++i)
        for (int k = 0; k < 8; ++k)
            if (masks[static_cast<std::size_t>(i)] >> k & 1u) lists.entries[static_cast<std::size_t>(start[k]++)] = list[i];
    return lists;
}

// Shares out what is left after this split in proportion to the lists' lengths; the rounding
// is the same on every thread, so the tree is too.
std::int64_t ChildBudget(std::int64_t left, std::int32_t count, std::int64_t total) {
    if (total == 0) return 0;
    return static_cast<std::int64_t>(static_cast<double>(left) * static_cast<double>(count) / static_cast<double>(total));
}

bool Split(SurfaceNode& node, const std::uint32_t* list, std::int32_t count, std::int64_t budget,
           const SurfaceBuildContext& context, BuildArena& arena) {
    Box3 boxes[8];
    for (int k = 0; k < 8; ++k) boxes[k] = ChildBox(node.box, k);
    const ChildLists lists = SortFaces(boxes, list, count, context);
    const std::int64_t left = budget - 8 - lists.total;
    if (left < 0) return false;
    node.children = arena.Allocate<SurfaceNode>(8);
    SurfaceBuildJob jobs[8];
    const std::uint32_t* next = lists.entries.get();
    for (int k = 0; k < 8; ++k) {
        SurfaceBuildJob& job = jobs[k];
        job.box = boxes[k];
        job.faces = next;
        job.faceCount = lists.count[k];
        job.octant = k;
        job.parentDepth = node.depth;
        job.childSlots = node.children;
        job.budget = ChildBudget(left, job.faceCount, lists.total);
        job.context = &context;
        next += job.faceCount;
    }
    for (SurfaceBuildJob& job : jobs) Dispatch(job, arena);
    // Every helper is waited for before anything here can throw: they read this node's lists.
    for (SurfaceBuildJob& job : jobs)
        if (job.helper) job.done.Wait();
    for (SurfaceBuildJob& job : jobs)
        if (job.helper) arena.Adopt(std::move(job.arena));
    for (SurfaceBuildJob& job : jobs)
        if (job.error) std::rethrow_exception(job.error);
    return true;
}
}  // namespace

void SurfaceOctree::BuildChild(SurfaceBuildJob& job, BuildArena& arena) {
    const SurfaceBuildContext& context = *job.context;
    try {
        if (job.helper && context.helperHook != nullptr) context.helperHook(true);
        BuildNode(job.childSlots[job.octant], job.box, job.faces, job.faceCount, job.octant, job.parentDepth + 1,
                  job.budget, context, arena);
    } catch (...) {
        job.error = std::current_exception();
    }
    if (!job.helper) return;
    // A helper keeps its place while it waits for its own helpers, so that no more than the
    // maximum are ever alive.
    if (context.helperHook != nullptr) context.helperHook(false);
    context.running->Lower();
    job.done.Raise();
}

void SurfaceOctree::BuildNode(SurfaceNode& node, const Box3& box, const std::uint32_t* list, std::int32_t count,
                              std::int32_t octant, std::int32_t depth, std::int64_t budget,
                              const SurfaceBuildContext& context, BuildArena& arena) {
    node.box = box;
    node.depth = static_cast<std::int16_t>(depth);
    node.octant = static_cast<std::int16_t>(octant);
    node.faceCount = 0;
    node.faces = nullptr;
    node.children = nullptr;
    std::fill(std::begin(node.neighbours), std::end(node.neighbours), nullptr);
    if (count > depth && depth < kMaxOctreeDepth && Split(node, list, count, budget, context, arena)) return;
    auto* faces = arena.Allocate<std::uint32_t>(static_cast<std::size_t>(count));
    if (count > 0) std::memcpy(faces, list, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    node.faces = faces;
    node.faceCount = count;
}
