#include <algorithm>
#include <vector>

#include "common/random_access.h"
#include "host/node.h"
#include "road/lane_network.h"
#include "utility/marlovan_util.h"
#include "utility/run_driver.h"
#include "utility/scene_collect.h"
#include "vehicle/vehicle_state.h"

namespace {
// One draw per position, any position a partner: not a uniform permutation, but the order the
// vehicles have always been placed in. Each node moves with its vehicle.
void Shuffle(std::vector<VehicleState*>& vehicles, std::vector<INode*>& nodes) {
    const auto n = static_cast<std::int32_t>(vehicles.size());
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t j = std::min(static_cast<std::int32_t>(Rand01() * static_cast<float>(n)), n - 1);
        std::swap(vehicles[static_cast<std::size_t>(i)], vehicles[static_cast<std::size_t>(j)]);
        std::swap(nodes[static_cast<std::size_t>(i)], nodes[static_cast<std::size_t>(j)]);
    }
}
}  // namespace

void PlaceVehicles(MarlovanUtil& panel) {
    Interface* ip = RunInterface(panel);
    const std::int32_t s = panel.startTime;
    INode* root = ip->GetRootNode();
    {
        std::vector<INode*> nodes;
        std::vector<VehicleState*> vehicles = CollectVehicles(root, &nodes);
        std::vector<ObstacleRecord> records = BuildObstacleRecords(root);
        std::vector<TrafficZone> zones(records.size() + vehicles.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].Update(s);
            zones[i] = records[i].zones[0];
        }
        const LaneNetwork network;
        Shuffle(vehicles, nodes);
        // Only written footprints count: a vehicle left without a place adds no zone, and starts
        // where it was built rather than from wherever its state last stood.
        auto written = static_cast<std::int32_t>(records.size());
        for (std::size_t i = 0; i < vehicles.size(); ++i) {
            if (vehicles[i]->Place(zones.data(), written, network, s))
                ++written;
            else
                vehicles[i]->ResetAt(nodes[i]->GetNodeTM(s), s);
        }
    }
    NotifyVehicles(root);
    if (panel.ip != nullptr) panel.ip->ForceCompleteRedraw(TRUE);
}
