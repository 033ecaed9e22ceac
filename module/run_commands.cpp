#include "module/run_commands.h"

#include "host/interface.h"
#include "utility/marlovan_util.h"
#include "utility/scene_collect.h"
#include "vehicle/vehicle_state.h"

namespace {
MarlovanUtil& Panel() {
    static MarlovanUtil panel;
    return panel;
}
}  // namespace

void MarlovanTrace(ULONG surfaceHandle, std::int32_t startTime, std::int32_t endTime, MarlovanRunReport* report) {
    MarlovanUtil& panel = Panel();
    panel.ip = GetCOREInterface();
    panel.surfaceHandle = surfaceHandle;
    panel.startTime = startTime;
    panel.endTime = endTime;
    panel.PressTrace();
    if (report == nullptr) return;
    *report = MarlovanRunReport{};
    report->frames = panel.frameCount;
    for (const VehicleState* v : CollectVehicles(panel.ip->GetRootNode())) {
        ++report->vehicles;
        for (int c = 0; c < kMotionChannels; ++c) report->keys += v->record.Track(c).KeyCount();
    }
}
