
#include <algorithm>
#include <new>

#include "host/interface.h"
#include "host/node.h"
#include "host/spline_shape.h"
#include "tests/host/host_support.h"
#include "tests/vehicle/ground_meshes.h"

namespace {

SurfaceBuildOptions Helpers(std::int32_t maxHelpers) {
    SurfaceBuildOptions options;
    options.maxHelpers = maxHelpers;
    options.helperMinFaces = 0;
    return options;
}

// The whole tree in pre-order, children and neighbours by their place in that order.
[[maybe_unused]] std::vector<double> Fingerprint(const SurfaceOctree& tree) {
    std::vector<const SurfaceNode*> order;
    ForEachNode(*tree.Root(), [&](const SurfaceNode& n) { order.push_back(&n); });
    const auto place = [&](const SurfaceNode* n) { return double(std::find(order.begin(), order.end(), n) - order.begin()); };
    std::vector<double> out;
    for (const SurfaceNode* n : order) {
        for (int a = 0; a < 3; ++a) out.insert(out.end(), {n->box.pmin[a], n->box.pmax[a]});
        out.insert(out.end(), {double(n->depth), double(n->octant), double(n->faceCount), place(n->children)});
        out.insert(out.end(), n->faces, n->faces + n->faceCount);
        for (const SurfaceNode* b : n->neighbours) out.push_back(place(b));
    }
    return out;
}

using SurfaceOctreeThreads = ThreadsTest;

#ifndef _WIN32  // only the host stand-in makes thread starts and events fail
// Helper limits and failing threads or events change nothing; a helper not started gives back.
TEST_F(SurfaceOctreeThreads, SameTreeWhateverTheThreads) {
    const Mesh mesh = SineTerrain(16, 500);
    SurfaceOctree inlineOnly;
    ASSERT_TRUE(inlineOnly.BuildFromMesh(mesh, Matrix3(), Helpers(0)));
    const struct { const char* name; std::int32_t limit; HostFailurePlan events, threads; } rows[] = {
        {"limit 1", 1, {}, {}}, {"limit 3", 3, {}, {}}, {"limit 16", 16, {}, {}},
        {"no thread starts", 8, {}, {0, 1}}, {"every second event fails", 8, {0, 2}, {}},
        {"every third thread fails", 8, {}, {0, 3}}};
    for (const auto& r : rows) {
        HostSetEventFailures(r.events);
        HostSetThreadStartFailures(r.threads);
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3(), Helpers(r.limit))) << r.name;
        EXPECT_EQ(tree.Stats().helpersStarted > 0, r.threads.every != 1) << r.name;
        EXPECT_GT(tree.Stats().helpersStarted + tree.Stats().helperFallbacks, r.threads.every == 1 ? r.limit : 0) << r.name;
        EXPECT_EQ(Fingerprint(tree), Fingerprint(inlineOnly)) << r.name;
    }
    HostResetThreadsAndEvents();
}
#endif

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

// Leaves list exactly the overlapping faces in mesh order; a node splits when over depth, to 16.
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

// Degenerate meshes build within budget and answer; non-finite geometry fails the build.
TEST(SurfaceOctreeBuild, DegenerateMeshes) {
    Mesh coincident, noFaces = FlatGrid(2, 10), badIndex = FlatGrid(1, 10);
    coincident.verts.assign(3, Point3(5, 5, 5));
    coincident.faces.assign(2000, Face());
    noFaces.faces.clear();
    AddFace(badIndex, 0, 99, 2);
    const auto withVertex = [](const Point3& p) {
        Mesh m = FlatGrid(1, 10);
        m.verts.insert(m.verts.end(), {p, -p});
        return m;
    };
    const struct { const char* name; Mesh mesh; Matrix3 tm; bool builds; Point3 p; float hit; } rows[] = {
        {"coincident vertices", coincident, Matrix3(), true, {5, 5, 6}, 1},
        {"no faces", noFaces, Matrix3(), true, {5, 5, 1}, 1},
        {"stacked duplicates", StackedDuplicates(), Matrix3(), true, {0, 0, 1}, 0.5f},
        {"index past the vertices", badIndex, Matrix3(), true, {2, 5, 1}, 0.5f},
        {"NaN vertex", withVertex({std::nanf(""), 0, 0}), Matrix3(), false, {}, 1},
        {"infinite vertex", withVertex({0, INFINITY, 0}), Matrix3(), false, {}, 1},
        {"cube overflows", withVertex({3e38f, 0, 0}), ScaleMatrix({-1, 1, 1}) * TransMatrix({3e38f, 0, 0}), false, {}, 1}};
    for (const auto& r : rows) {
        SurfaceOctree tree;
        ASSERT_EQ(tree.BuildFromMesh(r.mesh, r.tm), r.builds) << r.name;
        EXPECT_EQ(tree.IsBuilt(), r.builds) << r.name;
        if (!r.builds) continue;
        const std::int64_t spent = tree.Stats().nodes - 1 + tree.Stats().listEntries;
        EXPECT_LE(spent, kSurfaceBudgetPerFace * std::int64_t(r.mesh.faces.size()) + kSurfaceBudgetBase) << r.name;
        EXPECT_FLOAT_EQ(tree.GroundHit(r.p, {0, 0, -2}), r.hit) << r.name;
    }
}

// Converts to a flat square, one with an infinite vertex, or nothing; a leaked copy shows in ASan.
class Converter : public GeomObject {
public:
    explicit Converter(const char* gives) : gives_(gives) {}
    int CanConvertToType(Class_ID id) override { return id == triObjectClassID ? 1 : 0; }
    Object* ConvertToType(TimeValue, Class_ID) override {
        if (gives_ == std::string("nothing")) return nullptr;
        auto* made = new TriObject;
        made->mesh = FlatGrid(1, 10);
        if (gives_ == std::string("broken")) made->mesh.verts[0].x = INFINITY;
        return made;
    }

private:
    const char* gives_;
};

INode* NodeWith(Object* obj, const Point3& at = Point3()) {
    INode* node = GetCOREInterface()->CreateObjectNode(obj);
    node->SetNodeTM(0, TransMatrix(at));
    return node;
}

// The node's mesh in world space, or its converted copy; a failed build leaves the octree as it was.
TEST(SurfaceOctreeNode, BuildFromTheNodesObject) {
    GetCOREInterface()->ResetScene();
    SurfaceOctree tree;
    ASSERT_TRUE(tree.Build(NodeWith(new Converter("mesh"), {100, 0, 50})));
    EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 0.5f);
    auto* own = new TriObject;
    own->mesh = FlatGrid(1, 10);
    ASSERT_TRUE(tree.Build(NodeWith(own, {100, 0, 50})));
    for (INode* failing : {static_cast<INode*>(nullptr), NodeWith(nullptr), NodeWith(new SplineShape),
                           NodeWith(new Converter("nothing")), NodeWith(new Converter("broken"))}) {
        EXPECT_EQ(tree.Build(failing), false);
        EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 0.5f);
    }
    tree.Free();
    EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 1.0f);
    GetCOREInterface()->ResetScene();
}

}  // namespace
