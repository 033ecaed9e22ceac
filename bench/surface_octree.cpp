// Ground octree build time, memory and ground-hit time over sine terrain of 10k, 100k and 1M
// triangles, with the helper limit of 1 and 8 workers, and a brute-force scan for comparison.
// Arguments: triangles, workers.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "host/tri_object.h"
#include "vehicle/surface_octree.h"
#include "vehicle/surface_ray.h"

namespace {
constexpr float kSide = 100000.0f;  // one kilometre in centimetres

float Height(float x, float y) { return 800.0f * std::sin(x / 4000.0f) * std::cos(y / 5500.0f); }

// About `triangles` triangles: a square grid, two a cell.
Mesh Terrain(int triangles) {
    const int n = static_cast<int>(std::lround(std::sqrt(triangles / 2.0)));
    Mesh mesh;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const float x = kSide * static_cast<float>(i) / static_cast<float>(n);
            const float y = kSide * static_cast<float>(j) / static_cast<float>(n);
            mesh.verts.emplace_back(x, y, Height(x, y));
        }
    const auto at = [n](int i, int j) { return static_cast<DWORD>(j * (n + 1) + i); };
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            Face a, b;
            a.setVerts(at(i, j), at(i + 1, j), at(i + 1, j + 1));
            b.setVerts(at(i, j), at(i + 1, j + 1), at(i, j + 1));
            mesh.faces.push_back(a);
            mesh.faces.push_back(b);
        }
    return mesh;
}

const Mesh& TerrainOf(int triangles) {
    static std::map<int, Mesh> meshes;
    const auto it = meshes.find(triangles);
    return it != meshes.end() ? it->second : meshes.emplace(triangles, Terrain(triangles)).first->second;
}

// Wheel probes: short segments from above the ground down, slightly slanted. Scattered: each
// at a random place of the terrain. Per vehicle: sixteen within a car's length of one place, as
// the four wheels of one vehicle ask, then the next vehicle.
struct Probe {
    Point3 origin, dir;
};
std::vector<Probe> Probes(bool perVehicle) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> u(0.0f, kSide);
    std::uniform_real_distribution<float> slant(-20.0f, 20.0f);
    std::uniform_real_distribution<float> wheel(-230.0f, 230.0f);
    std::vector<Probe> probes;
    while (probes.size() < 4096) {
        const float cx = u(rng), cy = u(rng);
        for (int k = 0; k < (perVehicle ? 16 : 1); ++k) {
            const float x = perVehicle ? cx + wheel(rng) : cx;
            const float y = perVehicle ? cy + wheel(rng) : cy;
            probes.push_back({Point3(x, y, Height(x, y) + 60.0f), Point3(slant(rng), slant(rng), -120.0f)});
        }
    }
    return probes;
}

double TreeBytes(const SurfaceOctree& tree) {
    const SurfaceBuildStats& s = tree.Stats();
    return static_cast<double>(tree.Vertices().size() * sizeof(Point3) + tree.Faces().size() * sizeof(SurfaceFace)) +
           static_cast<double>(s.nodes) * sizeof(SurfaceNode) + static_cast<double>(s.listEntries) * 4.0;
}

double PeakResidentMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// User and system time of every thread of the process: what the build costs the machine, apart
// from what other work on a loaded machine costs it in waiting.
double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Sizes(benchmark::internal::Benchmark* b) {
    if (TinyRun()) {
        b->Args({2000, 1})->Args({2000, 8});
        return;
    }
    for (const int triangles : {10000, 100000, 1000000})
        for (const int workers : {1, 8}) b->Args({triangles, workers});
}

void BM_SurfaceOctreeBuild(benchmark::State& state) {
    const Mesh& mesh = TerrainOf(static_cast<int>(state.range(0)));
    SurfaceBuildOptions options;
    options.maxHelpers = 2 * static_cast<std::int32_t>(state.range(1));
    SurfaceOctree tree;
    const double cpuStart = ProcessCpuSeconds();
    for (auto _ : state) {
        tree.Free();
        if (!tree.BuildFromMesh(mesh, Matrix3(), options)) state.SkipWithError("build failed");
        benchmark::ClobberMemory();
    }
    const double triangles = static_cast<double>(mesh.faces.size());
    state.counters["cpu_ms"] = (ProcessCpuSeconds() - cpuStart) * 1e3 / static_cast<double>(state.iterations());
    state.counters["nodes"] = static_cast<double>(tree.Stats().nodes);
    state.counters["depth"] = tree.Stats().maxDepth;
    state.counters["helpers"] = tree.Stats().helpersStarted;
    state.counters["bytes/tri"] = TreeBytes(tree) / triangles;
    state.counters["entries/tri"] = static_cast<double>(tree.Stats().listEntries) / triangles;
    state.counters["peakMB"] = PeakResidentMB();
}
BENCHMARK(BM_SurfaceOctreeBuild)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every thread of a benchmark arrives here; the first builds the tree.
const SurfaceOctree& TreeOf(int triangles) {
    static std::mutex building;
    static std::map<int, SurfaceOctree> trees;
    const std::lock_guard<std::mutex> lock(building);
    SurfaceOctree& tree = trees[triangles];
    if (!tree.IsBuilt()) tree.BuildFromMesh(TerrainOf(triangles), Matrix3());
    return tree;
}

void BM_GroundHit(benchmark::State& state) {
    const SurfaceOctree& tree = TreeOf(static_cast<int>(state.range(0)));
    const std::vector<Probe> probes = Probes(state.range(1) != 0);
    std::size_t i = 0;
    float sum = 0.0f;
    for (auto _ : state) {
        const Probe& p = probes[i++ % probes.size()];
        sum += tree.GroundHit(p.origin, p.dir);
    }
    benchmark::DoNotOptimize(sum);
}
// Arguments: triangles, probe pattern (0 scattered, 1 per vehicle).
void HitSizes(benchmark::internal::Benchmark* b) {
    for (const int triangles : TinyRun() ? std::vector<int>{2000} : std::vector<int>{10000, 100000, 1000000})
        for (const int pattern : {0, 1}) b->Args({triangles, pattern});
}
BENCHMARK(BM_GroundHit)->Apply(HitSizes)->Threads(1)->Threads(8);

// The same probes against every face, no tree.
void BM_GroundHitBruteForce(benchmark::State& state) {
    SurfaceOctree tree;
    tree.BuildFromMesh(TerrainOf(static_cast<int>(state.range(0))), Matrix3());
    const std::vector<Probe> probes = Probes(false);
    const Box3 everywhere(Point3(-1e30f, -1e30f, -1e30f), Point3(1e30f, 1e30f, 1e30f));
    std::size_t i = 0;
    float sum = 0.0f;
    for (auto _ : state) {
        const Probe& p = probes[i++ % probes.size()];
        SurfaceRay ray{p.dir, p.origin};
        for (const SurfaceFace& face : tree.Faces()) face.HitInBox(ray, everywhere, 0.0f);
        sum += ray.hi;
    }
    benchmark::DoNotOptimize(sum);
}
void BruteSizes(benchmark::internal::Benchmark* b) {
    for (const int triangles : TinyRun() ? std::vector<int>{2000} : std::vector<int>{10000, 100000}) b->Arg(triangles);
}
BENCHMARK(BM_GroundHitBruteForce)->Apply(BruteSizes);
}  // namespace

BENCHMARK_MAIN();
