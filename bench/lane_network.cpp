// Lane network build time and query time over a grid city of two-lane streets cut into 25 m
// pieces: about 20k and 200k ways. Arguments: streets per direction, probes per vehicle. With
// one probe per vehicle every query lands somewhere else in the city (the cold case); with 32
// a vehicle's planner samples 32 footprints along its lane ahead in a row, as a run does.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "road/lane_network.h"

namespace {
// Scene units are centimetres.
constexpr float kBlock = 10000.0f;
constexpr float kPiece = 2500.0f;
constexpr float kHalfLane = 175.0f;
constexpr std::size_t kProbes = 1u << 16;

struct City {
    std::vector<WayRecord> ways;
    std::unique_ptr<LaneNetwork> network;
    std::vector<VehicleProbe> scattered;  // one probe per vehicle
    std::vector<VehicleProbe> batched;    // 32 per vehicle
};

// One lane piece from a to b along its centre line; the streets rise and fall gently.
WayRecord Lane(Point3 a, Point3 b) {
    const auto lift = [](Point3 p) { return p + Point3(0.0f, 0.0f, 300.0f * std::sin(p.x / 40000.0f)); };
    const Point3 d = Normalize(b - a), n(-d.y * kHalfLane, d.x * kHalfLane, 0.0f);
    WayRecord way;
    way.SetCorners(lift(a - n), lift(b - n), lift(b + n), lift(a + n));
    way.maxSpeed = 1389.0f;
    way.enable[0] = way.enable[1] = way.enable[2] = 1;
    return way;
}

// Both lanes of every street, piece by piece: east and north on the right, back on the left.
void AddStreets(std::vector<WayRecord>& ways, int streets) {
    const int pieces = static_cast<int>((streets - 1) * kBlock / kPiece);
    for (int s = 0; s < streets; ++s) {
        const float at = s * kBlock;
        for (int k = 0; k < pieces; ++k) {
            const float from = k * kPiece, to = from + kPiece;
            ways.push_back(Lane({from, at - kHalfLane, 0.0f}, {to, at - kHalfLane, 0.0f}));
            ways.push_back(Lane({to, at + kHalfLane, 0.0f}, {from, at + kHalfLane, 0.0f}));
            ways.push_back(Lane({at + kHalfLane, from, 0.0f}, {at + kHalfLane, to, 0.0f}));
            ways.push_back(Lane({at - kHalfLane, to, 0.0f}, {at - kHalfLane, from, 0.0f}));
        }
    }
}

// Probes in runs of `batch` per vehicle: a vehicle on a random lane, then footprints 60 cm
// apart along the lane ahead of it.
std::vector<VehicleProbe> MakeProbes(const std::vector<WayRecord>& ways, int batch) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<VehicleProbe> probes;
    while (probes.size() < kProbes) {
        const WayRecord& way = ways[rng() % ways.size()];
        const Point3 x = way.frame.GetRow(0), y = way.frame.GetRow(1);
        const Point3 start = Point3(way.halfX * unit(rng), way.halfY * unit(rng), 40.0f * unit(rng)) * way.frame;
        for (int k = 0; k < batch && probes.size() < kProbes; ++k) {
            const float turn = 0.3f * unit(rng);
            VehicleProbe probe;
            probe.position = start + x * (60.0f * k) + y * (20.0f * unit(rng));
            probe.heading = Normalize(x * std::cos(turn) + y * std::sin(turn));
            probe.bodyTM = Matrix3(-y, x, {0.0f, 0.0f, 1.0f}, probe.position);
            probe.size = {90.0f, 230.0f, 150.0f};
            probe.slot = k % 8;
            probe.inner = (k & 1) != 0;
            probe.wander = 0.5f;
            probes.push_back(probe);
        }
    }
    return probes;
}

std::unique_ptr<LaneNetwork> NetworkOf(const std::vector<WayRecord>& ways) {
    std::unique_ptr<WayRecord[]> records(new WayRecord[ways.size()]);
    for (std::size_t i = 0; i < ways.size(); ++i) records[i] = ways[i];
    return std::make_unique<LaneNetwork>(std::move(records), static_cast<std::int32_t>(ways.size()));
}

