#include "vehicle/plan_node.h"

#include <algorithm>
#include <cmath>

#include "traffic/traffic_zone.h"
#include "vehicle/look_ahead_planner.h"
#include "vehicle/vehicle_state.h"

PlanNode& PlanTree::Grow(const Matrix3& base, LookAheadPlanner& planner) {
    used_ = 0;
    return Take().Build(base, 0, 1, planner, *this);
}

PlanNode& PlanNode::Build(const Matrix3& base, std::int32_t k, std::int32_t level, LookAheadPlanner& planner,
                          PlanTree& tree) {
    pose[0] = pose[1] = base;
    planner.EvaluateBranch(effect[0], pose[0], level, k - 1);
    planner.EvaluateBranch(effect[1], pose[1], level, k + 1);
    if (level >= PlanTree::kLevels) {
        child[0] = child[1] = nullptr;
        return *this;
    }
    child[0] = &tree.Take().Build(pose[0], k - 1, level + 1, planner, tree);
    child[1] = &tree.Take().Build(pose[1], k + 1, level + 1, planner, tree);
    return *this;
}

ZoneEffect& PlanNode::BestTotal(ZoneEffect& out) {
    if (child[0] != nullptr) {
        ZoneEffect sub;
        effect[0].Accumulate(child[0]->BestTotal(sub));
        effect[1].Accumulate(child[1]->BestTotal(sub));
    }
    return BestEffect(out);
}

ZoneEffect& PlanNode::BestEffect(ZoneEffect& out) const { return out = effect[Better()]; }

float PlanNode::Steer() const {
    const auto s = static_cast<float>((effect[1].score - effect[0].score) * 0.05);
    // A NaN score steers straight rather than poisoning the steering for good.
    if (std::isnan(s)) return 0.0f;
    return std::clamp(s, -1.0f, 1.0f);
}

void PlanNode::WriteZones(TrafficZone* block, std::int32_t depth, const LookAheadPlanner& planner) const {
    const int b = Better();
    const float hy = planner.halfLength + static_cast<float>(depth + 4) * std::fabs(planner.probe.speed) * 0.01f;
    block[depth + 1].Init(pose[b], planner.vehicle->OwnerTag(), planner.halfWidth, hy, depth, RuleVehicle, 0.0f);
    if (child[b] != nullptr) child[b]->WriteZones(block, depth + 1, planner);
}
