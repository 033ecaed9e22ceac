#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <thread>
#include <vector>

#include "host/testing.h"
#include "tests/vehicle/ground_meshes.h"

namespace {

SurfaceBuildOptions Helpers(std::int32_t maxHelpers) {
    SurfaceBuildOptions options;
    options.maxHelpers = maxHelpers;
    options.helperMinFaces = 0;
    return options;
}

// The whole tree in pre-order: cubes, depths, octants, lists, and children and neighbours by
// their place in that order.
std::vector<double> Fingerprint(const SurfaceOctree& tree) {
    std::vector<const SurfaceNode*> order;
    ForEachNode(*tree.Root(), [&](const SurfaceNode& n) { order.push_back(&n); });
    const auto place = [&](const SurfaceNode* n) { return static_cast<double>(std::find(order.begin(), order.end(), n) - order.begin()); };
    std::vector<double> out;
    for (const SurfaceNode* n : order) {
        for (int a = 0; a < 3; ++a) out.insert(out.end(), {n->box.pmin[a], n->box.pmax[a]});
        out.insert(out.end(), {double(n->depth), double(n->octant), double(n->faceCount), place(n->children)});
        out.insert(out.end(), n->faces, n->faces + n->faceCount);
        for (const SurfaceNode* b : n->neighbours) out.push_back(place(b));
    }
    return out;
}

class SurfaceOctreeThreads : public ::testing::Test {
protected:
    void SetUp() override { HostResetThreadsAndEvents(); }
    void TearDown() override {
        EXPECT_TRUE(HostWaitForThreads());
        const HostThreadCounts counts = HostThreadAndEventCounts();
        EXPECT_EQ(counts.eventsCreated, counts.eventsClosed);
        HostResetThreadsAndEvents();
    }
};

// Helper limits, and threads or events that cannot be made, change nothing in the tree.
TEST_F(SurfaceOctreeThreads, SameTreeWhateverTheThreads) {
    const Mesh mesh = SineTerrain(16, 500);
    SurfaceOctree inlineOnly;
    ASSERT_TRUE(inlineOnly.BuildFromMesh(mesh, Matrix3(), Helpers(0)));
    const std::vector<double> expected = Fingerprint(inlineOnly);
    const struct {
        const char* name;
        std::int32_t limit;
        HostFailurePlan events, threads;
    } rows[] = {{"limit 1", 1, {}, {}}, {"limit 3", 3, {}, {}}, {"limit 16", 16, {}, {}},
                {"no thread starts", 8, {}, {0, 1}}, {"every second event fails", 8, {0, 2}, {}},
                {"every third thread fails", 8, {}, {0, 3}}};
    for (const auto& r : rows) {
        HostSetEventFailures(r.events);
        HostSetThreadStartFailures(r.threads);
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3(), Helpers(r.limit))) << r.name;
        EXPECT_GT(tree.Stats().helpersStarted + tree.Stats().helperFallbacks, 0) << r.name;
        EXPECT_EQ(Fingerprint(tree), expected) << r.name;
    }
    HostResetThreadsAndEvents();
}

// Vehicle workers query one tree at the same time.
TEST_F(SurfaceOctreeThreads, ConcurrentQueriesAgreeWithOneThread) {
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(SineTerrain(16, 500), Matrix3(), Helpers(8)));
    const auto sweep = [&tree](int k) {
        float sum = 0.0f;
        for (int i = 0; i < 400; ++i) sum += tree.GroundHit(Point3(float(i), float(k * 7 + i % 50), 60), Point3(3, 1, -120));
        return sum;
    };
    std::vector<float> alone, together(4);
    for (int k = 0; k < 4; ++k) alone.push_back(sweep(k));
    std::vector<std::thread> workers;
    for (int k = 0; k < 4; ++k) workers.emplace_back([&, k] { together[static_cast<std::size_t>(k)] = sweep(k); });
    for (std::thread& w : workers) w.join();
    EXPECT_EQ(together, alone);
}

TEST_F(SurfaceOctreeThreads, AnExceptionInAHelperFailsTheBuildAndKeepsTheOldTree) {
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(FlatGrid(4, 10), Matrix3()));
    SurfaceBuildOptions options = Helpers(4);
    options.childHook = [](bool onHelper) {
        if (onHelper) throw std::bad_alloc();
    };
    EXPECT_FALSE(tree.BuildFromMesh(SineTerrain(8, 100), Matrix3(), options));
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {0, 0, -2}), 0.5f);
}

