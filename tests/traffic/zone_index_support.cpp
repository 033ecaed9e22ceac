#include "tests/traffic/zone_index_support.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;

float Uniform(std::mt19937& rng, float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
int Pick(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// Rules 0 to 4, and 5 which acts on nothing.
TrafficZone RandomZone(std::mt19937& rng, Point3 centre, float size, int slot) {
    const Matrix3 tm = RotateZMatrix(Uniform(rng, -kPi, kPi)) * TransMatrix({centre.x, centre.y, Uniform(rng, -1, 1)});
    const auto owner = static_cast<std::uint64_t>(Pick(rng, 0, 3));
    TrafficZone z;
    z.Init(tm, owner, Uniform(rng, 0.05f, 1.0f) * size, Uniform(rng, 0.05f, 1.0f) * size, slot,
           static_cast<std::uint32_t>(Pick(rng, 0, 5)), Uniform(rng, 1.0f, 800.0f));
    return z;
}

Box3 SceneBounds(const ZoneScene& scene) {
    Box3 b;
    for (const ZoneBlock& block : scene.blocks)
        for (const TrafficZone& z : block) z.AddToBox(b);
    return b;
}

VehicleProbe ProbeAt(std::mt19937& rng, Point3 p) {
    VehicleProbe probe;
    probe.position = {p.x, p.y, Uniform(rng, -2.0f, 2.0f)};
    probe.slot = Pick(rng, -3, 12);
    probe.owner = static_cast<std::uint64_t>(Pick(rng, 1, 4));
    const float heading = Uniform(rng, -kPi, kPi);
    probe.bodyTM = RotateZMatrix(heading) * TransMatrix({p.x + Uniform(rng, -50, 50), p.y + Uniform(rng, -50, 50), 0});
    probe.heading = probe.bodyTM.GetRow(1);
    probe.size = {Uniform(rng, 20, 100), Uniform(rng, 50, 300), 1.5f};
    return probe;
}

// Square tiles of side `tile` covering cells*cells cells from origin, for one slot.
void AddTiles(std::vector<ZoneBlock>& blocks, std::size_t& next, int slot, Point3 origin, float tile, int cells,
              bool quarterTurn, std::mt19937& rng) {
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            if (next == blocks.size()) blocks.emplace_back();
            const Point3 centre = origin + Point3((static_cast<float>(i) + 0.5f) * tile, (static_cast<float>(j) + 0.5f) * tile, 0.0f);
            Matrix3 tm = TransMatrix(centre);
            if (quarterTurn) tm = Matrix3({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, centre);
            blocks[next++][static_cast<std::size_t>(slot)].Init(tm, static_cast<std::uint64_t>(Pick(rng, 0, 2)), tile / 2,
                                                                tile / 2, slot, static_cast<std::uint32_t>(Pick(rng, 0, 4)),
                                                                Uniform(rng, 1.0f, 800.0f));
        }
    }
}
}  // namespace

std::vector<const TrafficZone*> ZoneScene::Pointers() const {
    std::vector<const TrafficZone*> p;
    for (const ZoneBlock& block : blocks) p.push_back(block.data());
    return p;
}

ZoneBuildStats ZoneScene::BuildInto(ZoneIndex& index) const {
    const std::vector<const TrafficZone*> p = Pointers();
    return index.Build(p.data(), static_cast<std::int32_t>(p.size()));
}

ZoneScene RandomScene(std::uint32_t seed, int blocks, float extent, Point3 origin) {
    std::mt19937 rng(seed);
    ZoneScene scene;
    scene.blocks.resize(static_cast<std::size_t>(blocks));
    for (ZoneBlock& block : scene.blocks) {
        Point3 centre = origin + Point3(Uniform(rng, -extent, extent), Uniform(rng, -extent, extent), 0.0f);
        const float size = Uniform(rng, 0.005f, 0.08f) * extent;
        for (int s = 0; s < 8; ++s) {
            block[static_cast<std::size_t>(s)] = RandomZone(rng, centre, size, s);
            centre += Point3(Uniform(rng, -0.02f, 0.02f) * extent, Uniform(rng, -0.02f, 0.02f) * extent, 0.0f);
        }
    }
    return scene;
}

ZoneScene ClusterScene(std::uint32_t seed) {
    std::mt19937 rng(seed);
    ZoneScene scene;
    const Point3 spots[] = {{-500, -500, 0}, {300, 200, 0}, {310, 205, 0}, {800, -640, 0}};
    for (int b = 0; b < 240; ++b) {
        const Point3 spot = spots[b % 4];
        ZoneBlock& block = scene.blocks.emplace_back();
        for (int s = 0; s < 8; ++s) {
            const Point3 at = spot + Point3(Uniform(rng, -2, 2), Uniform(rng, -2, 2), 0.0f);
            block[static_cast<std::size_t>(s)] = RandomZone(rng, at, Uniform(rng, 0.01f, 3.0f), s);
        }
    }
    return scene;
}

ZoneScene DuplicateScene(std::uint32_t seed) {
    std::mt19937 rng(seed);
    ZoneScene scene;
    ZoneBlock block;
    for (int s = 0; s < 8; ++s) block[static_cast<std::size_t>(s)] = RandomZone(rng, {10, 20, 0}, 5.0f, s);
    scene.blocks.assign(70, block);
    const ZoneScene others = RandomScene(seed + 1, 60, 100.0f);
    scene.blocks.insert(scene.blocks.end(), others.blocks.begin(), others.blocks.end());
    scene.blocks.insert(scene.blocks.end(), 40, others.blocks.front());
    return scene;
}

