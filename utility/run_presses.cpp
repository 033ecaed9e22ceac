#include <exception>

#include "utility/marlovan_util.h"
#include "utility/panel_error.h"
#include "utility/run_driver.h"
#include "utility/scene_collect.h"
#include "utility/surface_pick.h"
#include "utility/vehicle_copying.h"
#include "utility/vehicle_setup.h"
#include "vehicle/vehicle_state.h"

Interface* RunInterface(const MarlovanUtil& panel) { return panel.ip != nullptr ? panel.ip : GetCOREInterface(); }

void RefreshSurfaceNode(MarlovanUtil& panel) {
    panel.surfaceNode = RunInterface(panel)->GetINodeByHandle(panel.surfaceHandle);
    if (panel.surfaceNode == nullptr) panel.surfaceHandle = 0;
}

void ResetVehicles(MarlovanUtil& panel) {
    Interface* ip = RunInterface(panel);
    for (VehicleState* v : CollectVehicles(ip->GetRootNode())) v->ClearRecord();
    NotifyVehicles(ip->GetRootNode());
    if (panel.ip != nullptr) panel.ip->ForceCompleteRedraw(TRUE);
}

namespace {
// A press runs to its end before the next is taken.
class RunGuard {
public:
    explicit RunGuard(bool& running) : running_(running) { running_ = true; }
    ~RunGuard() { running_ = false; }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

private:
    bool& running_;
};
}  // namespace

void MarlovanUtil::PressTrace() {
    if (running_) return;
    const RunGuard guard(running_);
    try {
        PlaceVehicles(*this);
    } catch (const std::exception&) {
        ShowPanelError(*this, L"Placement stopped: out of memory.");
    }
    CarTracing(*this);
}

void MarlovanUtil::PressReset() {
    if (running_) return;
    const RunGuard guard(running_);
    ResetVehicles(*this);
}

void MarlovanUtil::PressSurface() {
    if (running_) return;
    ThePickSurfaceNode().panel = this;
    RunInterface(*this)->SetPickMode(&ThePickSurfaceNode());
}

void MarlovanUtil::PressSetUp() {
    if (!running_) VehicleSetup(*this);
}

void MarlovanUtil::PressCopy() {
    if (!running_) VehicleCopying(*this);
}
