// The look-ahead tree: at every level one branch steers a sample further left and one a sample
// further right. Nodes come from their tree's fixed arena, so a step allocates nothing.
#pragma once

#include <array>
#include <cstdint>

#include "common/zone_effect.h"
#include "host/geom.h"

class LookAheadPlanner;
class PlanTree;
struct TrafficZone;

struct PlanNode {
    PlanNode* child[2] = {nullptr, nullptr};  // both null at the last level
    ZoneEffect effect[2];  // after BestTotal: including the best continuation
    Matrix3 pose[2];       // chassis pose at each branch's end

    // Sums each branch with its subtree's best and returns the better branch; ties go to branch 1.
    ZoneEffect& BestTotal(ZoneEffect& out);
    ZoneEffect& BestEffect(ZoneEffect& out) const;
    // In [-1, 1]; positive favours branch 1, which turns towards +X.
    float Steer() const;
    // Fills block[depth + 1] onwards with the footprints along the best path.
    void WriteZones(TrafficZone* block, std::int32_t depth, const LookAheadPlanner& planner) const;

private:
    friend class PlanTree;
    int Better() const { return effect[0].score > effect[1].score ? 0 : 1; }
    PlanNode& Build(const Matrix3& base, std::int32_t k, std::int32_t level, LookAheadPlanner& planner, PlanTree& tree);
};

class PlanTree {
public:
    static constexpr std::int32_t kLevels = 7;
    static constexpr std::int32_t kNodes = (1 << kLevels) - 1;

    // Builds the whole tree at base, steering index 0, level 1; the root is returned.
    PlanNode& Grow(const Matrix3& base, LookAheadPlanner& planner);
    std::int32_t Used() const { return used_; }

private:
    friend struct PlanNode;
    // Depth first from level 1, the nodes taken never exceed the arena.
    PlanNode& Take() { return nodes_[static_cast<std::size_t>(used_++)]; }

    std::array<PlanNode, kNodes> nodes_;
    std::int32_t used_ = 0;
};