ZoneScene GridScene(Point3 origin, float tile, bool quarterTurn) {
    std::mt19937 rng(7);
    ZoneScene scene;
    // The root square of every slot is origin + [0, 16 tile]^2; level L cells are 16 tile / 2^L.
    const float side = 16.0f * tile;
    for (int s = 0; s < 8; ++s) {
        std::size_t next = 0;
        const int cells = 2 << (s % 4);  // tiles filling the cells of level 1 to 4
        AddTiles(scene.blocks, next, s, origin, side / static_cast<float>(cells), cells, quarterTurn, rng);
        // A second layer: one tile that exactly fills the upper right quadrant.
        if (next == scene.blocks.size()) scene.blocks.emplace_back();
        const Point3 centre = origin + Point3(0.75f * side, 0.75f * side, 0.0f);
        scene.blocks[next][static_cast<std::size_t>(s)].Init(TransMatrix(centre), 9, side / 4, side / 4, s, RuleSpeedLimit,
                                                             3.0f + static_cast<float>(s));
    }
    return scene;
}

std::vector<VehicleProbe> RandomProbes(const ZoneScene& scene, std::uint32_t seed, int count) {
    std::mt19937 rng(seed);
    const Box3 b = SceneBounds(scene);
    const Point3 margin = (b.pmax - b.pmin) * 0.1f;
    std::vector<VehicleProbe> probes;
    for (int i = 0; i < count; ++i) {
        const Point3 p(Uniform(rng, b.pmin.x - margin.x, b.pmax.x + margin.x),
                       Uniform(rng, b.pmin.y - margin.y, b.pmax.y + margin.y), 0.0f);
        probes.push_back(ProbeAt(rng, p));
    }
    return probes;
}

std::vector<VehicleProbe> BoundaryProbes(const ZoneScene& scene, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<VehicleProbe> probes;
    const auto step = [](float v, int d) { return d == 0 ? v : std::nextafter(v, static_cast<float>(d) * INFINITY); };
    const auto add = [&](Point3 p, int slot) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                VehicleProbe probe = ProbeAt(rng, {step(p.x, dx), step(p.y, dy), 0.0f});
                probe.position.z = 0.0f;
                probe.slot = slot + Pick(rng, 0, 2);
                probes.push_back(probe);
            }
        }
    };
    for (std::size_t b = 0; b < scene.blocks.size(); b += 1 + scene.blocks.size() / 40) {
        for (int s = 0; s < 8; ++s) {
            const TrafficZone& z = scene.blocks[b][static_cast<std::size_t>(s)];
            for (int i = 0; i < 4; ++i) {
                add(z.corners[i], s);
                add((z.corners[i] + z.corners[(i + 1) % 4]) * 0.5f, s);
            }
        }
    }
    return probes;
}

std::vector<VehicleProbe> CentreLineProbes(const ZoneIndex& index, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<VehicleProbe> probes;
    for (int s = 0; s < 8; ++s) {
        const ZoneTree& tree = index.Tree(s);
        for (std::size_t n = 0; n < tree.nodes.size(); n += 1 + tree.nodes.size() / 200) {
            const Box3& sq = tree.squares[n];
            const ZoneTreeNode& node = tree.nodes[n];
            VehicleProbe onX = ProbeAt(rng, {node.centreX, Uniform(rng, sq.pmin.y, sq.pmax.y), 0.0f});
            VehicleProbe onY = ProbeAt(rng, {Uniform(rng, sq.pmin.x, sq.pmax.x), node.centreY, 0.0f});
            VehicleProbe onBoth = ProbeAt(rng, {node.centreX, node.centreY, 0.0f});
            for (VehicleProbe* p : {&onX, &onY, &onBoth}) {
                p->slot = s + Pick(rng, 0, 2);
                probes.push_back(*p);
            }
        }
    }
    return probes;
}

ZoneEffect BruteForce(const ZoneScene& scene, const VehicleProbe& probe, const ZoneEffect& start) {
    ZoneEffect fresh;
    const int slot = std::clamp(probe.slot, 0, 7);
    for (int s = std::max(0, slot - 2); s <= slot; ++s)
        for (const ZoneBlock& block : scene.blocks) block[static_cast<std::size_t>(s)].Apply(probe, fresh);
    ZoneEffect result = start;
    return result.Accumulate(fresh);
}

bool EffectsEqual(const ZoneEffect& a, const ZoneEffect& b) {
    return a.score == b.score && a.found == b.found && a.stopTerm == b.stopTerm && a.priority == b.priority &&
           a.speedCap == b.speedCap;
}

bool SameTrees(const ZoneIndex& a, const ZoneIndex& b) {
    for (int s = 0; s < 8; ++s) {
        const ZoneTree& x = a.Tree(s);
        const ZoneTree& y = b.Tree(s);
        if (x.nodes != y.nodes || x.entries != y.entries || x.copies != y.copies) return false;
        if (x.squares.size() != y.squares.size()) return false;
        for (std::size_t i = 0; i < x.squares.size(); ++i)
            if (x.squares[i].pmin != y.squares[i].pmin || x.squares[i].pmax != y.squares[i].pmax) return false;
    }
    return true;
}

int TreeDepth(const ZoneTree& tree) {
    if (tree.nodes.empty()) return -1;
    std::vector<int> depth(tree.nodes.size(), 0);
    int deepest = 0;
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
        const std::uint32_t first = tree.nodes[i].firstChild;
        if (first == 0) continue;
        for (std::uint32_t q = 0; q < 4; ++q) depth[first + q] = depth[i] + 1;
        deepest = std::max(deepest, depth[i] + 1);
    }
    return deepest;
}
