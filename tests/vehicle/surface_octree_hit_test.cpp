#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "tests/vehicle/ground_meshes.h"

namespace {

struct Segment {
    Point3 origin, dir;
};

// Kinds of segment, each drawn over the mesh's bounds b from rng.
using SegmentMaker = std::function<Segment(const Mesh&, const Box3&, std::mt19937&)>;

Point3 InBounds(const Box3& b, std::mt19937& rng) {
    return {Uniform(rng, b.pmin.x, b.pmax.x), Uniform(rng, b.pmin.y, b.pmax.y), Uniform(rng, b.pmin.z, b.pmax.z)};
}

Segment Random(const Mesh&, const Box3& b, std::mt19937& rng) {
    const Point3 from = InBounds(b, rng);
    return {from, InBounds(b, rng) - from};
}

Segment Vertical(const Mesh&, const Box3& b, std::mt19937& rng) {
    Point3 from = InBounds(b, rng);
    from.z = b.pmax.z;
    return {from, Point3(0.0f, 0.0f, b.pmin.z - b.pmax.z)};
}

// Straight down through a vertex, or from anywhere through a vertex to well past it.
Segment ThroughVertex(const Mesh& mesh, const Box3& b, std::mt19937& rng) {
    const Point3 v = mesh.verts[rng() % mesh.verts.size()];
    if (rng() % 2 == 0) return {Point3(v.x, v.y, b.pmax.z), Point3(0.0f, 0.0f, b.pmin.z - b.pmax.z)};
    const Point3 from = InBounds(b, rng);
    return {from, (v - from) * 1.5f};
}

// As ThroughVertex, through the middle of a face's edge.
Segment ThroughEdge(const Mesh& mesh, const Box3& b, std::mt19937& rng) {
    const Face& f = mesh.faces[rng() % mesh.faces.size()];
    const int k = static_cast<int>(rng() % 3);
    const Point3 m = (mesh.verts[f.getVert(k)] + mesh.verts[f.getVert((k + 1) % 3)]) * 0.5f;
    if (rng() % 2 == 0) return {Point3(m.x, m.y, b.pmax.z), Point3(0.0f, 0.0f, b.pmin.z - b.pmax.z)};
    const Point3 from = InBounds(b, rng);
    return {from, (m - from) * 1.5f};
}

struct HitCase {
    const char* name;
    Mesh mesh;
    SegmentMaker segments;
};

// The mesh's own bounds, grown in z so that flat meshes have segments above and below them;
// still inside the octree's cube, so a miss is exactly 1.
Box3 SegmentBounds(const Mesh& mesh) {
    Box3 b;
    for (const Point3& v : mesh.verts) b += v;
    const float side = std::max(b.pmax.x - b.pmin.x, b.pmax.y - b.pmin.y);
    b.pmin.z -= side * 0.2f;
    b.pmax.z += side * 0.2f;
    return b;
}

void PrintTo(const HitCase& c, std::ostream* os) { *os << c.name; }

class GroundHitBruteForce : public ::testing::TestWithParam<HitCase> {};

TEST_P(GroundHitBruteForce, NearestFaceOrOne) {
    const HitCase& c = GetParam();
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(c.mesh, Matrix3()));
    const Box3 bounds = SegmentBounds(c.mesh);
    std::mt19937 rng(7);
    int hits = 0;
    for (int i = 0; i < 1500; ++i) {
        const Segment s = c.segments(c.mesh, bounds, rng);
        bool hit = false;
        const float expected = ExpectedGroundHit(tree, s.origin, s.dir, &hit);
        hits += hit ? 1 : 0;
        ASSERT_NEAR(tree.GroundHit(s.origin, s.dir), expected, 1e-5f) << "segment " << i;
    }
    EXPECT_GT(hits, 100);
}

