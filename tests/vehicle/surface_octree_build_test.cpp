#include <algorithm>
#include <atomic>
#include <map>
#include <new>

#include "common/box_helpers.h"
#include "host/interface.h"
#include "host/node.h"
#include "host/spline_shape.h"
#include "tests/host/host_support.h"
#include "tests/vehicle/ground_meshes.h"

namespace {

// Helpers alive at once, from their start to just before they signal, and the most seen.
std::atomic<int> live{0}, peak{0};
void CountLive(bool starting) { peak = std::max(peak.load(), live += starting ? 1 : -1); }

SurfaceBuildOptions Helpers(std::int32_t maxHelpers) { return {.maxHelpers = maxHelpers, .helperMinFaces = 0, .helperHook = CountLive}; }

// The whole tree in pre-order, children and neighbours by their place in that order.
[[maybe_unused]] std::vector<double> Fingerprint(const SurfaceOctree& tree) {
    std::map<const SurfaceNode*, double> place{{nullptr, -1.0}};
    ForEachNode(*tree.Root(), [&](const SurfaceNode& n) { place.emplace(&n, double(place.size())); });
    std::vector<double> out;
    ForEachNode(*tree.Root(), [&](const SurfaceNode& n) {
        out.insert(out.end(), {n.box.pmin.x, n.box.pmin.y, n.box.pmin.z, n.box.pmax.x, n.box.pmax.y, n.box.pmax.z});
        out.insert(out.end(), {double(n.depth), double(n.octant), double(n.faceCount), place[n.children]});
        out.insert(out.end(), n.faces, n.faces + n.faceCount);
        for (const SurfaceNode* b : n.neighbours) out.push_back(place[b]);
    });
    return out;
}

using SurfaceOctreeThreads = ThreadsTest;

#ifndef _WIN32  // only the host stand-in makes thread starts and events fail
// Helper limits and failing threads or events change nothing; a helper not started gives back;
// a helper keeps its place until it signals, so no more than the limit are ever alive.
TEST_F(SurfaceOctreeThreads, SameTreeWhateverTheThreads) {
    const Mesh mesh = SineTerrain(16, 500);
    SurfaceOctree inlineOnly;
    ASSERT_TRUE(inlineOnly.BuildFromMesh(mesh, Matrix3(), Helpers(0)));
    const struct { const char* name; std::int32_t limit; HostFailurePlan events, threads; } rows[] = {
        {"limit 1", 1, {}, {}}, {"limit 2", 2, {}, {}}, {"limit 16", 16, {}, {}},
        {"no thread starts", 8, {}, {0, 1}}, {"every second event fails", 8, {0, 2}, {}},
        {"every third thread fails", 8, {}, {0, 3}}};
    for (const auto& r : rows) {
        HostSetEventFailures(r.events), HostSetThreadStartFailures(r.threads);
        SurfaceOctree tree;
        peak = 0;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3(), Helpers(r.limit))) << r.name;
        EXPECT_TRUE(live == 0 && peak <= r.limit) << r.name << ": " << peak << " helpers alive";
        const SurfaceBuildStats stats = tree.Stats();
        EXPECT_TRUE((stats.helpersStarted > 0) == (r.threads.every != 1) && stats.helpersStarted + stats.helperFallbacks > (r.threads.every == 1 ? r.limit : 0))
            << r.name << ": " << stats.helpersStarted << " started, " << stats.helperFallbacks << " fell back";
        EXPECT_EQ(Fingerprint(tree), Fingerprint(inlineOnly)) << r.name;
    }
    HostResetThreadsAndEvents();
}
#endif

TEST_F(SurfaceOctreeThreads, AnExceptionInAHelperFailsTheBuildAndKeepsTheOldTree) {
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(FlatGrid(4, 10), Matrix3()));
    SurfaceBuildOptions options = Helpers(4);
    options.helperHook = [](bool starting) {
        if (starting) throw std::bad_alloc();
    };
    EXPECT_FALSE(tree.BuildFromMesh(SineTerrain(8, 100), Matrix3(), options));
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {0, 0, -2}), 0.5f);
}

