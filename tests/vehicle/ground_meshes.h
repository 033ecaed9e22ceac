// Ground meshes for the octree tests, and the brute-force answer they are checked against.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "host/tri_object.h"
#include "vehicle/surface_octree.h"

inline float Uniform(std::mt19937& rng, float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }

// n x n cells over [0, side]^2, two triangles a cell, z = height(x, y).
template <class Height>
Mesh GridMesh(int n, float side, Height height) {
    Mesh mesh;
    for (int k = 0; k < (n + 1) * (n + 1); ++k) {
        const float x = side * float(k % (n + 1)) / float(n), y = side * float(k / (n + 1)) / float(n);
        mesh.verts.emplace_back(x, y, height(x, y));
    }
    for (int k = 0; k < n * n; ++k) {
        const auto v = DWORD(k / n * (n + 1) + k % n), up = v + DWORD(n + 1);
        mesh.faces.insert(mesh.faces.end(), {Face{{v, v + 1, up + 1}}, Face{{v, up + 1, up}}});
    }
    return mesh;
}

inline Mesh FlatGrid(int n, float side) { return GridMesh(n, side, [](float, float) { return 0.0f; }); }
inline Mesh SineTerrain(int n, float side) {
    return GridMesh(n, side, [side](float x, float y) { return side * 0.05f * std::sin(x * 12 / side) * std::cos(y * 9 / side); });
}
// Integer heights on an integer grid: many segments meet vertices and edges exactly.
inline Mesh IntegerGrid(int n) {
    return GridMesh(n, float(n), [](float x, float y) { return float(int(7 * x + 3 * y) % 3); });
}

// Stacked copies of a triangle would split to depth 16; the budget stops them, keeping hits.
inline Mesh StackedDuplicates() {
    Mesh mesh = SineTerrain(4, 100);
    mesh.faces.insert(mesh.faces.end(), 300, mesh.faces[5]);
    return mesh;
}

inline Mesh RandomSoup(int faces, float side, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Mesh mesh;
    for (DWORD f = 0; f < DWORD(faces); ++f) {
        const Point3 c(Uniform(rng, 0, side), Uniform(rng, 0, side), Uniform(rng, 0, side));
        const float r = side * 0.08f;
        for (int k = 0; k < 3; ++k) mesh.verts.push_back(c + Point3(Uniform(rng, -r, r), Uniform(rng, -r, r), Uniform(rng, -r, r)));
        mesh.faces.push_back(Face{{3 * f, 3 * f + 1, 3 * f + 2}});
    }
    return mesh;
}

// The brute-force references, in double and apart from the octree's own face and box code.
using D3 = std::array<double, 3>;
using Triangle = std::array<D3, 3>;
inline D3 D(const Point3& p) { return {p.x, p.y, p.z}; }
inline D3 Sub(const D3& a, const D3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline double Dot(const D3& a, const D3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline D3 Cross(const D3& a, const D3& b) { return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; }
constexpr double kRounding = 1e-5;  // relative: a few float steps

inline std::vector<Triangle> Triangles(const Mesh& mesh) {
    std::vector<Triangle> out;
    for (const Face& f : mesh.faces) out.push_back({D(mesh.verts[f.v[0]]), D(mesh.verts[f.v[1]]), D(mesh.verts[f.v[2]])});
    return out;
}

// Moller and Trumbore's segment test, widened by what float rounding may make of a hit at this
// angle: the earliest parameter on the triangle grown by that margin when grow is 1, the latest
// on the triangle shrunk by it when grow is -1; infinity for no hit.
inline double TriangleHit(const Triangle& v, const D3& o, const D3& d, double grow) {
    const D3 e1 = Sub(v[1], v[0]), e2 = Sub(v[2], v[0]), p = Cross(d, e2), s = Sub(o, v[0]), q = Cross(s, e1), n = Cross(e1, e2);
    const double det = Dot(e1, p), b = Dot(s, p) / det, g = Dot(d, q) / det, t = Dot(e2, q) / det;
    const double m = grow * kRounding * std::sqrt(Dot(d, d) * Dot(n, n)) / std::fabs(det);
    return det != 0 && b >= -m && g >= -m && b + g <= 1 + m && t >= -m && t <= 1 + m ? t - m : INFINITY;
}

// Without a hit: 1, or where the segment leaves the cube, or below 0 when it points away.
inline double Miss(const Box3& cube, const D3& o, const D3& d) {
    const bool inside = cube.Contains(Point3(float(o[0]), float(o[1]), float(o[2])));
    double lo = 0, hi = 1;
    for (int a = 0; a < 3; ++a) {
        if (d[a] == 0 && !inside && (o[a] < cube.pmin[a] || o[a] > cube.pmax[a])) return hi < 0 ? hi : 1;
        if (d[a] != 0 && !inside) lo = std::max(lo, ((d[a] > 0 ? cube.pmin[a] : cube.pmax[a]) - o[a]) / d[a]);
        if (d[a] != 0) hi = std::min(hi, ((d[a] > 0 ? cube.pmax[a] : cube.pmin[a]) - o[a]) / d[a]);
    }
    return hi > lo || hi < 0 ? hi : 1;
}

// GroundHit lies between the nearest hit with the faces grown and with them shrunk, each else the
// miss value. True when the segment hits.
inline bool ExpectGroundHit(const SurfaceOctree& tree, const std::vector<Triangle>& faces, const Point3& origin, const Point3& dir) {
    double loose = INFINITY, strict = INFINITY;
    for (const Triangle& v : faces) {
        loose = std::min(loose, TriangleHit(v, D(origin), D(dir), 1));
        strict = std::min(strict, TriangleHit(v, D(origin), D(dir), -1));
    }
    const double miss = Miss(tree.GetBox(), D(origin), D(dir)), got = tree.GroundHit(origin, dir), off = kRounding * std::max(1.0, -miss);
    EXPECT_TRUE(got >= std::min(loose, miss) - off && got <= std::min(strict, miss) + off) << got << " for " << loose << " to " << strict << ", miss " << miss;
    return loose <= 1;
}

// Whether the triangle meets the box grown by pad on every side (shrunk when negative): no
// separating axis among the box's three, the triangle's normal and the nine edge-by-axis crosses.
inline bool TriangleMeetsBox(const Triangle& v, const Box3& box, double pad) {
    const D3 c = D((box.pmin + box.pmax) * 0.5f), h = D((box.pmax - box.pmin) * 0.5f);
    const D3 p[3] = {Sub(v[0], c), Sub(v[1], c), Sub(v[2], c)};
    std::vector<D3> axes = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, Cross(Sub(p[1], p[0]), Sub(p[2], p[0]))};
    for (int k = 0; k < 9; ++k) axes.push_back(Cross(Sub(p[(k / 3 + 1) % 3], p[k / 3]), axes[k % 3]));
    return std::none_of(axes.begin(), axes.end(), [&](const D3& n) {
        const double r = (h[0] + pad) * std::fabs(n[0]) + (h[1] + pad) * std::fabs(n[1]) + (h[2] + pad) * std::fabs(n[2]);
        const double a = Dot(p[0], n), b = Dot(p[1], n), e = Dot(p[2], n);
        return std::min({a, b, e}) > r || std::max({a, b, e}) < -r;
    });
}

template <class Visit>
void ForEachNode(const SurfaceNode& node, Visit visit) {
    visit(node);
    if (node.children != nullptr)
        for (int k = 0; k < 8; ++k) ForEachNode(node.children[k], visit);
}
