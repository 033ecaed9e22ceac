#include <gtest/gtest.h>

#include "tests/vehicle/ground_meshes.h"

namespace {

struct Segment {
    Point3 origin, dir;
};
enum class Aim { Random, Vertical, Vertex, Edge };

struct HitCase {
    const char* name;
    Mesh mesh;
    Aim aim;
};

Point3 InBounds(const Box3& b, std::mt19937& rng) {
    return {Uniform(rng, b.pmin.x, b.pmax.x), Uniform(rng, b.pmin.y, b.pmax.y), Uniform(rng, b.pmin.z, b.pmax.z)};
}

// Straight down through target, or from anywhere through it to well past it.
Segment Through(const Point3& target, const Box3& b, std::mt19937& rng) {
    if (rng() % 2 == 0) return {Point3(target.x, target.y, b.pmax.z), Point3(0, 0, b.pmin.z - b.pmax.z)};
    const Point3 from = InBounds(b, rng);
    return {from, (target - from) * 1.5f};
}

// Over the mesh's bounds b, grown in z so that flat meshes have segments above and below them.
Segment Draw(const HitCase& c, const Box3& b, std::mt19937& rng) {
    const Mesh& m = c.mesh;
    const Face& f = m.faces[rng() % m.faces.size()];
    const int k = static_cast<int>(rng() % 3);
    switch (c.aim) {
        case Aim::Random: {
            const Point3 from = InBounds(b, rng);
            return {from, InBounds(b, rng) - from};
        }
        case Aim::Vertical: return Through(InBounds(b, rng), b, rng);
        case Aim::Vertex: return Through(m.verts[f.v[static_cast<std::size_t>(k)]], b, rng);
        case Aim::Edge: break;
    }
    return Through((m.verts[f.getVert(k)] + m.verts[f.getVert((k + 1) % 3)]) * 0.5f, b, rng);
}

class GroundHitBruteForce : public ::testing::TestWithParam<HitCase> {};

TEST_P(GroundHitBruteForce, NearestFaceElseOneOrTheCubeExit) {
    const HitCase& c = GetParam();
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(c.mesh, Matrix3()));
    Box3 bounds;
    for (const Point3& v : c.mesh.verts) bounds += v;
    const float grow = (bounds.pmax.x - bounds.pmin.x) * 0.2f;
    bounds.pmin.z -= grow;
    bounds.pmax.z += grow;
    std::mt19937 rng(7);
    int hits = 0;
    for (int i = 0; i < 1500; ++i) {
        const Segment s = Draw(c, bounds, rng);
        bool hit = false;
        const float expected = ExpectedGroundHit(tree, s.origin, s.dir, &hit);
        hits += hit ? 1 : 0;
        ASSERT_NEAR(tree.GroundHit(s.origin, s.dir), expected, 1e-5f) << "segment " << i;
    }
    EXPECT_GT(hits, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Meshes, GroundHitBruteForce,
    ::testing::Values(HitCase{"SoupRandom", RandomSoup(600, 100, 1), Aim::Random},
                      HitCase{"SoupVertex", RandomSoup(300, 100, 3), Aim::Vertex},
                      HitCase{"SoupEdge", RandomSoup(300, 100, 4), Aim::Edge},
                      HitCase{"SineVertex", SineTerrain(24, 1000), Aim::Vertex},
                      HitCase{"SineEdge", SineTerrain(24, 1000), Aim::Edge},
                      HitCase{"FlatEdge", FlatGrid(16, 64), Aim::Edge},
                      HitCase{"IntegerVertex", IntegerGrid(20), Aim::Vertex},
                      HitCase{"IntegerEdge", IntegerGrid(20), Aim::Edge},
                      HitCase{"StackedVertical", StackedDuplicates(), Aim::Vertical}),
    [](const auto& info) { return std::string(info.param.name); });

// Two triangles over [0, 10]^2 at z = 0, and one at z = 2 over its lower-left quarter.
TEST(GroundHit, EdgeCases) {
    Mesh mesh = FlatGrid(1, 10);
    for (const Point3& p : {Point3(0, 0, 2), Point3(5, 0, 2), Point3(0, 5, 2)}) mesh.verts.push_back(p);
    AddFace(mesh, 4, 5, 6);
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(mesh, Matrix3()));
    const Box3 cube = tree.GetBox();
    const float top = cube.pmax.z, nan = std::nanf("");
    const struct { const char* name; Point3 origin, dir; float expected; } rows[] = {
        {"nearer of two faces", {1, 1, 4}, {0, 0, -8}, 0.25f},
        {"corner where both edges start", {0, 0, 4}, {0, 0, -8}, 0.25f},
        {"corner where the third edge starts", {5, 0, 4}, {0, 0, -8}, 0.25f},
        {"shared diagonal", {7, 7, 1}, {0, 0, -2}, 0.5f},
        {"zero direction inside", {8, 8, 1}, {0, 0, 0}, 1.0f},
        {"leaves the cube halfway", {8, 8, 1}, {0, 0, 2 * (top - 1)}, 0.5f},
        {"NaN origin", {nan, 5, 1}, {0, 0, -2}, 1.0f},
        {"NaN direction", {5, 5, 1}, {nan, 0, -2}, 1.0f},
        {"infinite direction", {5, 5, 1}, {0, INFINITY, -2}, 1.0f},
        // Beside the cube: never a parameter in [0, 1), which would read as a hit.
        {"just beside, pointing down", {std::nextafter(cube.pmax.x, INFINITY), 5, 1}, {0, 0, -100}, 1.0f},
        {"just beside, level", {5, std::nextafter(cube.pmin.y, -INFINITY), 1}, {100, 0, 0}, 1.0f},
        {"beside, zero direction", {cube.pmax.x + 1, 5, 1}, {0, 0, 0}, 1.0f},
        {"passing a corner", {cube.pmin.x - 4, 5, 1}, {2, 100, 0}, 1.0f},
    };
    for (const auto& r : rows) EXPECT_FLOAT_EQ(tree.GroundHit(r.origin, r.dir), r.expected) << r.name;
    EXPECT_LT(tree.GroundHit({5, 5, top + 1}, {0, 0, 1}), 0.0f) << "above the cube, pointing up";
}

// Hits exactly on a leaf's boundary whose computed points round into a leaf that lacks the face.
TEST(GroundHit, OnLeafBoundaries) {
    SurfaceOctree tree;
    ASSERT_TRUE(tree.BuildFromMesh(IntegerGrid(20), Matrix3()));
    for (const Segment& s : {Segment{{9.15996647f, 6.42438841f, 6.91735649f}, {2.22035551f, -1.31598115f, -7.91572952f}},
                             Segment{{0.428558052f, 18.0830555f, 8.49915695f}, {15.3174667f, -6.43116617f, -10.2884312f}}})
        EXPECT_NEAR(tree.GroundHit(s.origin, s.dir), ExpectedGroundHit(tree, s.origin, s.dir), 1e-5f);
}

}  // namespace