// Leaves list exactly the faces that meet their cube, in mesh order, and no more than their depth
// but at depth 16.
TEST(SurfaceOctreeBuild, LeafListsMatchAnOverlapScan) {
    for (const Mesh& mesh : {RandomSoup(300, 50, 9), SineTerrain(10, 200), IntegerGrid(6)}) {
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
        const std::vector<Triangle> triangles = Triangles(mesh);
        ForEachNode(*tree.Root(), [&](const SurfaceNode& n) {
            const double margin = 1e-4 * (n.box.pmax.x - n.box.pmin.x);
            std::int32_t listed = 0;  // matched in ascending order
            for (std::uint32_t i = 0; i < triangles.size() && n.children == nullptr; ++i) {
                const bool next = listed < n.faceCount && n.faces[listed] == i;
                listed += next ? 1 : 0;
                EXPECT_TRUE(next ? TriangleMeetsBox(triangles[i], n.box, margin) : !TriangleMeetsBox(triangles[i], n.box, -margin));
            }
            EXPECT_TRUE(listed == n.faceCount && (n.faceCount <= n.depth || n.depth == 16));
        });
    }
}

// A node splits while it holds more faces than its depth, down to depth 16, and while its budget
// pays eight nodes and the children's entries. Stacked copies of a tiny triangle lie in one child
// at every depth, so each split costs 8 + copies. The cube is padded more below than above.
TEST(SurfaceOctreeBuild, DepthAndBudgetAreReachedAndHeld) {
    const Box3 cube = PaddedCube(Box3(Point3(0, 0, 0), Point3(100, 40, 10)));
    EXPECT_FLOAT_EQ(cube.pmin.y, -30.0f - 100.0f * 0.012545679f);
    EXPECT_FLOAT_EQ(cube.pmax.x, 100.0f + (100.0f + 100.0f * 0.012545679f) * 0.012345679f);
    EXPECT_FLOAT_EQ(cube.pmax.z - cube.pmin.z, cube.pmax.x - cube.pmin.x);
    const Point3 p = cube.pmin + (cube.pmax - cube.pmin) * (13.0f / 24.0f);  // 2^-k / 3 from every k-th plane
    const struct { std::int32_t copies; std::int64_t budget, nodes; std::int32_t depth; } rows[] = {
        {5, -1, 41, 5}, {17, -1, 129, 16}, {17, 5 * 25, 41, 5}, {17, 5 * 25 - 1, 33, 4}};
    for (const auto& r : rows) {
        const Mesh mesh{{Point3(0, 0, 0), Point3(100, 40, 10), p, p + Point3(1e-4f, 0, 0), p + Point3(0, 1e-4f, 0)},
                        std::vector<Face>(std::size_t(r.copies), Face{{2, 3, 4}})};
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3(), {.budget = r.budget}));
        const SurfaceBuildStats stats = tree.Stats();
        EXPECT_TRUE(stats.nodes == r.nodes && stats.maxDepth == r.depth && stats.listEntries == r.copies) << r.budget;
        // The root's centre lies in its lowest child, an empty leaf.
        EXPECT_TRUE(tree.Root()->FindLeaf(p)->faceCount == r.copies && tree.Root()->FindLeaf(Box3Center(cube)) == tree.Root()->children);
    }
}

