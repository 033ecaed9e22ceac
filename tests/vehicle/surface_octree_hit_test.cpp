#include <gtest/gtest.h>

#include "tests/vehicle/ground_meshes.h"

namespace {

struct Segment { Point3 origin, dir; };

Point3 InBounds(const Box3& b, std::mt19937& rng) {
    return {Uniform(rng, b.pmin.x, b.pmax.x), Uniform(rng, b.pmin.y, b.pmax.y), Uniform(rng, b.pmin.z, b.pmax.z)};
}

// Through a target, anywhere in the cube b or at a face's vertex or edge midpoint: straight down,
// or from anywhere in b to well past the target.
Segment Draw(const Mesh& m, bool corners, const Box3& b, std::mt19937& rng) {
    const Face& f = m.faces[rng() % m.faces.size()];
    const Point3 from = InBounds(b, rng), corner = m.verts[f.v[rng() % 3]], other = m.verts[f.v[rng() % 3]];
    const Point3 target = corners ? (corner + other) * 0.5f : InBounds(b, rng);
    if (rng() % 2 == 0) return {Point3(target.x, target.y, b.pmax.z), Point3(0, 0, b.pmin.z - b.pmax.z)};
    return {from, (target - from) * 1.5f};
}

// The nearest face hit, else 1 or where the segment leaves the cube; with two segments whose hits
// lie on a leaf boundary and whose computed points round into a leaf that lacks the face.
TEST(GroundHit, MatchesBruteForce) {
    const struct { const char* name; Mesh mesh; bool corners; std::vector<Segment> pinned; } cases[] = {
        {"soup", RandomSoup(600, 100, 1), false, {}},
        {"soup corners", RandomSoup(300, 100, 3), true, {}},
        {"sine", SineTerrain(24, 1000), true, {}},
        {"flat", FlatGrid(16, 64), true, {}},
        {"integer", IntegerGrid(20), true,
         {{{9.15996647f, 6.42438841f, 6.91735649f}, {2.22035551f, -1.31598115f, -7.91572952f}},
          {{0.428558052f, 18.0830555f, 8.49915695f}, {15.3174667f, -6.43116617f, -10.2884312f}}}},
        {"stacked", StackedDuplicates(), false, {}}};
    for (const auto& c : cases) {
        SurfaceOctree tree;
        ASSERT_TRUE(tree.BuildFromMesh(c.mesh, Matrix3()));
        const std::vector<Triangle> triangles = Triangles(c.mesh);
        for (const Segment& s : c.pinned) EXPECT_TRUE(ExpectGroundHit(tree, triangles, s.origin, s.dir)) << c.name;
        const Box3 b = tree.GetBox();
        std::mt19937 rng(7);
        int hits = 0;
        for (int i = 0; i < 2000 && !HasFailure(); ++i) {
            const Segment s = Draw(c.mesh, c.corners, b, rng);
            SCOPED_TRACE(std::string(c.name) + " segment " + std::to_string(i));
            hits += ExpectGroundHit(tree, triangles, s.origin, s.dir) ? 1 : 0;
        }
        EXPECT_GT(hits, 300) << c.name;
    }
}

// Two triangles over [0, 10]^2 at z = 0, and one at z = 2 over its lower-left quarter.
TEST(GroundHit, EdgeCases) {
    Mesh mesh = FlatGrid(1, 10);
    for (const Point3& p : {Point3(0, 0, 2), Point3(5, 0, 2), Point3(0, 5, 2)}) mesh.verts.push_back(p);
    mesh.faces.push_back(Face{{4, 5, 6}});
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
        {"starting on the ground", {8, 3, 0}, {0, 0, -1}, 0.0f},
        {"leaves the cube halfway", {8, 8, 1}, {0, 0, 2 * (top - 1)}, 0.5f},
        {"NaN origin", {nan, 5, 1}, {0, 0, -2}, 1.0f},
        {"NaN direction", {5, 5, 1}, {nan, 0, -2}, 1.0f},
        {"infinite direction", {5, 5, 1}, {0, INFINITY, -2}, 1.0f},
        // Beside the cube: never a parameter in [0, 1), which would read as a hit.
        {"just beside, pointing down", {std::nextafter(cube.pmax.x, INFINITY), 5, 1}, {0, 0, -100}, 1.0f},
        {"just beside, level", {5, std::nextafter(cube.pmin.y, -INFINITY), 1}, {100, 0, 0}, 1.0f},
        {"beside, zero direction", {cube.pmax.x + 1, 5, 1}, {0, 0, 0}, 1.0f},
        {"passing a corner", {-30, -1, 1}, {40, 100, 0}, 1.0f},
        {"above the cube, pointing up", {5, 5, top + 1}, {0, 0, 1}, -1.0f},
    };
    for (const auto& r : rows) EXPECT_FLOAT_EQ(tree.GroundHit(r.origin, r.dir), r.expected) << r.name;
}

}  // namespace
