#include "utility/scene_collect.h"

#include <unordered_set>

#include "host/node.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic/traffic_light.h"
#include "vehicle/vehicle_object.h"

namespace {
// What the vehicle controllers take as "the vehicle changed".
constexpr RefMessage kVehicleChanged = 0x50;

template <class Visit>
void Walk(INode* node, Visit&& visit) {
    visit(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i) Walk(node->GetChildNode(i), visit);
}

VehicleObject* VehicleOf(INode* node) {
    Object* obj = node->GetObjectRef();
    return obj != nullptr && obj->ClassID() == kVehicleClassID ? static_cast<VehicleObject*>(obj) : nullptr;
}

bool IsControlObject(INode* node) {
    Object* obj = node->GetObjectRef();
    if (obj == nullptr) return false;
    const Class_ID id = obj->ClassID();
    return id == kSpeedLimiterClassID || id == kObstacleClassID || id == kTrafficLightClassID || id == kStopLineClassID;
}
}  // namespace

void NotifyVehicles(INode* node) {
    Walk(node, [](INode* n) {
        if (VehicleObject* v = VehicleOf(n)) v->NotifyDependents(FOREVER, PART_ALL, kVehicleChanged);
    });
}

std::vector<VehicleState*> CollectVehicles(INode* root, std::vector<INode*>* nodes) {
    std::vector<VehicleState*> states;
    std::unordered_set<VehicleObject*> seen;
    Walk(root, [&](INode* n) {
        VehicleObject* v = VehicleOf(n);
        if (v == nullptr || !seen.insert(v).second) return;
        v->UpdateFromParams();
        states.push_back(&v->State());
        if (nodes != nullptr) nodes->push_back(n);
    });
    return states;
}

std::vector<ObstacleRecord> BuildObstacleRecords(INode* root) {
    std::vector<ObstacleRecord> records;
    Walk(root, [&](INode* n) {
        if (!IsControlObject(n)) return;
        records.emplace_back();
        records.back().SetNode(n);
    });
    return records;
}
