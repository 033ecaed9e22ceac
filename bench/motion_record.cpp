// Motion recording: samples per second through MotionRecord::Append, keys kept per
// vehicle-frame, and the largest playback error of a recorded channel over its tolerance.
// Vehicles drive winding roads at town speeds with bumpy suspension. Argument: frames per run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "vehicle/vehicle_state.h"

namespace {

constexpr int kVehicles = 64;

// One vehicle's snapshots, frame by frame: a car of 1.8 m by 4.6 m (units are centimetres) at
// 20 to 50 km/h on a road that winds with a random period.
std::vector<VehicleSnapshot> Drive(int frames, std::mt19937& rng) {
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    const float speed = 550.0f + 850.0f * u(rng);
    const float wind = 0.2f + 0.8f * u(rng);
    std::vector<VehicleSnapshot> out(static_cast<std::size_t>(frames));
    Point3 at(2000.0f * u(rng), 2000.0f * u(rng), 0.0f);
    float heading = 6.28f * u(rng), distance = 0.0f;
    for (int f = 0; f < frames; ++f) {
        VehicleSnapshot& s = out[static_cast<std::size_t>(f)];
        const float dt = 0.033f;
        s.time = f * 160;
        s.steerAvg = 0.3f * std::sin(wind * f * dt);
        heading += s.steerAvg * speed * dt / 300.0f;
        at += Point3(-std::sin(heading), std::cos(heading), 0.0f) * (speed * dt);
        distance += speed * dt;
        const float pitch = 0.01f * std::sin(f * 0.4f), roll = 0.2f * s.steerAvg * 0.05f;
        s.springTM = RotateXMatrix(pitch) * RotateYMatrix(roll) * RotateZMatrix(heading) * TransMatrix(at);
        for (int i = 0; i < 6; ++i) s.suspension[i] = 2.0f * std::sin(distance * 0.01f + i) + 0.3f * u(rng);
        s.spin[0] = distance / 30.0f / std::cos(s.steerAvg);
        s.spin[1] = distance / 30.0f;
    }
    return out;
}

struct Fleet {
    std::vector<std::unique_ptr<VehicleState>> states;
    std::vector<std::vector<VehicleSnapshot>> drives;
};

Fleet MakeFleet(int frames) {
    std::mt19937 rng(11);
    Fleet fleet;
    for (int v = 0; v < kVehicles; ++v) {
        auto state = std::make_unique<VehicleState>();
        state->halfWidth = 90.0f;
        state->halfLength = 230.0f;
        fleet.states.push_back(std::move(state));
        fleet.drives.push_back(Drive(frames, rng));
    }
    return fleet;
}

float Channel(const VehicleSnapshot& s, int c) {
    if (c < 12) return s.springTM[c / 3][c % 3];
    if (c < kChannelSpin) return s.suspension[c - kChannelSuspension];
    return c < kChannelSteer ? s.spin[c - kChannelSpin] : s.steerAvg;
}

float Tolerance(int c) {
    if (c < 9) return 90.0f * 0.002f / 230.0f;
    return c < kChannelSpin ? 90.0f * 0.002f : 0.002f;
}

void BM_Append(benchmark::State& bench) {
    const int frames = TinyRun() ? 10 : static_cast<int>(bench.range(0));
    Fleet fleet = MakeFleet(frames);
    for (auto _ : bench) {
        for (int v = 0; v < kVehicles; ++v) fleet.states[v]->record.Start(frames, *fleet.states[v]);
        for (int f = 0; f < frames; ++f)
            for (int v = 0; v < kVehicles; ++v) fleet.states[v]->record.Append(fleet.drives[v][f]);
        for (auto& s : fleet.states) s->record.Finish();
    }
    long keys = 0;
    float worst = 0.0f;
    for (int v = 0; v < kVehicles; ++v)
        for (int c = 0; c < kMotionChannels; ++c) {
            const MotionTrack& track = fleet.states[v]->record.Track(c);
            keys += track.KeyCount();
            for (const VehicleSnapshot& s : fleet.drives[v])
                worst = std::max(worst, std::fabs(track.Evaluate(s.time) - Channel(s, c)) / Tolerance(c));
        }
    const double samples = static_cast<double>(kVehicles) * frames;
    bench.counters["samples/s"] = benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate);
    bench.counters["keys/vehicle-frame"] = static_cast<double>(keys) / samples;
    bench.counters["max error/tol"] = worst;
}

BENCHMARK(BM_Append)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
