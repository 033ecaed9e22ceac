// Vehicle steps on a grid town: microseconds per step on one thread, and vehicle-steps per
// second with a frame's vehicles split into contiguous slices over 1, 2, 4 and 8 threads.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "host/tri_object.h"
#include "road/lane_network.h"
#include "traffic/zone_index.h"
#include "vehicle/surface_octree.h"
#include "vehicle/vehicle_state.h"

namespace {
constexpr float kBlock = 10000.0f;  // 100 m between streets; scene units are centimetres

struct Town {
    std::unique_ptr<LaneNetwork> lanes;
    SurfaceOctree ground;
    std::vector<std::unique_ptr<VehicleState>> cars;
    std::vector<const TrafficZone*> blocks;
    ZoneIndex index;
};

WayRecord Lane(Point3 from, Point3 to, Point3 side) {
    WayRecord way;
    way.SetCorners(from, to, to + side, from + side);
    way.maxSpeed = 1389.0f;
    way.enable[0] = way.enable[1] = way.enable[2] = 1;
    return way;
}

// n streets each way, two lanes of 3.5 m, cut into 25 m pieces; a flat ground under all of it.
std::unique_ptr<LaneNetwork> GridLanes(int n) {
    std::vector<WayRecord> ways;
    const float piece = 2500.0f, w = 350.0f, length = kBlock * static_cast<float>(n - 1);
    for (int s = 0; s < n; ++s)
        for (float a = 0.0f; a < length; a += piece) {
            const float c = kBlock * static_cast<float>(s);
            ways.push_back(Lane({a, c, 0}, {a + piece, c, 0}, {0, w, 0}));
            ways.push_back(Lane({a + piece, c, 0}, {a, c, 0}, {0, -w, 0}));
            ways.push_back(Lane({c, a, 0}, {c, a + piece, 0}, {-w, 0, 0}));
            ways.push_back(Lane({c, a + piece, 0}, {c, a, 0}, {w, 0, 0}));
        }
    std::unique_ptr<WayRecord[]> records(new WayRecord[ways.size()]);
    std::copy(ways.begin(), ways.end(), records.get());
    return std::make_unique<LaneNetwork>(std::move(records), static_cast<std::int32_t>(ways.size()));
}

void MakeCar(VehicleState& s) {
    s.halfLength = 200.0f, s.halfWidth = 90.0f, s.height = 150.0f, s.axleCount = 2;
    s.wheelPos[0] = {80.0f, 120.0f, 30.0f};
    s.wheelPos[1] = s.wheelPos[2] = {80.0f, -120.0f, 30.0f};
    for (Point3& w : s.wheelSize) w = {20.0f, 30.0f, 0.0f};
    s.UpdateAxles();
    s.maxSpeed = 1389.0f, s.turnSpeed = 500.0f, s.accelRate = 300.0f, s.rigidity = 10.0f, s.stopTime = 10.0f;
}

// Cars placed on the town and driven for a while, so that they move and meet.
Town& TownOf(int cars) {
    static std::map<int, std::unique_ptr<Town>> towns;
    std::unique_ptr<Town>& town = towns[cars];
    if (town) return *town;
    town = std::make_unique<Town>();
    const int n = TinyRun() ? 2 : 6;
    town->lanes = GridLanes(n);
    Mesh flat;
    const float side = kBlock * static_cast<float>(n + 1);
    for (const Point3 p : {Point3(-kBlock, -kBlock, 0), Point3(side, -kBlock, 0), Point3(side, side, 0), Point3(-kBlock, side, 0)})
        flat.verts.push_back(p);
    flat.faces.resize(2);
    flat.faces[0].setVerts(0, 1, 2);
    flat.faces[1].setVerts(0, 2, 3);
    town->ground.BuildFromMesh(flat, Matrix3());
    std::vector<TrafficZone> placed(static_cast<std::size_t>(cars) + 1);
    for (int i = 0; i < cars; ++i) {
        town->cars.push_back(std::make_unique<VehicleState>());
        MakeCar(*town->cars.back());
        town->cars.back()->Place(placed.data(), i, *town->lanes, 0);
        town->blocks.push_back(town->cars.back()->zones);
    }
    for (int f = 0; f < (TinyRun() ? 2 : 30); ++f) {
        town->index.Build(town->blocks.data(), cars);
        for (auto& car : town->cars) car->Step(0.033f, *town->lanes, town->index, town->ground);
    }
    town->index.Build(town->blocks.data(), cars);
    return *town;
}

int Cars() { return TinyRun() ? 8 : 256; }

// Time per iteration is the time of one step.
void BM_VehicleStep(benchmark::State& state) {
    Town& town = TownOf(Cars());
    std::size_t i = 0;
    for (auto _ : state) {
        town.cars[i]->Step(0.033f, *town.lanes, town.index, town.ground);
        i = (i + 1) % town.cars.size();
    }
}

// One frame: the cars split into contiguous slices, one thread each, as the run does.
void BM_VehicleFrame(benchmark::State& state) {
    Town& town = TownOf(Cars());
    const auto threads = static_cast<std::size_t>(state.range(0));
    const std::size_t count = town.cars.size();
    for (auto _ : state) {
        std::vector<std::thread> workers;
        for (std::size_t t = 0; t < threads; ++t)
            workers.emplace_back([&, t] {
                for (std::size_t i = count * t / threads; i < count * (t + 1) / threads; ++i)
                    town.cars[i]->Step(0.033f, *town.lanes, town.index, town.ground);
            });
        for (std::thread& w : workers) w.join();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}
}  // namespace

BENCHMARK(BM_VehicleStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VehicleFrame)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