// Meshes with nothing to stand on or non-finite geometry fail the build; a face past the vertices
// is never hit (read as vertex 0 it would be a slope above the ground); stacked faces stay within
// the budget and answer.
TEST(SurfaceOctreeBuild, DegenerateMeshes) {
    const auto square = [](std::vector<Point3> verts, std::vector<Face> faces) {  // FlatGrid(1, 10) and more
        Mesh m = FlatGrid(1, 10);
        m.verts.insert(m.verts.end(), verts.begin(), verts.end());
        m.faces.insert(m.faces.end(), faces.begin(), faces.end());
        return m;
    };
    const Matrix3 id;
    const struct { const char* name; Mesh mesh; Matrix3 tm; bool builds; Point3 p; float hit; } rows[] = {
        {"coincident vertices", Mesh{std::vector<Point3>(3, Point3(5, 5, 5)), std::vector<Face>(2000)}, id, false, {}, 1},
        {"no faces", Mesh{FlatGrid(2, 10).verts, {}}, id, false, {}, 1},
        {"stacked duplicates", StackedDuplicates(), id, true, {0, 0, 1}, 0.5f},
        {"index at the vertex count", square({Point3(10, 0, 1), Point3(0, 10, 1)}, {Face{{6, 4, 5}}}), id, true, {2, 2, 1}, 0.5f},
        {"NaN vertex", square({Point3(std::nanf(""), 0, 0)}, {}), id, false, {}, 1},
        {"infinite vertex", square({Point3(0, INFINITY, 0)}, {}), id, false, {}, 1},
        {"cube overflows", square({Point3(3e38f, 0, 0), Point3(-3e38f, 0, 0)}, {}), ScaleMatrix({-1, 1, 1}) * TransMatrix({3e38f, 0, 0}), false, {}, 1}};
    for (const auto& r : rows) {
        SurfaceOctree tree;
        EXPECT_EQ(tree.BuildFromMesh(r.mesh, r.tm), r.builds) << r.name;
        EXPECT_EQ(tree.IsBuilt(), r.builds) << r.name;
        if (!tree.IsBuilt()) continue;
        const std::int64_t budget = kSurfaceBudgetPerFace * std::int64_t(r.mesh.faces.size()) + kSurfaceBudgetBase;
        EXPECT_LE(tree.Stats().nodes - 1 + tree.Stats().listEntries, budget) << r.name;
        EXPECT_FLOAT_EQ(tree.GroundHit(r.p, {0, 0, -2}), r.hit) << r.name;
    }
}

// Converts to a flat square with its first `faces` faces, or to nothing; a leaked copy shows in ASan.
struct Converter : GeomObject {
    int faces;  // below 0: the conversion gives nothing
    explicit Converter(int f) : faces(f) {}
    int CanConvertToType(Class_ID id) override { return id == triObjectClassID ? 1 : 0; }
    Object* ConvertToType(TimeValue, Class_ID) override {
        if (faces < 0) return nullptr;
        auto* made = new TriObject;
        made->mesh = FlatGrid(1, 10);
        made->mesh.faces.resize(std::size_t(faces));
        return made;
    }
};

INode* NodeWith(Object* obj, const Point3& at = Point3()) {
    INode* node = GetCOREInterface()->CreateObjectNode(obj);
    node->SetNodeTM(0, TransMatrix(at));
    return node;
}

// The node's mesh in world space, or its converted copy; a failed build, for want of a mesh or of
// faces, leaves the octree as it was.
TEST(SurfaceOctreeNode, BuildFromTheNodesObject) {
    GetCOREInterface()->ResetScene();
    SurfaceOctree tree;
    ASSERT_TRUE(tree.Build(NodeWith(new Converter(2), {100, 0, 50})));
    EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 0.5f);
    auto* own = new TriObject;
    own->mesh = FlatGrid(1, 10);
    ASSERT_TRUE(tree.Build(NodeWith(own, {100, 0, 50})));
    for (INode* failing : {static_cast<INode*>(nullptr), NodeWith(nullptr), NodeWith(new SplineShape),
                           NodeWith(new Converter(-1)), NodeWith(new Converter(0))}) {
        EXPECT_EQ(tree.Build(failing), false);
        EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 0.5f);
    }
    tree.Free();
    EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 1.0f);
    GetCOREInterface()->ResetScene();
}

}  // namespace
