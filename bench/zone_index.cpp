// Zone index build time and query time over a city of vehicles and control objects, at helper
// maximum 0, 1 and 8. Arguments: number of eight-zone blocks, helper maximum.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "traffic/zone_index.h"

namespace {
using Block = std::array<TrafficZone, 8>;
constexpr float kPi = std::numbers::pi_v<float>;

struct City {
    std::vector<Block> blocks;
    std::vector<const TrafficZone*> pointers;
    std::vector<VehicleProbe> scattered;
    std::vector<VehicleProbe> grouped;
};

float Uniform(std::mt19937& rng, float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }

// A car of 1.8 m by 4.6 m (scene units are centimetres) and its predicted footprints a quarter
// second apart along a gentle curve.
void AddVehicle(Block& block, std::mt19937& rng, Point3 at, std::uint64_t owner) {
    float heading = Uniform(rng, -kPi, kPi);
    const float turn = Uniform(rng, -0.05f, 0.05f);
    const float step = Uniform(rng, 0.0f, 400.0f);
    for (int s = 0; s < 8; ++s) {
        block[static_cast<std::size_t>(s)].Init(RotateZMatrix(heading) * TransMatrix(at), owner, 90.0f, 230.0f, s,
                                                RuleVehicle, 0.0f);
        at += Point3(-std::sin(heading), std::cos(heading), 0.0f) * step;
        heading += turn;
    }
}

VehicleProbe ProbeNear(const Block& block, int slot, std::mt19937& rng) {
    VehicleProbe p;
    p.position = block[static_cast<std::size_t>(slot)].tm.GetTrans() +
                 Point3(Uniform(rng, -300, 300), Uniform(rng, -300, 300), 0.0f);
    p.slot = slot;
    p.owner = rng();
    p.bodyTM = block[0].tm;
    p.size = {90.0f, 230.0f, 150.0f};
    return p;
}

// Stop lines, lights, speed limits and obstacles: the same zone in every slot.
void AddControl(Block& block, std::mt19937& rng, Point3 at) {
    const Matrix3 tm = RotateZMatrix(Uniform(rng, -kPi, kPi)) * TransMatrix(at);
    const auto rule = static_cast<std::uint32_t>(1 + rng() % 4);
    const float hx = rule == RuleSpeedLimit ? 3000.0f : 400.0f;
    const float hy = rule == RuleSpeedLimit ? 3000.0f : (rule == RuleObstacle ? 200.0f : 40.0f);
    for (int s = 0; s < 8; ++s) block[static_cast<std::size_t>(s)].Init(tm, 0, hx, hy, s, rule, 800.0f);
}

// About 1000 vehicles per square kilometre; one block in ten is a control object.
City MakeCity(int count) {
    std::mt19937 rng(2024);
    const float half = 50000.0f * std::sqrt(static_cast<float>(count) / 1000.0f);
    City city;
    city.blocks.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Point3 at(Uniform(rng, -half, half), Uniform(rng, -half, half), 0.0f);
        if (i % 10 == 9) {
            AddControl(city.blocks[static_cast<std::size_t>(i)], rng, at);
        } else {
            AddVehicle(city.blocks[static_cast<std::size_t>(i)], rng, at, static_cast<std::uint64_t>(i + 1));
        }
        city.pointers.push_back(city.blocks[static_cast<std::size_t>(i)].data());
    }
    // Scattered probes: each near a different random block, in a random slot.
    for (int i = 0; i < 4096; ++i) {
        const Block& block = city.blocks[rng() % city.blocks.size()];
        const int slot = static_cast<int>(rng() % 8);
        city.scattered.push_back(ProbeNear(block, slot, rng));
    }
    // Planner-like probes: vehicle after vehicle, eight samples around each predicted footprint.
    for (std::size_t b = 0; city.grouped.size() < 4096; b = (b + 7919) % city.blocks.size()) {
        for (int slot = 0; slot < 8; ++slot)
            for (int k = 0; k < 8; ++k) city.grouped.push_back(ProbeNear(city.blocks[b], slot, rng));
    }
    return city;
}

const City& CityOf(int count) {
    static std::map<int, City> cities;
    const auto it = cities.find(count);
    return it != cities.end() ? it->second : cities.emplace(count, MakeCity(count)).first->second;
}

void Sizes(benchmark::internal::Benchmark* b) {
    if (TinyRun()) {
        b->Args({50, 0})->Args({50, 8});
        return;
    }
    for (const int blocks : {1000, 10000})
        for (const int maximum : {0, 1, 8}) b->Args({blocks, maximum});
}

void BM_ZoneIndexBuild(benchmark::State& state) {
    const City& city = CityOf(static_cast<int>(state.range(0)));
    ZoneIndex index;
    index.SetHelperMaximum(static_cast<std::int32_t>(state.range(1)));
    ZoneBuildStats stats;
    for (auto _ : state) {
        stats = index.Build(city.pointers.data(), static_cast<std::int32_t>(city.pointers.size()));
        benchmark::ClobberMemory();
    }
    state.counters["helpers"] = stats.helpersStarted;
    state.counters["nodes"] = static_cast<double>(index.Tree(0).nodes.size());
    state.counters["entries"] = static_cast<double>(index.Tree(0).entries.size());
}

void Query(benchmark::State& state, std::vector<VehicleProbe> City::*probes) {
    const City& city = CityOf(static_cast<int>(state.range(0)));
    ZoneIndex index;
    index.SetHelperMaximum(static_cast<std::int32_t>(state.range(1)));
    index.Build(city.pointers.data(), static_cast<std::int32_t>(city.pointers.size()));
    const std::vector<VehicleProbe>& list = city.*probes;
    std::size_t i = 0;
    for (auto _ : state) {
        ZoneEffect effect;
        index.Query(list[i++ & 4095], effect);
        benchmark::DoNotOptimize(effect);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ZoneIndexQueryScattered(benchmark::State& state) { Query(state, &City::scattered); }
void BM_ZoneIndexQueryByVehicle(benchmark::State& state) { Query(state, &City::grouped); }
}  // namespace

BENCHMARK(BM_ZoneIndexBuild)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoneIndexQueryScattered)->Apply(Sizes)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_ZoneIndexQueryByVehicle)->Apply(Sizes)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
