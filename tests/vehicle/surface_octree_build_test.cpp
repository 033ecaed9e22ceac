#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <vector>

#include "common/box_helpers.h"
#include "host/testing.h"
#include "tests/vehicle/ground_meshes.h"

namespace {

SurfaceBuildOptions Helpers(std::int32_t maxHelpers) {
    SurfaceBuildOptions options;
    options.maxHelpers = maxHelpers;
    options.helperMinFaces = 0;
    return options;
}

// The whole tree in pre-order: cubes, depths, octants, lists, children and neighbours by
// pre-order number.
std::vector<double> Fingerprint(const SurfaceOctree& tree) {
    std::vector<const SurfaceNode*> order;
    ForEachNode(*tree.Root(), [&](const SurfaceNode& n) { order.push_back(&n); });
    const auto number = [&](const SurfaceNode* n) {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] == n) return static_cast<double>(i);
        return -1.0;
    };
    std::vector<double> out;
    for (const SurfaceNode* n : order) {
        for (int a = 0; a < 3; ++a) out.insert(out.end(), {n->box.pmin[a], n->box.pmax[a]});
        out.insert(out.end(), {static_cast<double>(n->depth), static_cast<double>(n->octant),
                               static_cast<double>(n->faceCount), number(n->children)});
        for (std::int32_t i = 0; i < n->faceCount; ++i) out.push_back(n->faces[i]);
        for (const SurfaceNode* b : n->neighbours) out.push_back(number(b));
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

TEST_F(SurfaceOctreeThreads, SameTreeForEveryHelperLimit) {
    const Mesh mesh = SineTerrain(20, 500.0f);
    SurfaceOctree inline_;
    ASSERT_TRUE(inline_.BuildFromMesh(mesh, Matrix3(), Helpers(0)));
    EXPECT_EQ(inline_.Stats().helpersStarted, 0);
    const std::vector<double> expected = Fingerprint(inline_);
    for (const std::int32_t limit : {1, 2, 3, 16}) {
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3(), Helpers(limit)));
        EXPECT_GT(tree.Stats().helpersStarted, 0) << limit;
        EXPECT_EQ(Fingerprint(tree), expected) << "helper limit " << limit;
    }
}

TEST_F(SurfaceOctreeThreads, ThreadsOrEventsThatCannotBeMadeBuildInline) {
    const Mesh mesh = SineTerrain(12, 500.0f);
    SurfaceOctree reference;
    ASSERT_TRUE(reference.BuildFromMesh(mesh, Matrix3(), Helpers(0)));
    struct Row {
        const char* name;
        HostFailurePlan events, threads;
    } rows[] = {{"every thread fails", {}, {0, 1}}, {"every second event fails", {0, 2}, {}},
                {"every third thread fails", {}, {0, 3}}};
    for (const Row& r : rows) {
        HostSetEventFailures(r.events);
        HostSetThreadStartFailures(r.threads);
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3(), Helpers(8))) << r.name;
        EXPECT_GT(tree.Stats().helperFallbacks, 0) << r.name;
        EXPECT_EQ(Fingerprint(tree), Fingerprint(reference)) << r.name;
        HostSetEventFailures({});
        HostSetThreadStartFailures({});
    }
}

TEST_F(SurfaceOctreeThreads, AnExceptionInAHelperFailsTheBuildAndKeepsTheOldTree) {
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(FlatGrid(4, 10.0f), Matrix3()));
    SurfaceBuildOptions options = Helpers(4);
    options.childHook = [](bool onHelper) {
        if (onHelper) throw std::bad_alloc();
    };
    EXPECT_FALSE(tree.BuildFromMesh(SineTerrain(8, 100.0f), Matrix3(), options));
    EXPECT_TRUE(tree.IsBuilt());
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {0, 0, -2}), 0.5f);
}

// Every leaf lists exactly the faces that overlap its cube, in mesh order; a node splits exactly
// when more faces than its depth overlap it, down to depth 16.
TEST(SurfaceOctreeBuild, LeafListsMatchAnOverlapScan) {
    for (const Mesh& mesh : {RandomSoup(300, 50.0f, 9), SineTerrain(10, 200.0f), IntegerGrid(6)}) {
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
        ForEachNode(*tree.Root(), [&](const SurfaceNode& n) {
            std::vector<std::uint32_t> scan;
            for (std::uint32_t i = 0; i < tree.Faces().size(); ++i)
                if (FaceOverlapsBox(tree.Faces()[i], tree.Vertices().data(), n.box)) scan.push_back(i);
            if (n.children == nullptr) {
                EXPECT_EQ(std::vector<std::uint32_t>(n.faces, n.faces + n.faceCount), scan);
                EXPECT_TRUE(n.faceCount <= n.depth || n.depth == 16);
            } else {
                EXPECT_GT(static_cast<int>(scan.size()), n.depth);
                EXPECT_EQ(n.faceCount, 0);
            }
        });
    }
}

