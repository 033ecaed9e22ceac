#include "module/run_commands.h"

#include "host/interface.h"
#include "utility/marlovan_util.h"
#include "utility/scene_collect.h"
#include "vehicle/vehicle_state.h"

void MarlovanRunSummary(MarlovanRunReport* report) {
    if (report == nullptr) return;
    *report = MarlovanRunReport{};
    report->frames = ThePanel().frameCount;
    for (const VehicleState* v : CollectVehicles(GetCOREInterface()->GetRootNode())) {
        ++report->vehicles;
        for (int c = 0; c < kMotionChannels; ++c) report->keys += v->record.Track(c).KeyCount();
    }
}
