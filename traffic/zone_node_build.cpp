#include "traffic/zone_node_build.h"

#include <exception>

#include "common/box_helpers.h"
#include "traffic/detached_job.h"

namespace {
constexpr std::int32_t kMaxDepth = 16;
// A quadrant with fewer zones is built inline whatever the budget: starting and waiting for a
// thread would cost more than the quadrant itself.
constexpr std::int32_t kHelperMinZones = 2048;

struct ChildJob {
    Box3 square;
    const std::uint32_t* zones = nullptr;  // the quadrant's own list
    std::int32_t count = 0;
    std::int32_t depth = 0;
    BuildNode** child = nullptr;
    const NodeBuildContext* context = nullptr;
    BuildArena arena;  // a helper's own; handed to the parent when the helper is done
    bool onHelper = false;
    std::exception_ptr error;
    CompletionSignal done;
};

void RunChild(ChildJob& job, BuildArena& arena, HelperPlace* place) {
    try {
        if (job.context->childHook != nullptr) job.context->childHook(job.onHelper);
        BuildNode* node = arena.Allocate<BuildNode>(1);
        BuildTreeNode(*node, job.square, job.zones, job.count, job.depth, *job.context, arena, place);
        *job.child = node;
    } catch (...) {
        job.error = std::current_exception();
    }
}

void HelperMain(void* arg) {
    ChildJob& job = *static_cast<ChildJob*>(arg);
    {
        HelperPlace place(*job.context->budget);
        RunChild(job, job.arena, &place);
    }
    job.done.Raise();
}

// A helper thread if the quadrant is big enough, the budget has room and a thread and its signal
// can be made; else inline.
void Dispatch(ChildJob& job, BuildArena& arena) {
    HelperBudget& budget = *job.context->budget;
    if (job.count >= kHelperMinZones && budget.TryRaise()) {
        job.onHelper = true;
        if (StartDetachedJob(job.done, HelperMain, &job)) {
            budget.CountStarted();
            return;
        }
        job.onHelper = false;
        budget.Lower();
        budget.CountFallback();
    }
    RunChild(job, arena, nullptr);
}

// Sorts the incoming zones in one pass: those whose minHalf reaches bound stay at the node, the
// others go to every quadrant that they touch. Lists keep the incoming order.
void SortZones(BuildNode& node, const std::uint32_t* zones, std::int32_t count, float bound, ChildJob (&jobs)[4],
               const NodeBuildContext& context, BuildArena& arena) {
    Box3 squares[4];
    for (int q = 0; q < 4; ++q) squares[q] = jobs[q].square;
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

void Split(BuildNode& node, const std::uint32_t* zones, std::int32_t count, std::int32_t depth,
           const NodeBuildContext& context, BuildArena& arena, HelperPlace* place) {
    const Point3 half = (node.box.pmax - node.box.pmin) * 0.5f;
    ChildJob jobs[4];
    for (int q = 0; q < 4; ++q) {
        const Point3 step(half.x * static_cast<float>(q & 1), half.y * static_cast<float>((q >> 1) & 1), 0.0f);
        const Point3 low = node.box.pmin + step;
        jobs[q].square = Box3(low, low + half);
        jobs[q].depth = depth + 1;
        jobs[q].child = &node.children[q];
        jobs[q].context = &context;
    }
    SortZones(node, zones, count, 4.0f * half.x, jobs, context, arena);
    for (ChildJob& job : jobs) Dispatch(job, arena);
    if (place != nullptr) place->GiveBack();
    // Every helper is waited for before anything here can throw: they read this arena's lists.
    for (ChildJob& job : jobs)
        if (job.onHelper) job.done.Wait();
    for (ChildJob& job : jobs)
        if (job.onHelper) arena.Adopt(std::move(job.arena));
    for (ChildJob& job : jobs)
        if (job.error) std::rethrow_exception(job.error);
}
}  // namespace

void BuildTreeNode(BuildNode& node, const Box3& square, const std::uint32_t* zones, std::int32_t count,
                   std::int32_t depth, const NodeBuildContext& context, BuildArena& arena, HelperPlace* place) {
    node.box = square;
    node.centre = Box3Center(square);
    for (BuildNode*& child : node.children) child = nullptr;
    if (count > 2 * depth && depth < kMaxDepth) {
        Split(node, zones, count, depth, context, arena, place);
        return;
    }
    node.zones = zones;
    node.count = count;
    if (place != nullptr) place->GiveBack();
}