std::string CaseName(const ::testing::TestParamInfo<HitCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Meshes, GroundHitBruteForce,
    ::testing::Values(HitCase{"SoupRandom", RandomSoup(600, 100.0f, 1), Random},
                      HitCase{"SoupVertical", RandomSoup(600, 100.0f, 2), Vertical},
                      HitCase{"SoupVertex", RandomSoup(300, 100.0f, 3), ThroughVertex},
                      HitCase{"SoupEdge", RandomSoup(300, 100.0f, 4), ThroughEdge},
                      HitCase{"SineRandom", SineTerrain(24, 1000.0f), Random},
                      HitCase{"SineVertical", SineTerrain(24, 1000.0f), Vertical},
                      HitCase{"SineVertex", SineTerrain(24, 1000.0f), ThroughVertex},
                      HitCase{"SineEdge", SineTerrain(24, 1000.0f), ThroughEdge},
                      HitCase{"FlatVertical", FlatGrid(16, 64.0f), Vertical},
                      HitCase{"FlatVertex", FlatGrid(16, 64.0f), ThroughVertex},
                      HitCase{"FlatEdge", FlatGrid(16, 64.0f), ThroughEdge},
                      HitCase{"IntegerRandom", IntegerGrid(20), Random},
                      HitCase{"IntegerVertex", IntegerGrid(20), ThroughVertex},
                      HitCase{"IntegerEdge", IntegerGrid(20), ThroughEdge}),
    CaseName);

// One flat square of two triangles over [0, 10]^2 at z = 0, and one more at z = 2 over its
// lower-left quarter.
SurfaceOctree TwoLevels() {
    Mesh mesh = FlatGrid(1, 10.0f);
    for (const Point3& p : {Point3(0, 0, 2), Point3(5, 0, 2), Point3(0, 5, 2)}) mesh.verts.push_back(p);
    AddFace(mesh, 4, 5, 6);
    SurfaceOctree tree;
    EXPECT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    return tree;
}

struct EdgeRow {
    const char* name;
    Point3 origin, dir;
    float expected;
};

TEST(GroundHit, PartEdgeCases) {
    const SurfaceOctree tree = TwoLevels();
    const Box3 cube = tree.GetBox();
    const float top = cube.pmax.z;
    const EdgeRow rows[] = {
        {"nearer of two faces", {1, 1, 4}, {0, 0, -8}, 0.25f},
        {"lower face only", {8, 8, 4}, {0, 0, -8}, 0.5f},
        {"hit at the start", {8, 8, 0}, {0, 0, -1}, 0.0f},
        {"zero direction inside", {8, 8, 1}, {0, 0, 0}, 1.0f},
        {"inside, no hit, stays inside", {8, 8, 1}, {0, 0, 0.5f}, 1.0f},
        {"leaves the cube halfway", {8, 8, 1}, {0, 0, 2 * (top - 1)}, 0.5f},
    };
    for (const EdgeRow& r : rows) EXPECT_FLOAT_EQ(tree.GroundHit(r.origin, r.dir), r.expected) << r.name;
    EXPECT_LT(tree.GroundHit({5, 5, top + 1}, {0, 0, 1}), 0.0f) << "above the cube, pointing up";
}

// A segment that never meets the cube reads as no hit, never as a parameter in [0, 1).
TEST(GroundHit, MissingTheCubeIsNeverAHit) {
    const SurfaceOctree tree = TwoLevels();
    const Box3 cube = tree.GetBox();
    const Point3 beside(cube.pmax.x + 1, 5, 1);
    const float rows[] = {tree.GroundHit(beside, {0, 0, -4}), tree.GroundHit(beside, {0, 0, 0}),
                          tree.GroundHit({cube.pmax.x + 1, 5, cube.pmax.z + 1}, {-0.5f, 0, 0.5f}),
                          tree.GroundHit({cube.pmin.x - 4, 5, 1}, {2, 100, 0})};
    for (float r : rows) EXPECT_TRUE(r < 0.0f || r >= 1.0f) << r;
}

TEST(GroundHit, NonFiniteSegmentsFindNothing) {
    const SurfaceOctree tree = TwoLevels();
    const float nan = std::nanf("");
    const float inf = INFINITY;
    EXPECT_FLOAT_EQ(tree.GroundHit({nan, 5, 1}, {0, 0, -2}), 1.0f);
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {nan, 0, -2}), 1.0f);
    EXPECT_FLOAT_EQ(tree.GroundHit({5, 5, 1}, {0, inf, -2}), 1.0f);
}

}  // namespace
