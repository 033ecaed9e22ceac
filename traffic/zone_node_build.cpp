#include "traffic/zone_node_build.h"

#include "common/box_helpers.h"
#include "traffic/zone_index.h"

namespace {
constexpr std::int32_t kMaxDepth = 16;

void HelperMain(void* arg) {
    ZoneChildJob& job = *static_cast<ZoneChildJob*>(arg);
    {
        HelperPlace place(*job.context->budget);
        ZoneIndex::BuildChild(job, job.arena, &place);
    }
    job.done.Raise();
}

// A helper thread while the running count is below its maximum and a thread and its signal can
// be made; else inline.
void Dispatch(ZoneChildJob& job, BuildArena& arena) {
    HelperBudget& budget = *job.context->budget;
    if (budget.TryRaise()) {
        job.onHelper = true;
        if (StartDetachedJob(job.done, HelperMain, &job)) {
            budget.CountStarted();
            return;
        }
        job.onHelper = false;
        budget.Lower();
        budget.CountFallback();
    }
    ZoneIndex::BuildChild(job, arena, nullptr);
}

// Sorts the incoming zones in one pass: those whose minHalf reaches bound stay at the node, the
// others go to every quadrant that they touch. Lists keep the incoming order.
void SortZones(ZoneNode& node, const std::uint32_t* zones, std::int32_t count, float bound, ZoneChildJob (&jobs)[4],
               const NodeBuildContext& context, BuildArena& arena) {
    Box3 squares[4];
    for (int q = 0; q < 4; ++q) squares[q] = jobs[q].box;
    const QuadrantSquares quadrants = MakeQuadrantSquares(squares);
    // Bit 4 marks a zone kept here.
    auto* masks = arena.Allocate<unsigned char>(static_cast<std::size_t>(count));
    std::int32_t sizes[5] = {};
    for (std::int32_t i = 0; i < count; ++i) {
        const ZoneBounds& b = context.bounds[zones[i]];
        const unsigned mask = b.minHalf >= bound ? 16u : QuadrantMask(b, context.axes[zones[i]], quadrants);
        masks[i] = static_cast<unsigned char>(mask);
        for (int k = 0; k < 5; ++k) sizes[k] += static_cast<std::int32_t>(mask >> k & 1u);
    }
    // One spare place per list lets every zone be written to every list without a branch; only
    // the lists whose bit is set move on past it.
    std::uint32_t* lists[5];
    for (int k = 0; k < 5; ++k) lists[k] = arena.Allocate<std::uint32_t>(static_cast<std::size_t>(sizes[k]) + 1);
    std::int32_t filled[5] = {};
    for (std::int32_t i = 0; i < count; ++i) {
        for (int k = 0; k < 5; ++k) {
            lists[k][filled[k]] = zones[i];
            filled[k] += masks[i] >> k & 1;
        }
    }
    node.zones = lists[4];
    node.count = sizes[4];
    for (int q = 0; q < 4; ++q) {
        jobs[q].zones = lists[q];
        jobs[q].count = sizes[q];
    }
}

void Split(ZoneNode& node, const std::uint32_t* zones, std::int32_t count, std::int32_t depth,
           const NodeBuildContext& context, BuildArena& arena, HelperPlace* place) {
    const Point3 half = (node.box.pmax - node.box.pmin) * 0.5f;
    ZoneChildJob jobs[4];
    for (int q = 0; q < 4; ++q) {
        const Point3 step(half.x * static_cast<float>(q & 1), half.y * static_cast<float>((q >> 1) & 1), 0.0f);
        const Point3 low = node.box.pmin + step;
        jobs[q].box = Box3(low, low + half);
        jobs[q].depth = depth + 1;
        jobs[q].child = &node.children[q];
        jobs[q].context = &context;
    }
    SortZones(node, zones, count, 4.0f * half.x, jobs, context, arena);
    for (ZoneChildJob& job : jobs) Dispatch(job, arena);
    if (place != nullptr) place->GiveBack();
    // Every helper is waited for before anything here can throw: they read this arena's lists.
    for (ZoneChildJob& job : jobs)
        if (job.onHelper) job.done.Wait();
    for (ZoneChildJob& job : jobs)
        if (job.onHelper) arena.Adopt(std::move(job.arena));
    for (ZoneChildJob& job : jobs)
        if (job.error) std::rethrow_exception(job.error);
}
}  // namespace

void ZoneIndex::BuildChild(ZoneChildJob& job, BuildArena& arena, HelperPlace* place) {
    try {
        if (job.context->childHook != nullptr) job.context->childHook(job.onHelper);
        ZoneNode* node = arena.Allocate<ZoneNode>(1);
        *job.child = &BuildNode(*node, job.box, job.zones, job.count, job.depth, *job.context, arena, place);
    } catch (...) {
        job.error = std::current_exception();
    }
}

ZoneNode& ZoneIndex::BuildNode(ZoneNode& node, const Box3& box, const std::uint32_t* zones, std::int32_t count,
                               std::int32_t depth, const NodeBuildContext& context, BuildArena& arena,
                               HelperPlace* place) {
    node.box = box;
    node.centre = Box3Center(box);
    for (ZoneNode*& child : node.children) child = nullptr;
    if (count > 2 * depth && depth < kMaxDepth) {
        Split(node, zones, count, depth, context, arena, place);
        return node;
    }
    node.zones = zones;
    node.count = count;
    if (place != nullptr) place->GiveBack();
    return node;
}
