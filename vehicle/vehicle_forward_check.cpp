#include "vehicle/look_ahead_planner.h"
#include "vehicle/plan_node.h"
#include "vehicle/vehicle_probe_fill.h"
#include "vehicle/vehicle_state.h"

bool VehicleState::CanDriveForward(float step, const LaneNetwork& lanes, const ZoneIndex& zoneIndex) const {
    LookAheadPlanner planner;
    planner.Prepare(*this, lanes, zoneIndex, ProbeOf(*this, false), step, steer);
    PlanTree tree;
    ZoneEffect best;
    tree.Grow(bodyTM, planner).BestTotal(best);
    return best.found > 0.0;
}
