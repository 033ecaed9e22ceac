// Whole runs as "Trace" makes them: ms per frame and vehicle-steps per second for 10, 100 and
// 1000 cars on 1, 2, 4 and 8 worker threads, and the process's peak memory.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <map>
#include <string>

#include "bench/bench_support.h"
#include "common/random_access.h"
#include "host/run_ui.h"
#include "host/spline_shape.h"
#include "host/testing.h"
#include "host/tri_object.h"
#include "road/road_mod.h"
#include "utility/marlovan_util.h"
#include "utility/run_driver.h"
#include "vehicle/vehicle_object.h"

namespace {
constexpr float kRoadLength = 100000.0f;  // 1 km; scene units are centimetres
constexpr float kRoadGap = 3000.0f;

INode* Add(Object* obj, Point3 at) {
    INode* node = GetCOREInterface()->CreateObjectNode(obj);
    node->SetNodeTM(0, TransMatrix(at));
    return node;
}

// Parallel roads with two lanes each way, one per 250 cars, on one flat ground.
MarlovanUtil& SceneOf(int cars) {
    static std::map<int, MarlovanUtil> panels;
    static int built = -1;
    MarlovanUtil& panel = panels[cars];
    if (built == cars) return panel;
    GetCOREInterface()->ResetScene();
    const int roads = 1 + cars / 250;
    for (int r = 0; r < roads; ++r) {
        auto* shape = new SplineShape;
        shape->shape.steps = 0;
        Spline3D* s = shape->shape.NewSpline();
        for (const Point3 p : {Point3(0, 0, 0), Point3(kRoadLength, 0, 0)}) s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p));
        Add(shape, {0, kRoadGap * static_cast<float>(r), 0})->AddWSModifier(new RoadMod);
    }
    auto* ground = new TriObject;
    const float top = kRoadGap * static_cast<float>(roads);
    for (const Point3 p : {Point3(-2000, -2000, 0), Point3(kRoadLength + 2000, -2000, 0), Point3(kRoadLength + 2000, top, 0),
                           Point3(-2000, top, 0)})
        ground->GetMesh().verts.push_back(p);
    ground->GetMesh().faces.resize(2);
    ground->GetMesh().faces[0].setVerts(0, 1, 2);
    ground->GetMesh().faces[1].setVerts(0, 2, 3);
    panel.surfaceHandle = Add(ground, {})->GetHandle();
    for (int i = 0; i < cars; ++i) {
        auto* v = static_cast<VehicleObject*>(static_cast<Object*>(GetVehicleDesc()->Create(FALSE)));
        v->SetWheelCount(2);
        v->SetWheelTables({80, 120, 30}, {20, 30, 0}, 0);
        v->SetWheelTables({80, -120, 30}, {20, 30, 0}, 1);
        Add(v, {});
    }
    SharedRandom().srand(1);
    HostResetWin32();
    PlaceVehicles(panel);
    built = cars;
    return panel;
}

long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void BM_Trace(benchmark::State& state) {
    const int cars = static_cast<int>(state.range(0));
    const int frames = TinyRun() ? 3 : cars >= 1000 ? 4 : 16;
    HostSetProcessorCount(static_cast<DWORD>(state.range(1)));
    MarlovanUtil& panel = SceneOf(cars);
    panel.startTime = 0;
    panel.endTime = frames * GetTicksPerFrame();
    double seconds = 0.0;
    for (auto _ : state) {
        const auto began = std::chrono::steady_clock::now();
        CarTracing(panel);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    }
    const double stepped = static_cast<double>(frames - 1) * static_cast<double>(state.iterations());
    state.counters["ms_per_frame"] = 1000.0 * seconds / stepped;
    state.counters["vehicle_steps_per_s"] = static_cast<double>(cars) * stepped / seconds;
    state.counters["unplaced"] = HostBeepCount();
    state.counters["peak_MB"] = static_cast<double>(PeakKilobytes()) / 1024.0;
    HostSetProcessorCount(std::nullopt);
}

void Sizes(benchmark::internal::Benchmark* b) {
    if (TinyRun()) {
        b->Args({10, 1});
        return;
    }
    for (const int cars : {10, 100, 1000})
        for (const int threads : {1, 2, 4, 8}) b->Args({cars, threads});
}
BENCHMARK(BM_Trace)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
}  // namespace

BENCHMARK_MAIN();