// Children tile their parent by octant, and each neighbour holds the centre of the face it lies
// across, is no deeper, and is missing exactly on the root cube's surface. Cubes of different
// parents meet only to within rounding.
TEST(SurfaceOctreeBuild, ChildrenAndNeighbours) {
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(RandomSoup(200, 50.0f, 5), Matrix3()));
    const Box3 root = tree.GetBox();
    ForEachNode(*tree.Root(), [&](const SurfaceNode& n) {
        const Point3 centre = Box3Center(n.box);
        if (n.children != nullptr)
            for (int k = 0; k < 8; ++k) {
                const SurfaceNode& c = n.children[k];
                EXPECT_EQ(c.octant, k);
                const Point3 half = (n.box.pmax - n.box.pmin) * 0.5f;
                EXPECT_EQ(c.box.pmin.x, n.box.pmin.x + ((k & 1) ? half.x : 0.0f));
                EXPECT_EQ(c.box.pmin.z, n.box.pmin.z + ((k & 4) ? half.z : 0.0f));
                EXPECT_EQ(c.box.pmax.y, c.box.pmin.y + half.y);
            }
        for (int f = 0; f < 6; ++f) {
            const int axis = f / 2;
            const float plane = (f & 1) ? n.box.pmax[axis] : n.box.pmin[axis];
            const bool onSurface = plane == ((f & 1) ? root.pmax[axis] : root.pmin[axis]);
            const SurfaceNode* b = n.neighbours[f];
            ASSERT_EQ(b == nullptr, onSurface);
            if (b == nullptr) continue;
            const float tolerance = 1e-5f * (root.pmax.x - root.pmin.x);
            for (int other = 0; other < 3; ++other)
                if (other != axis) {
                    EXPECT_LE(b->box.pmin[other], centre[other]);
                    EXPECT_GE(b->box.pmax[other], centre[other]);
                }
            EXPECT_LE(b->depth, n.depth);
            EXPECT_NEAR((f & 1) ? b->box.pmin[axis] : b->box.pmax[axis], plane, tolerance);
        }
    });
}

TEST(SurfaceOctreeBuild, PaddedCube) {
    const Box3 cube = PaddedCube(Box3(Point3(0, 0, 0), Point3(100, 40, 10)));
    const float below = 100.0f * 0.012545679f;
    EXPECT_FLOAT_EQ(cube.pmin.x, -below);
    EXPECT_FLOAT_EQ(cube.pmin.y, -30.0f - below);
    EXPECT_FLOAT_EQ(cube.pmax.x, 100.0f + (100.0f + below) * 0.012345679f);
    EXPECT_FLOAT_EQ(cube.pmax.z - cube.pmin.z, cube.pmax.x - cube.pmin.x);
}

TEST(SurfaceOctreeDegenerate, CoincidentVerticesBuildQuicklyAndAreNeverHit) {
    Mesh mesh;
    mesh.verts.assign(3, Point3(5, 5, 5));
    for (int i = 0; i < 2000; ++i) AddFace(mesh, 0, 1, 2);
    SurfaceOctree tree;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_LE(tree.Stats().nodes - 1 + tree.Stats().listEntries, kSurfaceBudgetPerFace * 2000 + kSurfaceBudgetBase);
    EXPECT_EQ(tree.Faces()[0].normal, Point3());
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 5}, {0, 0, 0}), 1.0f);
}

TEST(SurfaceOctreeDegenerate, NoFacesIsAnEmptyRootLeaf) {
    Mesh mesh = FlatGrid(2, 10.0f);
    mesh.faces.clear();
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    EXPECT_EQ(tree.Root()->children, nullptr);
    EXPECT_EQ(tree.Root()->faceCount, 0);
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {0, 0, -2}), 1.0f);
}

// Stacked copies of one triangle would split to depth 16 wherever they lie; the budget stops
// them without losing a hit.
TEST(SurfaceOctreeDegenerate, StackedDuplicatesStayWithinTheBudget) {
    Mesh mesh = SineTerrain(4, 100.0f);
    const Face stacked = mesh.faces[5];
    for (int i = 0; i < 300; ++i) mesh.faces.push_back(stacked);
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    const std::int64_t n = static_cast<std::int64_t>(mesh.faces.size());
    EXPECT_LE(tree.Stats().nodes - 1 + tree.Stats().listEntries, kSurfaceBudgetPerFace * n + kSurfaceBudgetBase);
    std::mt19937 rng(3);
    for (int i = 0; i < 300; ++i) {
        const Point3 from(Uniform(rng, 0, 100), Uniform(rng, 0, 100), 30.0f);
        const Point3 dir(Uniform(rng, -5, 5), Uniform(rng, -5, 5), -60.0f);
        ASSERT_NEAR(tree.GroundHit(from, dir), ExpectedGroundHit(tree, from, dir), 1e-5f);
    }
}

TEST(SurfaceOctreeDegenerate, NonFiniteGeometryFailsTheBuild) {
    struct Row {
        const char* name;
        Point3 vertex;
        Matrix3 tm;
    } rows[] = {{"NaN vertex", {std::nanf(""), 0, 0}, Matrix3()},
                {"infinite vertex", {0, INFINITY, 0}, Matrix3()},
                {"cube overflows", {3e38f, 0, 0}, ScaleMatrix({-1, 1, 1}) * TransMatrix({3e38f, 0, 0})}};
    for (const Row& r : rows) {
        Mesh mesh = FlatGrid(1, 10.0f);
        mesh.verts.push_back(r.vertex);
        mesh.verts.push_back(-r.vertex);
        SurfaceOctree tree;
        EXPECT_FALSE(tree.BuildFromMesh(mesh, r.tm)) << r.name;
        EXPECT_FALSE(tree.IsBuilt()) << r.name;
    }
}

TEST(SurfaceOctreeDegenerate, OutOfRangeIndicesMakeADegenerateFace) {
    Mesh mesh = FlatGrid(1, 10.0f);
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
