#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <new>
#include <memory>
#include <stdexcept>
#include <vector>

#include "common/tracing.h"
#include "common/worker_count.h"
#include "host/time.h"
#include "road/lane_network.h"
#include "traffic/zone_index.h"
#include "utility/frame_schedule.h"
#include "utility/marlovan_util.h"
#include "utility/panel_error.h"
#include "utility/run_driver.h"
#include "utility/scene_collect.h"
#include "utility/trace_job.h"
#include "vehicle/surface_octree.h"
#include "vehicle/vehicle_state.h"

namespace {
DWORD WINAPI NoProgressWork(LPVOID) { return 0; }

struct StepFailed : std::runtime_error {
    StepFailed() : std::runtime_error("a vehicle step failed") {}
};

// Why the run stopped, said as it is: only an allocation that failed is out of memory. Written
// into a fixed buffer, as memory may be what ran out.
using FailureText = wchar_t[128];
void SayWhy(const std::exception& e, FailureText& text) {
    const char* why = dynamic_cast<const std::bad_alloc*>(&e) != nullptr ? "out of memory" : e.what();
    std::size_t n = 0;
    for (const char* part : {"Tracing stopped: ", why, "."})
        for (; *part != '\0' && n + 1 < std::size(text); ++part) text[n++] = static_cast<unsigned char>(*part);
    text[n] = L'\0';
}

// Everything one run makes, freed when it ends however it ends.
struct TraceRun {
    std::vector<VehicleState*> vehicles;
    std::vector<ObstacleRecord> records;
    std::vector<const TrafficZone*> sources;  // the vehicles' own zones, then the records'
    std::size_t recordsStarted = 0;
    std::unique_ptr<LaneNetwork> network;
    ZoneIndex index;
    TraceJob jobs[8];
    std::int32_t jobCount = 0;

    TraceRun() = default;
    TraceRun(const TraceRun&) = delete;
    TraceRun& operator=(const TraceRun&) = delete;
    ~TraceRun() {
        for (std::int32_t k = 0; k < jobCount; ++k)
            if (jobs[k].done != nullptr) CloseHandle(jobs[k].done);
    }

    void Prepare(INode* root, std::int32_t frames, SurfaceOctree& surface) {
        vehicles = CollectVehicles(root);
        records = BuildObstacleRecords(root);
        for (VehicleState* v : vehicles) sources.push_back(v->zones);
        for (ObstacleRecord& r : records) sources.push_back(r.zones);
        for (VehicleState* v : vehicles) {
            v->record.Start(frames, *v);
            ++recordsStarted;
        }
        network = std::make_unique<LaneNetwork>();
        jobCount = std::clamp(GetWorkerThreadCount(), 1, 8);
        for (std::int32_t k = 0; k < jobCount; ++k) {
            jobs[k] = TraceJob{vehicles.data(), network.get(), &index, &surface};
            jobs[k].done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        }
    }

    void Frame(std::int32_t time) {
        for (ObstacleRecord& r : records) r.Update(time);
        index.Build(sources.data(), static_cast<std::int32_t>(sources.size()));
        const bool stepped = RunTraceJobs(jobs, jobCount, static_cast<std::int32_t>(vehicles.size()), time);
        index.Free();
        if (!stepped) throw StepFailed();
    }

    void FinishRecords() {
        for (std::size_t v = 0; v < recordsStarted; ++v) vehicles[v]->record.Finish();
    }
};

// Between frames: the vehicles redrawn at the frame's scene time every tenth frame, and the
// user asked whether to stop once they have asked to cancel. False to stop.
bool BetweenFrames(Interface* ip, const FrameSchedule& schedule, std::int32_t i) {
    ip->ProgressUpdate(schedule.Percent(i), TRUE, nullptr);
    if (i % 10 == 1) {
        NotifyVehicles(ip->GetRootNode());
        ip->SetTime(schedule.SceneTime(i), TRUE);
        ip->ForceCompleteRedraw(TRUE);
    }
    if (!ip->GetCancel()) return true;
    if (MessageBoxW(ip->GetMAXHWnd(), L"Stop Tracing?", L"Marlovan", MB_YESNO | MB_ICONQUESTION) == IDYES) return false;
    ip->SetCancel(FALSE);
    return true;
}

bool BuildSurface(SurfaceOctree& surface, INode* node) {
    try {
        return surface.Build(node);
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

void CarTracing(MarlovanUtil& panel) {
    Interface* ip = RunInterface(panel);
    const bool redraw = panel.ip != nullptr;
    SetTracing(1);
    RefreshSurfaceNode(panel);
    if (panel.surfaceNode == nullptr) {
        ShowPanelError(panel, L"You have to set surface before start");
        SetTracing(0);
        return;
    }
    SurfaceOctree surface;
    if (!BuildSurface(surface, panel.surfaceNode)) {
        ShowPanelError(panel, L"Invalid Surface Mesh");
        SetTracing(0);
        return;
    }
    const FrameSchedule schedule(panel.startTime, panel.endTime, GetTicksPerFrame());
    panel.frameCount = schedule.frames;
    FailureText failure = {};
    bool progress = false;
    TraceRun run;
    try {
        run.Prepare(ip->GetRootNode(), schedule.frames, surface);
        progress = ip->ProgressStart(L"Car Tracing", TRUE, NoProgressWork, nullptr);
        for (std::int32_t i = 1; i < schedule.frames; ++i) {
            run.Frame(schedule.Time(i));
            if (!BetweenFrames(ip, schedule, i)) break;
        }
    } catch (const std::exception& e) {
        SayWhy(e, failure);
    }
    run.FinishRecords();
    if (progress) ip->ProgressEnd();
    SetTracing(0);
    try {
        if (redraw) ip->ForceCompleteRedraw(TRUE);
    } catch (const std::exception& e) {
        if (failure[0] == L'\0') SayWhy(e, failure);
    }
    if (failure[0] != L'\0') ShowPanelError(panel, failure);
}
