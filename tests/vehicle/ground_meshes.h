// Ground meshes for the octree tests, and the brute-force answer they are checked against.
#pragma once

#include <cmath>
#include <random>

#include "host/tri_object.h"
#include "vehicle/surface_octree.h"
#include "vehicle/surface_ray.h"

inline float Uniform(std::mt19937& rng, float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }

inline void AddFace(Mesh& mesh, DWORD a, DWORD b, DWORD c) {
    mesh.faces.emplace_back();
    mesh.faces.back().setVerts(a, b, c);
}

// n x n cells over [0, side]^2, two triangles a cell, z = height(x, y).
template <class Height>
Mesh GridMesh(int n, float side, Height height) {
    Mesh mesh;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const float x = side * static_cast<float>(i) / static_cast<float>(n);
            const float y = side * static_cast<float>(j) / static_cast<float>(n);
            mesh.verts.emplace_back(x, y, height(x, y));
        }
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const auto v = static_cast<DWORD>(j * (n + 1) + i), up = v + static_cast<DWORD>(n + 1);
            AddFace(mesh, v, v + 1, up + 1);
            AddFace(mesh, v, up + 1, up);
        }
    return mesh;
}

inline Mesh FlatGrid(int n, float side) {
    return GridMesh(n, side, [](float, float) { return 0.0f; });
}
inline Mesh SineTerrain(int n, float side) {
    return GridMesh(n, side, [side](float x, float y) { return side * 0.05f * std::sin(x * 12 / side) * std::cos(y * 9 / side); });
}
// Integer heights on an integer grid: many segments meet vertices and edges exactly.
inline Mesh IntegerGrid(int n) {
    return GridMesh(n, static_cast<float>(n), [](float x, float y) { return static_cast<float>(static_cast<int>(7 * x + 3 * y) % 3); });
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
    for (int f = 0; f < faces; ++f) {
        const Point3 c(Uniform(rng, 0, side), Uniform(rng, 0, side), Uniform(rng, 0, side));
        const float r = side * 0.08f;
        for (int k = 0; k < 3; ++k) mesh.verts.push_back(c + Point3(Uniform(rng, -r, r), Uniform(rng, -r, r), Uniform(rng, -r, r)));
        AddFace(mesh, static_cast<DWORD>(3 * f), static_cast<DWORD>(3 * f + 1), static_cast<DWORD>(3 * f + 2));
    }
    return mesh;
}

// Every face tested directly: the nearest hit, else where the segment leaves the cube (1 if sooner).
inline float ExpectedGroundHit(const SurfaceOctree& tree, const Point3& origin, const Point3& dir, bool* hit = nullptr) {
    SurfaceRay ray{dir, origin};
    const Box3 everywhere(Point3(-1e30f, -1e30f, -1e30f), Point3(1e30f, 1e30f, 1e30f));
    bool found = false;
    for (const SurfaceFace& face : tree.Faces()) found |= FaceHitInBox(face, ray, everywhere, 0.0f);
    if (hit != nullptr) *hit = found;
    if (found) return ray.hi;
    if (ClipToBox(ray, tree.GetBox())) return ray.hi;
    return ray.hi < 0.0f ? ray.hi : 1.0f;
}

template <class Visit>
void ForEachNode(const SurfaceNode& node, Visit visit) {
    visit(node);
    if (node.children != nullptr)
        for (int k = 0; k < 8; ++k) ForEachNode(node.children[k], visit);
}