// Every thread of a threaded run asks for the city; the first one builds it.
const City& CityOf(int streets) {
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
    static std::deque<std::pair<int, City>> cities;
    for (const auto& [n, city] : cities)
        if (n == streets) return city;
    City city;
    AddStreets(city.ways, streets);
    city.network = NetworkOf(city.ways);
    city.scattered = MakeProbes(city.ways, 1);
    city.batched = MakeProbes(city.ways, 32);
    return cities.emplace_back(streets, std::move(city)).second;
}

void Sizes(benchmark::internal::Benchmark* b) {
    if (TinyRun()) {
        b->Args({4, 1});
        return;
    }
    for (const int streets : {36, 112})
        for (const int batch : {1, 32}) b->Args({streets, batch});
}

void BuildSizes(benchmark::internal::Benchmark* b) {
    if (TinyRun()) {
        b->Arg(4);
        return;
    }
    b->Arg(36)->Arg(112);
}

const std::vector<VehicleProbe>& ProbesOf(const City& city, const benchmark::State& state) {
    return state.range(1) == 1 ? city.scattered : city.batched;
}

void BM_LaneNetworkBuild(benchmark::State& state) {
    const City& city = CityOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<WayRecord[]> records(new WayRecord[city.ways.size()]);
        for (std::size_t i = 0; i < city.ways.size(); ++i) records[i] = city.ways[i];
        state.ResumeTiming();
        LaneNetwork network(std::move(records), static_cast<std::int32_t>(city.ways.size()));
        state.PauseTiming();
        state.counters["nodes"] = static_cast<double>(network.Tree().NodeCount());
        state.counters["entries"] = static_cast<double>(network.Tree().PoolSize());
        network.Free();
        state.ResumeTiming();
    }
    state.counters["ways"] = static_cast<double>(city.ways.size());
}

// A 100 m piece of a road of 100 lanes each way, drawn `copies` times over itself: every point
// lies under `copies` ways, so the cells split to the depth where the lanes stay.
std::vector<WayRecord> StackedRoad(int copies) {
    std::vector<WayRecord> ways;
    for (int c = 0; c < copies; ++c)
        for (int lane = -100; lane < 100; ++lane) {
            const float y = (2.0f * static_cast<float>(lane) + 1.0f) * kHalfLane;
            ways.push_back(Lane({0.0f, y, 0.0f}, {10000.0f, y, 0.0f}));
        }
    return ways;
}

void BM_StackedRoadBuild(benchmark::State& state) {
    const std::vector<WayRecord> ways = StackedRoad(static_cast<int>(state.range(0)));
    std::size_t nodes = 0, entries = 0;
    for (auto _ : state) {
        const auto network = NetworkOf(ways);
        nodes = network->Tree().NodeCount();
        entries = network->Tree().PoolSize();
    }
    state.counters["ways"] = static_cast<double>(ways.size());
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["entries"] = static_cast<double>(entries);
}

void BM_EvaluateWays(benchmark::State& state) {
    const City& city = CityOf(static_cast<int>(state.range(0)));
    const std::vector<VehicleProbe>& probes = ProbesOf(city, state);
    // Threads start apart and keep to whole runs of a vehicle's probes.
    std::size_t i = static_cast<std::size_t>(state.thread_index()) * 4096;
    for (auto _ : state) {
        ZoneEffect effect;
        city.network->EvaluateWays(probes[i++ % kProbes], effect);
        benchmark::DoNotOptimize(effect);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SnapToWay(benchmark::State& state) {
    const City& city = CityOf(static_cast<int>(state.range(0)));
    const std::vector<VehicleProbe>& probes = ProbesOf(city, state);
    std::size_t i = static_cast<std::size_t>(state.thread_index()) * 4096;
    for (auto _ : state) {
        Matrix3 m = probes[i++ % kProbes].bodyTM;
        city.network->SnapToWay(m, 150.0f);
        benchmark::DoNotOptimize(m);
    }
    state.SetItemsProcessed(state.iterations());
}
}  // namespace

BENCHMARK(BM_LaneNetworkBuild)->Apply(BuildSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StackedRoadBuild)->Arg(TinyRun() ? 2 : 999)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
// With 8 threads, Time is wall time over all threads' queries: the cost of one query when
// every core queries.
BENCHMARK(BM_EvaluateWays)->Apply(Sizes)->Threads(1)->Threads(8)->Unit(benchmark::kNanosecond)->UseRealTime();
BENCHMARK(BM_SnapToWay)->Apply(Sizes)->Threads(1)->Threads(8)->Unit(benchmark::kNanosecond)->UseRealTime();

BENCHMARK_MAIN();