// Every leaf lists exactly the faces that overlap its cube, in mesh order; a node splits exactly
// when more faces than its depth overlap it, down to depth 16.
TEST(SurfaceOctreeBuild, LeafListsMatchAnOverlapScan) {
    for (const Mesh& mesh : {RandomSoup(300, 50, 9), SineTerrain(10, 200), IntegerGrid(6)}) {
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
        ForEachNode(*tree.Root(), [&](const SurfaceNode& n) {
            std::vector<std::uint32_t> scan;
            for (std::uint32_t i = 0; i < tree.Faces().size(); ++i)
                if (FaceOverlapsBox(tree.Faces()[i], tree.Vertices().data(), n.box)) scan.push_back(i);
            if (n.children != nullptr) {
                EXPECT_GT(static_cast<int>(scan.size()), n.depth);
            } else {
                EXPECT_EQ(std::vector<std::uint32_t>(n.faces, n.faces + n.faceCount), scan);
                EXPECT_TRUE(n.faceCount <= n.depth || n.depth == 16);
            }
        });
    }
}

TEST(SurfaceOctreeBuild, PaddedCube) {
    const Box3 cube = PaddedCube(Box3(Point3(0, 0, 0), Point3(100, 40, 10)));
    const float below = 100.0f * 0.012545679f;
    EXPECT_FLOAT_EQ(cube.pmin.y, -30.0f - below);
    EXPECT_FLOAT_EQ(cube.pmax.x, 100.0f + (100.0f + below) * 0.012345679f);
    EXPECT_FLOAT_EQ(cube.pmax.z - cube.pmin.z, cube.pmax.x - cube.pmin.x);
}

std::int64_t Spent(const SurfaceOctree& tree) { return tree.Stats().nodes - 1 + tree.Stats().listEntries; }

TEST(SurfaceOctreeDegenerate, CoincidentVerticesBuildQuicklyAndAreNeverHit) {
    Mesh mesh;
    mesh.verts.assign(3, Point3(5, 5, 5));
    mesh.faces.assign(2000, Face());
    SurfaceOctree tree;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_LE(Spent(tree), kSurfaceBudgetPerFace * 2000 + kSurfaceBudgetBase);
    EXPECT_EQ(tree.Faces()[0].normal, Point3());
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 6}, {0, 0, -2}), 1.0f);
}

TEST(SurfaceOctreeDegenerate, NoFacesIsAnEmptyRootLeaf) {
    Mesh mesh = FlatGrid(2, 10);
    mesh.faces.clear();
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    EXPECT_EQ(tree.Root()->children, nullptr);
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {0, 0, -2}), 1.0f);
}

// Stacked copies of one triangle would split to depth 16 wherever they lie; the budget stops
// them without losing a hit.
TEST(SurfaceOctreeDegenerate, StackedDuplicatesStayWithinTheBudget) {
    Mesh mesh = SineTerrain(4, 100);
    mesh.faces.insert(mesh.faces.end(), 300, mesh.faces[5]);
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    EXPECT_LE(Spent(tree), kSurfaceBudgetPerFace * static_cast<std::int64_t>(mesh.faces.size()) + kSurfaceBudgetBase);
    std::mt19937 rng(3);
    for (int i = 0; i < 300; ++i) {
        const Point3 from(Uniform(rng, 0, 100), Uniform(rng, 0, 100), 30), dir(Uniform(rng, -5, 5), Uniform(rng, -5, 5), -60);
        ASSERT_NEAR(tree.GroundHit(from, dir), ExpectedGroundHit(tree, from, dir), 1e-5f);
    }
}

// A non-finite vertex or cube fails the build; an index past the vertices makes a degenerate face.
TEST(SurfaceOctreeDegenerate, BadGeometry) {
    const struct {
        const char* name;
        Point3 vertex;
        Matrix3 tm;
    } rows[] = {{"NaN vertex", {std::nanf(""), 0, 0}, Matrix3()},
                {"infinite vertex", {0, INFINITY, 0}, Matrix3()},
                {"cube overflows", {3e38f, 0, 0}, ScaleMatrix({-1, 1, 1}) * TransMatrix({3e38f, 0, 0})}};
    for (const auto& r : rows) {
        Mesh mesh = FlatGrid(1, 10);
        mesh.verts.insert(mesh.verts.end(), {r.vertex, -r.vertex});
        SurfaceOctree tree;
        EXPECT_FALSE(tree.BuildFromMesh(mesh, r.tm)) << r.name;
        EXPECT_FALSE(tree.IsBuilt()) << r.name;
    }
    Mesh mesh = FlatGrid(1, 10);
    AddFace(mesh, 0, 99, 2);
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    const SurfaceFace& bad = tree.Faces()[2];
    EXPECT_EQ(bad.corner[1], 0u);
    EXPECT_EQ(bad.normal, Point3());
    EXPECT_EQ(bad.planeD, 0.0f);
    EXPECT_FLOAT_EQ(tree.GroundHit({2, 5, 1}, {0, 0, -2}), 0.5f);
}

}  // namespace
